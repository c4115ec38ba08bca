// A whole run on a tiny source: open, read the source, compute with every
// option, save in place, reopen and read the result back whole.
//
// The input is either a workbook file (it starts with the zip or the compound
// document signature), whose first source sheet is run, or a text table whose
// source sheet is built first: lines of tab-separated cells placed from B4
// (the corner and the marker names, then per line a variety and its cells);
// a cell "=TEXT" holds the number TEXT reads as, as a file's <v> would.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <tuple>
#include <vector>

#include "FuzzFiles.h"
#include "FuzzRead.h"
#include "XlsReaderServer.h"
#include "app/core/Session.h"
#include "host/Host.h"
#include "host/xlsx/PackageWriter.h"

namespace {

constexpr char kSheet[] = "Fuzz.org";
// Enough for every band and limit a run has at small size, and cheap to run.
constexpr size_t kMaxLines = 24, kMaxCells = 24;

struct Written {
  int row, column;
  std::string text;  // as the cell reads as text once set
};

size_t Utf8Length(std::string_view s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned c = byte(i);
  const size_t n = c < 0x80                 ? 1
                   : c >= 0xC2 && c <= 0xDF ? 2
                   : c >= 0xE0 && c <= 0xEF ? 3
                   : c >= 0xF0 && c <= 0xF4 ? 4
                                            : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  // Overlong forms, surrogates and code points past U+10FFFF.
  if ((c == 0xE0 && byte(i + 1) < 0xA0) || (c == 0xED && byte(i + 1) > 0x9F) ||
      (c == 0xF0 && byte(i + 1) < 0x90) || (c == 0xF4 && byte(i + 1) > 0x8F))
    return 0;
  return n;
}

// Text read from a file is valid UTF-8 (the XML parser sees to that), so the
// table's texts are made so too: each invalid byte becomes '?'.
std::string ValidUtf8(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    const size_t n = Utf8Length(s, i);
    out.append(n ? s.substr(i, n) : "?");
    i += n ? n : 1;
  }
  return out;
}

void SetCell(host::Range cell, std::string_view text) {
  if (text.front() == '=') {
    double number = 0;
    const char* end = text.data() + text.size();
    auto parsed = std::from_chars(text.data() + 1, end, number);
    if (parsed.ec == std::errc() && parsed.ptr == end) return cell.SetValue(number);
  }
  cell.SetValue(ValidUtf8(text));
}

std::vector<Written> FillSource(host::Worksheet& sheet, std::string_view table) {
  std::vector<Written> written;
  for (size_t line = 0; line < kMaxLines && !table.empty(); ++line) {
    const std::string_view text = table.substr(0, table.find('\n'));
    table.remove_prefix(std::min(table.size(), text.size() + 1));
    std::string_view rest = text;
    for (size_t k = 0; k < kMaxCells && !rest.empty(); ++k) {
      const std::string_view cell = rest.substr(0, rest.find('\t'));
      rest.remove_prefix(std::min(rest.size(), cell.size() + 1));
      if (cell.empty()) continue;
      const int row = 4 + static_cast<int>(line), column = 2 + static_cast<int>(k);
      SetCell(sheet.Cell(row, column), cell);
      written.push_back({row, column, sheet.Cell(row, column).Text()});
    }
  }
  return written;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A fresh folder per input: an imported .xls saves beside itself under a free name.
std::string RunFolder() {
  const std::string dir = fuzz::ScratchDir() + "/run";
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  std::filesystem::create_directory(dir, ec);
  if (ec) fuzz::Fault("cannot make " + dir + ": " + ec.message());
  return dir;
}

// The first sheet a run accepts, or "".
std::string FirstSource(app::Session& session) {
  for (const app::SheetInfo& info : session.Sheets())
    if (info.kind == app::SheetKind::Ssr || info.kind == app::SheetKind::Character)
      return info.name;
  return "";
}

// Runs `sheet` with every option. A refused run must leave the file as it
// was; a finished one must have saved a workbook that reads back whole.
// Returns the saved path, or "" when the run was refused.
std::string RunAndCheck(app::Session& session, const std::string& sheet, bool mayRefuse) {
  const std::string path = session.Path();
  const std::string before = FileBytes(path);
  report::NoProgress progress;
  std::string saved;
  const report::RunOptions every{.zoo = true, .combination = true, .ukai = true};
  try {
    session.Run(sheet, every, progress);
    saved = session.Save().path;
  } catch (const app::TableNotFound&) {
    // No marker name in C4 or no variety name in B5: nothing to run, also
    // for a table built in memory.
    if (FileBytes(path) != before) fuzz::Fault("a refused run changed " + path);
    return "";
  } catch (const std::runtime_error& e) {
    if (FileBytes(path) != before) fuzz::Fault("a refused run changed " + path);
    if (!mayRefuse) fuzz::Fault(std::string("a source built in memory was refused: ") + e.what());
    return "";
  } catch (const std::exception& e) {
    fuzz::Fault(std::string("the run threw ") + e.what());
  }
  return saved;
}

void ReadBack(const std::string& saved, const std::string& sheet,
              const std::vector<Written>& written) {
  host::Application app;
  try {
    host::Workbook& book = app.Open(saved);
    fuzz::ReadEverything(book);
    host::Worksheet& source = book.SheetByName(sheet);
    for (const Written& cell : written) {
      // An empty corner gets its "*"; every other source cell stays as it was.
      if (cell.row == 4 && cell.column == 2) continue;
      const std::string now = source.Cell(cell.row, cell.column).Text();
      if (now != cell.text)
        fuzz::Fault("the source cell " + source.Cell(cell.row, cell.column).Address() +
                    " changed from \"" + cell.text + "\" to \"" + now + "\"");
    }
  } catch (const std::exception& e) {
    fuzz::Fault("the saved result " + saved + " does not read back: " + e.what());
  }
}

void RunFile(const uint8_t* data, size_t size) {
  const std::string path = RunFolder() + "/input" + (data[0] == 'P' ? ".xlsx" : ".xls");
  fuzz::WriteFile(path, data, size);
  app::Session session;
  std::string sheet;
  if (fuzz::Refused("Open", [&] { session.Open(path); })) return;
  if (fuzz::Refused("Sheets", [&] { sheet = FirstSource(session); }) || sheet.empty()) return;
  const std::string saved = RunAndCheck(session, sheet, true);
  if (!saved.empty()) ReadBack(saved, sheet, {});
}

void RunTable(std::string_view table) {
  const std::string path = RunFolder() + "/table.xlsx";
  std::vector<Written> written;
  try {
    host::Application app;
    host::Workbook& book = app.AddWorkbook(path);
    book.Sheet(1).SetName(kSheet);
    written = FillSource(book.Sheet(1), table);
    book.Save();
  } catch (const std::exception& e) {
    fuzz::Fault(std::string("building the source failed: ") + e.what());
  }
  app::Session session;
  if (fuzz::Refused("Open", [&] { session.Open(path); }))
    fuzz::Fault("the source built in memory does not open");
  const std::string saved = RunAndCheck(session, kSheet, false);
  if (!saved.empty()) ReadBack(saved, kSheet, written);
}

}  // namespace

// One saving thread: a thread per save costs more than the tiny parts gain.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::UseXlsReaderServer();
  host::xlsx::SetSaveTuning({.threads = 1});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const bool file = size >= 4 && ((data[0] == 'P' && data[1] == 'K') ||
                                  (data[0] == 0xD0 && data[1] == 0xCF && data[2] == 0x11));
  if (file)
    RunFile(data, size);
  else
    RunTable(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
