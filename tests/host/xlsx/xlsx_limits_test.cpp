// Hostile packages that expand enormously: each is refused with a message
// naming the file and the part, within a bounded amount of memory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <regex>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/ReadLimits.h"
#include "host/xlsx/SharedStrings.h"
#include "support/Interop.h"
#include "support/PackageEdit.h"
#include "support/ZipBomb.h"

namespace {

using ::testing::HasSubstr;
using testsupport::RepeatedPart;
using testsupport::TempDir;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kCapMemory = false;  // the address sanitizer reserves terabytes of address space
#else
constexpr bool kCapMemory = true;
#endif
constexpr rlim_t kMemoryCap = rlim_t(1) << 30;

// A one-sheet workbook of our own; returns its sheet's part name.
std::string MakeBook(const std::string& path) {
  host::Application app;
  host::Workbook& book = app.AddWorkbook(path);
  book.Sheet(1).GetRange("B4").SetValue("*");
  book.Save();
  const std::string part = "xl/worksheets/sheet1.xml";
  EXPECT_FALSE(testsupport::PartText(path, part).empty());
  return part;
}

struct Outcome {
  int status = -1;      // 0 refused with a HostError, 1 opened, 2 another exception
  std::string message;  // the error's text
  long peakMiB = 0;     // the child's peak resident memory
};

// Opens the workbook and reads its first sheet (or every sheet) in a child
// process held to kMemoryCap, so a reader that runs away ends the child and
// not the tests.
Outcome OpenCapped(const std::string& path, bool everySheet = false) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    close(pipeFds[0]);
    if (kCapMemory) {
      const rlimit cap{kMemoryCap, kMemoryCap};
      setrlimit(RLIMIT_AS, &cap);
    }
    int status = 1;
    std::string message;
    try {
      host::Application app;
      host::Workbook& book = app.Open(path);
      for (int i = 1; i <= (everySheet ? book.SheetCount() : 1); ++i)
        book.Sheet(i).GetRange("A1").Value();
    } catch (const host::HostError& e) {
      status = 0;
      message = e.what();
    } catch (const std::exception& e) {
      status = 2;
      message = e.what();
    }
    (void)!write(pipeFds[1], message.data(), message.size());
    _exit(status);
  }
  close(pipeFds[1]);
  Outcome out;
  char buffer[4096];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    out.message.append(buffer, static_cast<size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  out.peakMiB = usage.ru_maxrss / 1024;
  out.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return out;
}

const char* kSheetHead =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";

std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

struct Bomb {
  const char* what;
  std::string head, block, tail;
  uint64_t repeat;
  std::vector<std::string> words;  // of the refusal's reason, besides the file and the part
  std::string part = "";           // the sheet's when empty
  int sheets = 0;                  // sheets that name the part; 0: the one sheet
};

