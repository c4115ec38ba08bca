// Legacy .xls workbooks: read once with values only, saved as a new .xlsx
// beside the original, which is never written.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/Host.h"
#include "host/xls/XlsImport.h"
#include "support/Interop.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempDir;

TEST(XlsImport, ValuesComeInAndResultsGoToANewXlsxBeside) {
  if (!testsupport::HaveOpenpyxl() || !testsupport::HaveLibreOffice())
    GTEST_SKIP() << "needs openpyxl and LibreOffice to make an .xls";
  TempDir dir;
  std::string made = dir.File("apple.xlsx");
  auto gen = testsupport::RunPython(R"(
import sys, openpyxl
wb = openpyxl.Workbook()
s = wb.active
s.title = "Apple.org"
s["B4"] = "*"; s["C4"] = "M1"; s["B5"] = "Fuji"; s["C5"] = "180/192"; s["D5"] = 3.25
wb.create_sheet("品種")["A1"] = "ﾘﾝｺﾞ"
wb.save(sys.argv[1])
)",
                                    {made});
  ASSERT_EQ(gen.exitCode, 0) << gen.err;
  TempDir out;
  auto conv = testsupport::RunCommand(
      "cd " + out.Path() + " && timeout 180 soffice -env:UserInstallation=file://" + out.Path() +
      "/profile --headless --norestore --convert-to xls --outdir " + dir.Path() + " " + made);
  std::string xls = dir.File("apple.xls");
  ASSERT_TRUE(std::filesystem::exists(xls)) << conv.out << conv.err;
  std::filesystem::remove(made);
  const std::string original = ReadFileBytes(xls);
  // A file of the first free name exists already: it must not be overwritten.
  testsupport::WriteFileBytes(dir.File("apple.xlsx"), "someone else's");

  host::Application app;
  host::Workbook& book = app.Open(xls);
  ASSERT_EQ(book.SheetCount(), 2);
  host::Worksheet& src = book.SheetByName("Apple.org");
  EXPECT_EQ(host::ValueText(src.GetRange("C5").Value()), "180/192");
  EXPECT_EQ(host::ValueText(src.GetRange("D5").Value()), "3.25");
  EXPECT_EQ(host::ValueText(book.Sheet(2).GetRange("A1").Value()), "ﾘﾝｺﾞ");
  EXPECT_EQ(book.Sheet(2).Name(), "品種");
  EXPECT_EQ(book.SavePath(), dir.File("apple (2).xlsx"));

  book.AddSheet().SetName("Apple.err");
  src.GetRange("B2").SetValue("result");
  book.Save();
  EXPECT_TRUE(ReadFileBytes(xls) == original);
  EXPECT_EQ(ReadFileBytes(dir.File("apple.xlsx")), "someone else's");
  host::Application again;
  host::Workbook& saved = again.Open(dir.File("apple (2).xlsx"));
  EXPECT_EQ(saved.SheetCount(), 3);
  EXPECT_EQ(host::ValueText(saved.SheetByName("Apple.org").GetRange("B2").Value()), "result");
  EXPECT_EQ(host::ValueText(saved.SheetByName("Apple.org").GetRange("C5").Value()), "180/192");
  EXPECT_EQ(host::xls::FreeXlsxPathBeside(xls), dir.File("apple (3).xlsx"));
}

}  // namespace
