#include "exchange/ExportFormat.h"

#include <fmt/format.h>

#include <algorithm>
#include <map>
#include <set>

namespace exchange {
namespace {

// What a format can hold: allele numbers within [lowest, highest] other than
// the missing code, and name characters outside `forbidden` (control
// characters never: a line break in a name would split its record).
struct Rules {
  int lowest;
  int highest;
  int missing;
  std::string_view forbidden;
  bool popReserved = false;  // a line "Pop" opens a population
  bool spreadsheet = false;  // opened in a spreadsheet program, which runs formulas
};

Rules RulesOf(Format format) {
  switch (format) {
    case Format::Genepop:
      return {1, 999, 0, " \t,", true};
    case Format::Structure:
      return {-32768, 32767, -9, " \t"};
    case Format::Genalex:
      break;
  }
  return {-32768, 32767, 0, ",\"", false, true};
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// A name every reader takes as the keyword, as a marker name on a line of its own.
bool IsPop(const std::string& name) {
  return name.size() == 3 && (name[0] | 0x20) == 'p' && (name[1] | 0x20) == 'o' &&
         (name[2] | 0x20) == 'p';
}

// The title is a line of its own: control characters would end it early.
std::string OneLine(std::string_view title) {
  std::string line(title);
  std::replace_if(line.begin(), line.end(), IsControl, '_');
  return line;
}

// A field a spreadsheet program would take as a formula (=HYPERLINK(...),
// +cmd|...) gets the apostrophe that makes it text; our own import, like a
// spreadsheet, reads the name back without it.
std::string SpreadsheetText(std::string field) {
  if (!field.empty() && std::string_view("=+-@").find(field.front()) != std::string_view::npos)
    field.insert(0, 1, '\'');
  return field;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Forbidden characters become "_", a reserved "Pop" gets a "_" after it, a
// formula an apostrophe before it; a name that then clashes gets "_2", "_3".
std::vector<std::string> SafeNames(const std::vector<std::string>& names, const Rules& rules,
                                   std::vector<Renamed>& renamed) {
  std::set<std::string> taken(names.begin(), names.end());
  std::vector<std::string> out;
  for (const std::string& name : names) {
    std::string safe = name;
    for (char& c : safe)
      if (IsControl(c) || rules.forbidden.find(c) != std::string_view::npos) c = '_';
    if (rules.popReserved && IsPop(safe)) safe += '_';
    if (rules.spreadsheet) safe = SpreadsheetText(std::move(safe));
    if (safe != name) {
      const std::string stem = safe;
      for (int k = 2; taken.count(safe); ++k) safe = fmt::format("{}_{}", stem, k);
      taken.insert(safe);
      renamed.push_back({name, safe});
    }
    out.push_back(safe);
  }
  return out;
}

// The number written for each allele of marker m (index a - 1): its size
// when every size of the marker fits the format, else its index.
std::vector<int> AlleleCodes(const store::GenotypeStore& s, int m, const Rules& rules,
                             std::vector<Renumbered>& renumbered) {
  const store::MarkerTable& table = s.Marker(m);
  bool sizesFit = s.Kind() == store::DataKind::Ssr;
  for (int a = 1; a <= table.AlleleCount() && sizesFit; ++a) {
    const int size = table.AlleleValue(a);
    sizesFit = size >= rules.lowest && size <= rules.highest && size != rules.missing;
  }
  std::vector<int> codes;
  Renumbered mapping{m, {}};
  for (int a = 1; a <= table.AlleleCount(); ++a) {
    codes.push_back(sizesFit ? table.AlleleValue(a) : a);
    const std::string label = s.Kind() == store::DataKind::Ssr
                                  ? std::to_string(table.AlleleValue(a))
                                  : store::ToUtf8(table.AlleleSymbol(a));
    mapping.alleles.emplace_back(a, label);
  }
  if (!sizesFit && table.AlleleCount() > 0) renumbered.push_back(std::move(mapping));
  return codes;
}

// The varieties by population, each population's together.
struct Populations {
  std::vector<std::string> names;         // as the format can hold them
  std::vector<std::vector<int>> members;  // variety numbers
};

Populations Group(int varieties, const std::vector<std::string>& populations,
                  std::string_view title, const Rules& rules) {
  Populations p;
  std::vector<std::string> names;
  std::map<std::string, size_t> index;
  for (int v = 1; v <= varieties; ++v) {
    const std::string name = populations.empty() ? std::string(title) : populations[v - 1];
    const auto [at, added] = index.emplace(name, names.size());
    if (added) {
      names.push_back(name);
      p.members.emplace_back();
    }
    p.members[at->second].push_back(v);
  }
  if (names.empty()) {  // even no varieties are one population
    names.emplace_back(title);
    p.members.emplace_back();
  }
  std::vector<Renamed> ignored;
  p.names = SafeNames(names, rules, ignored);
  return p;
}

struct Prepared {
  std::vector<std::string> varieties;
  std::vector<std::string> markers;
  std::vector<std::vector<int>> codes;  // per marker
  Populations populations;
};

Prepared Prepare(const store::GenotypeStore& s, const Rules& rules,
                 const std::vector<std::string>& populations, std::string_view title,
                 Exported& out) {
  Prepared p;
  p.populations = Group(s.VarietyCount(), populations, title, rules);
  std::vector<std::string> varieties, markers;
  for (int v = 1; v <= s.VarietyCount(); ++v) varieties.push_back(s.VarietyName(v));
  for (int m = 1; m <= s.MarkerCount(); ++m) markers.push_back(s.MarkerName(m));
  p.varieties = SafeNames(varieties, rules, out.varieties);
  p.markers = SafeNames(markers, rules, out.markers);
  for (int m = 1; m <= s.MarkerCount(); ++m)
    p.codes.push_back(AlleleCodes(s, m, rules, out.alleles));
  return p;
}

// The two written alleles of a cell, the missing code for an untyped one.
std::pair<int, int> Written(const store::GenotypeStore& s, const Prepared& p, const Rules& rules,
                            int v, int m) {
  const auto indexes = AlleleIndexes(s, v, m);
  if (!indexes) return {rules.missing, rules.missing};
  const std::vector<int>& codes = p.codes[m - 1];
  return {codes[indexes->first - 1], codes[indexes->second - 1]};
}

// GENEPOP names no population: a bare Pop line opens each, as its readers
// take it (text after the keyword makes adegenet refuse the file).
void WriteGenepop(const store::GenotypeStore& s, const Prepared& p, std::string_view title,
                  std::string& text) {
  const Rules rules = RulesOf(Format::Genepop);
  text += OneLine(title) + '\n';
  for (const std::string& marker : p.markers) text += marker + '\n';
  for (const std::vector<int>& members : p.populations.members) {
    text += "Pop\n";
    for (const int v : members) {
      text += p.varieties[v - 1] + " ,";
      for (int m = 1; m <= s.MarkerCount(); ++m) {
        const auto [a, b] = Written(s, p, rules, v, m);
        text += fmt::format(" {:03}{:03}", a, b);
      }
      text += '\n';
    }
  }
}

void WriteStructure(const store::GenotypeStore& s, const Prepared& p, std::string& text) {
  const Rules rules = RulesOf(Format::Structure);
  text += fmt::format("{}\n", fmt::join(p.markers, " "));
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    text += p.varieties[v - 1];
    for (int m = 1; m <= s.MarkerCount(); ++m) {
      const auto [a, b] = Written(s, p, rules, v, m);
      text += fmt::format(" {} {}", a, b);
    }
    text += '\n';
  }
}

// Counts row (loci, samples, populations, size of each), title row with the
// populations' names over their sizes, heads.
void WriteGenalexHead(const store::GenotypeStore& s, const Prepared& p, std::string_view title,
                      std::string& text) {
  const Rules rules = RulesOf(Format::Genalex);
  std::vector<Renamed> ignored;
  const Populations& pops = p.populations;
  text += fmt::format("{},{},{}", s.MarkerCount(), s.VarietyCount(), pops.names.size());
  for (const auto& members : pops.members) text += fmt::format(",{}", members.size());
  text += '\n' + SafeNames({std::string(title)}, rules, ignored).front() + ",,";
  for (const std::string& name : pops.names) text += ',' + name;
  text += "\nInd,Pop";
  for (const std::string& marker : p.markers) text += fmt::format(",{},", marker);
  text += '\n';
}

void WriteGenalex(const store::GenotypeStore& s, const Prepared& p, std::string_view title,
                  std::string& text) {
  const Rules rules = RulesOf(Format::Genalex);
  WriteGenalexHead(s, p, title, text);
  for (size_t g = 0; g < p.populations.names.size(); ++g) {
    for (const int v : p.populations.members[g]) {
      text += fmt::format("{},{}", p.varieties[v - 1], p.populations.names[g]);
      for (int m = 1; m <= s.MarkerCount(); ++m) {
        const auto [a, b] = Written(s, p, rules, v, m);
        text += fmt::format(",{},{}", a, b);
      }
      text += '\n';
    }
  }
}

}  // namespace

std::optional<std::pair<int, int>> AlleleIndexes(const store::GenotypeStore& s, int v, int m) {
  const std::u32string code = store::Characters(s.Cell(v, m));
  if (code.size() != 2) return std::nullopt;
  // SSR codes are rank symbols of the alphabet; character codes the symbols.
  const std::u32string symbols = s.Kind() == store::DataKind::Ssr
                                     ? store::Characters(store::AlleleAlphabet())
                                     : s.Marker(m).AlleleText();
  const size_t a = symbols.find(code[0]);
  const size_t b = symbols.find(code[1]);
  if (a == std::u32string::npos || b == std::u32string::npos) return std::nullopt;
  return std::pair<int, int>(static_cast<int>(a) + 1, static_cast<int>(b) + 1);
}

std::vector<std::string> SafeNames(const std::vector<std::string>& names,
                                   std::string_view forbidden, bool spreadsheet,
                                   std::vector<Renamed>& renamed) {
  return SafeNames(names, Rules{0, 0, 0, forbidden, false, spreadsheet}, renamed);
}

Exported Export(const store::GenotypeStore& s, Format format, std::string_view title,
                const std::vector<std::string>& populations) {
  Exported out;
  const Prepared p = Prepare(s, RulesOf(format), populations, title, out);
  switch (format) {
    case Format::Genepop:
      WriteGenepop(s, p, title, out.text);
      break;
    case Format::Structure:
      WriteStructure(s, p, out.text);
      break;
    case Format::Genalex:
      WriteGenalex(s, p, title, out.text);
      // Without the mark a spreadsheet program reads the names in the
      // system's code page; an ASCII file stays as every reader knows it.
      if (!IsAscii(out.text)) out.text.insert(0, "\xEF\xBB\xBF");
      break;
  }
  return out;
}

}  // namespace exchange
