#pragma once
// Reads a gettext PO file (po/LANG.po, po/allelescope.pot) the way msgfmt
// does, so tests can hold the programs' texts against the translations
// without typing any text twice.
#include <fstream>
#include <map>
#include <string>

namespace testsupport {

struct PoEntry {
  std::string msgstr;
  bool fuzzy = false;
};

// "..." with C escapes, as the PO format quotes a text.
inline std::string PoUnquote(const std::string& line) {
  std::string out;
  const auto first = line.find('"');
  const auto last = line.rfind('"');
  for (auto i = first + 1; i < last; ++i) {
    if (line[i] != '\\' || i + 1 >= last) {
      out += line[i];
      continue;
    }
    const char c = line[++i];
    out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
  }
  return out;
}

// msgid → translation; the header and obsolete (#~) entries are left out.
inline std::map<std::string, PoEntry> ReadPo(const std::string& path) {
  std::map<std::string, PoEntry> entries;
  std::ifstream in(path);
  std::string line, msgid, msgstr, *field = nullptr;
  bool fuzzy = false, nextFuzzy = false;
  auto flush = [&] {
    if (!msgid.empty()) entries[msgid] = {msgstr, fuzzy};
    msgid.clear();
    msgstr.clear();
    field = nullptr;
  };
  while (std::getline(in, line)) {
    if (line.rfind("#,", 0) == 0 && line.find("fuzzy") != std::string::npos) nextFuzzy = true;
    if (line.rfind("msgid ", 0) == 0) {
      flush();
      fuzzy = nextFuzzy;
      nextFuzzy = false;
      msgid = PoUnquote(line);
      field = &msgid;
    } else if (line.rfind("msgstr ", 0) == 0) {
      msgstr = PoUnquote(line);
      field = &msgstr;
    } else if (line.rfind('"', 0) == 0 && field != nullptr) {
      *field += PoUnquote(line);
    }
  }
  flush();
  return entries;
}

inline std::string SourcePath(const std::string& relative) {
  return std::string(ALLELESCOPE_SOURCE_DIR) + "/" + relative;
}

}  // namespace testsupport