// Makes the workbook's one sheet `count` sheets that all name its part.
void NameThePartFromSheets(const std::string& path, int count) {
  std::string workbook = testsupport::PartText(path, "xl/workbook.xml");
  std::smatch sheet;
  ASSERT_TRUE(std::regex_search(workbook, sheet, std::regex("<sheet [^>]*/>")));
  std::string sheets;
  for (int i = 1; i <= count; ++i) {
    std::string one = std::regex_replace(sheet.str(), std::regex(R"(name="[^"]*")"),
                                         "name=\"S" + std::to_string(i) + "\"");
    sheets += std::regex_replace(one, std::regex(R"(sheetId="[^"]*")"),
                                 "sheetId=\"" + std::to_string(i) + "\"");
  }
  workbook.replace(static_cast<size_t>(sheet.position()), static_cast<size_t>(sheet.length()),
                   sheets);
  testsupport::ReplacePart(path, "xl/workbook.xml", workbook);
}

// Several sheets of the workbook may name one part: each reading of it is
// counted against the workbook's budget, so a small part read again and again
// is refused like a large one, and a part of a gigabyte that five sheets name
// is refused at its fifth reading, not read for ever.
TEST(ReadLimits, ExpandingPartsAreRefusedWithinBoundedMemory) {
  const std::string head(kSheetHead), x(1 << 16, 'x');
  std::string attributes;
  for (int i = 0; i < 1000000; ++i) attributes += " a" + std::to_string(i) + "=\"\"";
  const std::string styles =
      R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><cellXfs>)";
  const Bomb bombs[] = {
      {"1.5 GiB variety name",
       head + R"(<sheetData><row r="5"><c r="B5" t="inlineStr"><is><t>)",
       x,
       "</t></is></c></row></sheetData></worksheet>",
       24576,
       {"characters"}},
      {"3.6 GiB of tiny cells",
       head + "<sheetData>",
       "<row>" + Repeated("<c><v>1</v></c>", 16000) + "</row>",
       "</sheetData></worksheet>",
       16000,
       {"cells"}},
      {"3 GiB element kept as written",
       head + "<sheetData/><extLst><ext>",
       x,
       "</ext></extLst></worksheet>",
       49152,
       {"element"}},
      {"1.5 GiB tag the parser would hold whole",
       head + R"(<sheetData><row r="1" spans=")",
       x,
       R"("/></sheetData></worksheet>)",
       24576,
       {"tag"}},
      {"ten million levels", head + "<extLst>", Repeated("<a>", 1000), "", 10000, {"levels"}},
      {"row attributes of 1,000 quotes kept as &quot;",
       head + "<sheetData>",
       "<row a='" + std::string(1000, '"') + "'/>",
       "</sheetData></worksheet>",
       200000,
       {"text"}},
      {"24 million merges",
       head + "<sheetData/><mergeCells>",
       Repeated(R"(<mergeCell ref="A1:B2"/>)", 1000),
       "</mergeCells></worksheet>",
       24000,
       {"cells"}},
      {"12 million empty kept elements",
       head + "<sheetData/>",
       Repeated("<x/>", 1000),
       "</worksheet>",
       12000,
       {"text"}},
      {"16 million empty formulas",
       head + "<sheetData>",
       "<row>" + Repeated("<c><f/></c>", 16000) + "</row>",
       "</sheetData></worksheet>",
       1000,
       {"text"}},
      {"1.5 GiB of cell formats",
       styles,
       Repeated("<xf numFmtId=\"0\"/>", 8000),
       "</cellXfs></styleSheet>",
       10000,
       {},
       "xl/styles.xml"},
      {"a tag of 11 MB read by 60 sheets",
       R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")",
       attributes,
       "><sheetData/></worksheet>",
       1,
       {"text"},
       "",
       60},
      {"1,000 MiB read by 5 sheets",
       head + "<sheetData/>",
       std::string(1 << 16, ' '),
       "</worksheet>",
       16000,
       {"'S5'", "XML"},
       "",
       5},
  };
  for (const Bomb& bomb : bombs) {
    SCOPED_TRACE(bomb.what);
    TempDir dir;
    const std::string base = dir.File("base.xlsx"), path = dir.File("bomb.xlsx");
    const std::string sheetPart = MakeBook(base);
    const std::string part = bomb.part.empty() ? sheetPart : bomb.part;
    testsupport::WriteWithRepeatedPart(
        base, path, RepeatedPart{part, bomb.head, bomb.block, bomb.tail, bomb.repeat});
    if (bomb.sheets) NameThePartFromSheets(path, bomb.sheets);
    const Outcome out = OpenCapped(path, bomb.sheets > 0);
    EXPECT_EQ(out.status, 0) << out.peakMiB << " MiB: " << out.message;
    std::vector<std::string> words = bomb.words;
    words.insert(words.end(), {path, part});
    for (const std::string& word : words) EXPECT_THAT(out.message, HasSubstr(word));
  }
  host::ReadBudget budget;
  budget.AddSheetXml(host::kMaxSheetXmlBytes);
  EXPECT_THROW(budget.AddSheetXml(1), host::LimitError);
}

// Limits that cost no memory to reach, on the readers themselves.
TEST(ReadLimits, TextsAndDocumentsAtTheEdge) {
  host::ReadBudget budget;
  auto read = [&budget](const std::string& xml) {
    size_t at = 0;
    return host::xlsx::ReadSharedStrings(
        [&](char* buffer, size_t size) {
          const size_t n = std::min(size, xml.size() - at);
          xml.copy(buffer, n, at);
          at += n;
          return n;
        },
        budget);
  };
  const std::string most(host::kMaxCellCharacters, 'a');
  // Characters, not bytes: 32,767 three-byte characters are one text.
  std::string wide;
  for (size_t i = 0; i < host::kMaxCellCharacters; ++i) wide += "\xE3\x81\x82";
  EXPECT_EQ(read("<sst><si><t>" + most + "</t></si><si><t>" + wide + "</t></si></sst>").size(), 2u);
  EXPECT_THROW(read("<sst><si><t>" + most + "b</t></si></sst>"), host::LimitError);
  EXPECT_THROW(read("<sst><si><t>" + wide + "a</t></si></sst>"), host::LimitError);

  host::ReadBudget cells;
  cells.AddCells(host::kMaxCells);
  EXPECT_THROW(cells.AddCells(1), host::LimitError);
}

}  // namespace
