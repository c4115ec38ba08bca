// Legacy .xls workbooks: read once with values only, saved as a new .xlsx
// beside the original, which is never written, nor is a file already there.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "host/Host.h"
#include "host/WorkbookFile.h"
#include "host/xls/XlsImport.h"
#include "host/xls/XlsReaderChild.h"
#include "host/xls/XlsSheetsWire.h"
#include "support/HostFailure.h"
#include "support/Interop.h"

namespace {

using testsupport::HostFailure;
using testsupport::ReadFileBytes;
const std::string kData = std::string(ALLELESCOPE_SOURCE_DIR) + "/tests/host/data/";

std::string Text(host::Workbook& book, const char* sheet, const char* address) {
  return host::ValueText(book.SheetByName(sheet).GetRange(address).Value());
}

// data/apple.xls: written by openpyxl, converted by LibreOffice; Apple.org
// holds C5 "180/192" and D5 3.25, the sheet 品種 holds A1 "ﾘﾝｺﾞ".
TEST(XlsImport, ValuesComeInAndResultsGoToANewXlsxBeside) {
  testsupport::TempDir dir;
  const std::string xls = dir.File("apple.xls");
  const std::string original = ReadFileBytes(kData + "apple.xls");
  testsupport::WriteFileBytes(xls, original);
  testsupport::WriteFileBytes(dir.File("apple.xlsx"), "someone else's");

  host::Application app;
  host::Workbook& book = app.Open(xls);
  ASSERT_EQ(book.SheetCount(), 2);
  EXPECT_EQ(Text(book, "Apple.org", "C5") + Text(book, "Apple.org", "D5"), "180/1923.25");
  EXPECT_EQ(book.Sheet(2).Name(), "品種");
  EXPECT_EQ(Text(book, "品種", "A1"), "ﾘﾝｺﾞ");
  EXPECT_EQ(book.SavePath(), dir.File("apple (2).xlsx"));

  book.AddSheet().SetName("Apple.err");
  book.SheetByName("Apple.org").GetRange("B2").SetValue("result");
  // The name is picked again at the save: another run or program may have taken it.
  testsupport::WriteFileBytes(dir.File("apple (2).xlsx"), "written meanwhile");
  book.Save();
  EXPECT_EQ(book.SavePath(), dir.File("apple (3).xlsx"));
  EXPECT_TRUE(ReadFileBytes(xls) == original);
  EXPECT_EQ(ReadFileBytes(dir.File("apple.xlsx")), "someone else's");
  EXPECT_EQ(ReadFileBytes(dir.File("apple (2).xlsx")), "written meanwhile");
  host::Application again;
  host::Workbook& saved = again.Open(dir.File("apple (3).xlsx"));
  EXPECT_EQ(saved.SheetCount(), 3);
  EXPECT_EQ(Text(saved, "Apple.org", "B2") + Text(saved, "Apple.org", "C5"), "result180/192");
  EXPECT_EQ(host::xls::FreeXlsxPathBeside(xls), dir.File("apple (4).xlsx"));
}

// The program never reads a legacy file itself: a child reads it and sends
// the sheets back. What comes back is read whole, and bytes cut anywhere are
// refused with a message, never read past their end.
TEST(XlsImport, TheSheetsComeBackFromTheChildAndCutBytesAreRefused) {
  const std::string xls = kData + "apple.xls";
  const host::xls::LegacyRead read = host::xls::ReadInChild(xls);
  ASSERT_EQ(read.outcome, host::xls::LegacyRead::kWhole);
  host::Application app;
  host::Workbook book(&app, xls, host::NewXlsxBackend(), host::StyleTable::Default());
  host::xls::DecodeSheets(read.sheets, book, xls);
  ASSERT_EQ(book.SheetCount(), 2);
  EXPECT_EQ(Text(book, "Apple.org", "C5") + Text(book, "Apple.org", "D5"), "180/1923.25");
  EXPECT_EQ(host::xls::EncodeSheets(book), read.sheets);

  for (size_t cut = 0; cut < read.sheets.size(); ++cut) {
    host::Workbook partial(&app, xls, host::NewXlsxBackend(), host::StyleTable::Default());
    EXPECT_THROW(host::xls::DecodeSheets(read.sheets.substr(0, cut), partial, xls), host::HostError)
        << cut;
  }
}

// data/sheet-names.xls (openpyxl, then LibreOffice): sheets "Sheet2", "History"
// (reserved) and "Sheet1", A1 "two", "history", "one". A name that cannot stay
// gets a free one, and never the name of a sheet that comes later.
TEST(XlsImport, SheetNamesThatCannotStayGetFreeOnes) {
  host::Application app;
  host::Workbook& book = app.Open(kData + "sheet-names.xls");
  ASSERT_EQ(book.SheetCount(), 3);
  const char* names[][2] = {{"Sheet2", "two"}, {"Sheet3", "history"}, {"Sheet1", "one"}};
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(book.Sheet(k).Name(), names[k - 1][0]);
    EXPECT_EQ(host::ValueText(book.Sheet(k).GetRange("A1").Value()), names[k - 1][1]);
  }
}

