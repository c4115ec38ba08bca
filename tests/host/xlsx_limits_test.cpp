// Hostile packages that expand enormously: each is refused with a message
// naming the file and the part, within a bounded amount of memory.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <string>

#include "host/Host.h"
#include "host/ReadLimits.h"
#include "host/xlsx/SharedStrings.h"
#include "support/Interop.h"
#include "support/ZipBomb.h"

namespace {

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
  int err = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_RDONLY, &err);
  std::string part;
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0) && part.empty(); ++i) {
    const std::string name = zip_get_name(z, static_cast<zip_uint64_t>(i), 0);
    if (name.rfind("xl/worksheets/", 0) == 0) part = name;
  }
  zip_discard(z);
  return part;
}

struct Outcome {
  int status = -1;      // 0 refused with a HostError, 1 opened, 2 another exception
  std::string message;  // the error's text
};

// Opens the workbook and reads its first sheet in a child process held to
// kMemoryCap, so a reader that runs away ends the child and not the tests.
Outcome OpenCapped(const std::string& path) {
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
      book.Sheet(1).GetRange("A1").Value();
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
  waitpid(pid, &status, 0);
  out.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return out;
}

const char* kSheetHead =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";

struct Bomb {
  const char* what;
  std::string head, block, tail;
  uint64_t repeat;
  const char* reason;  // a word of the refusal's reason
};

TEST(ReadLimits, ExpandingSheetsAreRefusedWithinBoundedMemory) {
  const std::string x(1 << 16, 'x');
  const std::string tiny = [] {
    std::string row = "<row>";
    for (int c = 0; c < 16000; ++c) row += "<c><v>1</v></c>";
    return row + "</row>";
  }();
  const Bomb bombs[] = {
      // A variety name of 1.5 GiB.
      {"long text",
       std::string(kSheetHead) + R"(<sheetData><row r="5"><c r="B5" t="inlineStr"><is><t>)", x,
       "</t></is></c></row></sheetData></worksheet>", 24576, "characters"},
      // 3.6 GiB of cells, a few bytes each.
      {"tiny cells", std::string(kSheetHead) + "<sheetData>", tiny, "</sheetData></worksheet>",
       16000, "cells"},
      // An element the program keeps as written, of 3 GiB.
      {"kept element", std::string(kSheetHead) + "<sheetData/><extLst><ext>", x,
       "</ext></extLst></worksheet>", 49152, "element"},
      // A tag of 1.5 GiB, which the XML parser would hold whole.
      {"long tag", std::string(kSheetHead) + R"(<sheetData><row r="1" spans=")", x,
       R"("/></sheetData></worksheet>)", 24576, "tag"},
      // Ten million levels of nesting.
      {"nesting", std::string(kSheetHead) + "<extLst>", std::string(1000 * 3, ' '), "", 0,
       "levels"},
  };
  for (Bomb bomb : bombs) {
    if (bomb.repeat == 0) {  // the nesting: the block opens 1,000 levels
      bomb.block.clear();
      for (int i = 0; i < 1000; ++i) bomb.block += "<a>";
      bomb.repeat = 10000;
    }
    TempDir dir;
    const std::string base = dir.File("base.xlsx"), path = dir.File("bomb.xlsx");
    const std::string part = MakeBook(base);
    testsupport::WriteWithRepeatedPart(
        base, path, RepeatedPart{part, bomb.head, bomb.block, bomb.tail, bomb.repeat});
    const Outcome out = OpenCapped(path);
    EXPECT_EQ(out.status, 0) << bomb.what << ": " << out.message;
    EXPECT_NE(out.message.find(path), std::string::npos) << bomb.what << ": " << out.message;
    EXPECT_NE(out.message.find(part), std::string::npos) << bomb.what << ": " << out.message;
    EXPECT_NE(out.message.find(bomb.reason), std::string::npos) << bomb.what << ": " << out.message;
  }
}

TEST(ReadLimits, ExpandingStyleSheetIsRefusedWithinBoundedMemory) {
  TempDir dir;
  const std::string base = dir.File("base.xlsx"), path = dir.File("bomb.xlsx");
  MakeBook(base);
  // 1.5 GiB of cell formats.
  testsupport::WriteWithRepeatedPart(
      base, path,
      {"xl/styles.xml",
       R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><cellXfs>)",
       [] {
         std::string xfs;
         for (int i = 0; i < 8000; ++i) xfs += "<xf numFmtId=\"0\"/>";
         return xfs;
       }(),
       "</cellXfs></styleSheet>", 10000});
  const Outcome out = OpenCapped(path);
  EXPECT_EQ(out.status, 0) << out.message;
  EXPECT_NE(out.message.find(path), std::string::npos) << out.message;
  EXPECT_NE(out.message.find("xl/styles.xml"), std::string::npos) << out.message;
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