template <typename T>
std::string Raw(T value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// A sheet as the child sends it: its name, then one number at (row, column).
std::string WireSheet(const std::string& name, int32_t row = 1, int16_t column = 1) {
  return Raw(uint32_t(name.size())) + name + Raw(uint32_t(1)) + Raw(row) + Raw(column) +
         std::string(1, '\0') + Raw(1.5);
}

// Bytes no reader child sends are refused with the import's message, never
// read on: a row 0 once reached a null row, and a sheet count past the legacy
// limit once took the parent minutes of name checks.
TEST(XlsImport, AnswersNoReaderChildSendsAreRefused) {
  host::Application app;
  const auto decode = [&](const std::string& bytes) {
    host::Workbook book(&app, "x.xls", host::NewXlsxBackend(), host::StyleTable::Default());
    host::xls::DecodeSheets(bytes, book, "x.xls");
    return book.SheetCount();
  };
  EXPECT_EQ(decode(Raw(uint32_t(2)) + WireSheet("A") + WireSheet("B", 2, 3)), 2);
  for (const std::string& bytes :
       {Raw(uint32_t(1)) + WireSheet("A", 0), Raw(uint32_t(1)) + WireSheet("A", 1, 0),
        Raw(uint32_t(1)) + WireSheet("A", -1), Raw(uint32_t(0)),
        Raw(uint32_t(1)) + WireSheet("a/b"), Raw(uint32_t(1)) + WireSheet(""),
        Raw(uint32_t(2)) + WireSheet("A") + WireSheet("a"),
        Raw(~uint32_t(0)) + WireSheet("A") + WireSheet("B")}) {
    const host::HostError e = HostFailure([&] { decode(bytes); });
    EXPECT_EQ(e.File(), "x.xls") << bytes.size() << " bytes";
    EXPECT_NE(e.Reason().find("damaged"), std::string::npos) << e.Reason();
  }
  std::string most = Raw(uint32_t(host::kMaxLegacySheets));
  for (unsigned k = 0; k < host::kMaxLegacySheets; ++k) {
    const std::string name = "S" + std::to_string(k);
    most += Raw(uint32_t(name.size())) + name + Raw(uint32_t(0));
  }
  EXPECT_EQ(decode(most), int(host::kMaxLegacySheets));
  most.replace(0, 4, Raw(uint32_t(host::kMaxLegacySheets + 1)));
  EXPECT_THROW(decode(most + WireSheet("A")), host::HostError);
}

// The legacy reader holds a cell for every position a sheet claims: the child
// that reads a file first gets no more memory than the bound, so a small file
// that claims gigabytes is refused instead of taking them.
TEST(XlsImport, ReaderMemoryIsBounded) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    host::xls::LimitLegacyReaderMemory();
    void* within = std::malloc(host::kMaxLegacyReadBytes / 2);
    void* beyond = std::malloc(2 * host::kMaxLegacyReadBytes);
    _exit(!within ? 2 : beyond ? 3 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  // Under AddressSanitizer a refused allocation ends the child instead.
  ASSERT_TRUE(WIFEXITED(status) || WIFSIGNALED(status));
  if (WIFEXITED(status)) {
    EXPECT_NE(WEXITSTATUS(status), 2) << "memory within the bound was refused";
    EXPECT_NE(WEXITSTATUS(status), 3) << "memory beyond the bound was given";
  }
}

// The child reads under a bound on processor time too, and a child that
// loops is reported as such; it keeps none of the program's descriptors (the
// run lock's among them), and a child that cannot be made says why.
int programsDescriptor = -1;
TEST(XlsImport, TheReaderChildIsBoundedInTimeAndHoldsNothingOfTheProgram) {
  using host::xls::LegacyRead;
  const auto loops = [](const std::string&) -> LegacyRead {
    volatile bool spin = true;
    while (spin) {
    }
    return {};
  };
  EXPECT_EQ(host::xls::ReadInChild("slow.xls", loops, 1).outcome, LegacyRead::kTooSlow);
  host::xls::SetLegacyReader([](const std::string&) {
    return LegacyRead{LegacyRead::kTooSlow, {}, {}, {}, {}};
  });
  host::Application app;
  const host::HostError slow = HostFailure([&] { host::xls::ImportXls(app, "slow.xls"); });
  EXPECT_EQ(slow.File(), "slow.xls");
  EXPECT_NE(slow.Reason().find("took too long to read"), std::string::npos) << slow.Reason();
  host::xls::SetLegacyReader(nullptr);

  programsDescriptor = open(ALLELESCOPE_SOURCE_DIR, O_RDONLY);
  ASSERT_GE(programsDescriptor, 0);
  const auto holds = [](const std::string&) {
    LegacyRead read;
    if (fcntl(programsDescriptor, F_GETFD) >= 0) read.outcome = LegacyRead::kRefused;
    return read;
  };
  EXPECT_EQ(host::xls::ReadInChild("x.xls", holds).outcome, LegacyRead::kWhole);
  close(programsDescriptor);

  const pid_t child = fork();  // a process without a descriptor to spare for the pipe
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rlimit none;
    getrlimit(RLIMIT_NOFILE, &none);
    none.rlim_cur = 0;
    setrlimit(RLIMIT_NOFILE, &none);
    const LegacyRead read = host::xls::ReadInChild("x.xls");
    _exit(read.outcome == LegacyRead::kRefused && read.file == "x.xls" &&
                  read.reason.find(std::strerror(EMFILE)) != std::string::npos
              ? 0
              : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "no reason for no child";
}

// The reader child's refusal comes back whole, and is reported as the child
// met it, without the library ever reading the file in this process.
TEST(XlsImport, TheReaderChildsRefusalComesBackWholeAndIsReportedAsItIs) {
  using host::xls::LegacyRead;
  testsupport::TempDir dir;
  const std::string junk = dir.File("junk.xls");
  testsupport::WriteFileBytes(
      junk, std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, 'x'));
  const LegacyRead refused = host::xls::ReadInChild(junk);
  EXPECT_EQ(refused.outcome, LegacyRead::kRefused);
  EXPECT_EQ(refused.operation, "Open");
  EXPECT_EQ(refused.file, junk);
  EXPECT_NE(refused.reason.find("damaged"), std::string::npos) << refused.reason;

  const std::string bytes = host::xls::EncodeLegacyRead(refused);
  const LegacyRead back = host::xls::DecodeLegacyRead(bytes);
  EXPECT_EQ(back.file, junk);
  EXPECT_EQ(back.reason, refused.reason);
  EXPECT_EQ(host::xls::DecodeLegacyRead(bytes.substr(0, 10)).file, junk.substr(0, 4));  // cut short
  for (const char* died : {"", "\x7F"})  // before it answered
    EXPECT_EQ(host::xls::DecodeLegacyRead(died).outcome, LegacyRead::kCrashed);

  host::xls::SetLegacyReader([](const std::string&) {
    return LegacyRead{LegacyRead::kRefused, "Open", "book.xls", "protected", {}};
  });
  host::Application app;
  // Reading the file here would say it does not exist.
  const host::HostError e = HostFailure([&] { host::xls::ImportXls(app, dir.File("absent.xls")); });
  EXPECT_EQ(e.File(), "book.xls");
  EXPECT_EQ(e.Reason(), "protected");
  host::xls::SetLegacyReader(nullptr);
}

}  // namespace
