// The save path on its own: parts compressed on several threads, the read-back
// of what was written, and originals whose untouched parts are already damaged.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "host/Host.h"
#include "host/xlsx/PackageCheck.h"
#include "host/xlsx/PackageWriter.h"
#include "support/HostFailure.h"
#include "support/Interop.h"
#include "support/PackageEdit.h"

namespace {

using host::xlsx::SaveTuning;
using host::xlsx::SetSaveTuning;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

// Restores the default tuning however a test ends.
struct Tuned {
  explicit Tuned(SaveTuning tuning) { SetSaveTuning(tuning); }
  ~Tuned() { SetSaveTuning({}); }
};

// Several sheets large enough to be written in many pieces, with formats and
// merges; `finish` says each sheet is done once written.
void MakeBook(const std::string& path, int sheets, bool finish = false) {
  host::Application app;
  host::Workbook& book = app.AddWorkbook(path);
  for (int s = 1; s <= sheets; ++s) {
    host::Worksheet& sheet = s == 1 ? book.Sheet(1) : book.AddSheet();
    sheet.SetName("S" + std::to_string(s));
    for (int r = 1; r <= 400 * s; ++r) {
      sheet.Cell(r, 1).SetValue("variety " + std::to_string(r));
      for (int c = 2; c <= 20; ++c) sheet.Cell(r, c).SetValue((r * c) % 7 * 0.5);
    }
    sheet.GetRange("B2:C3").SetInteriorColorIndex(host::PaletteIndex(6));
    sheet.GetRange("E1:F1").SetMergeCells(true);
    sheet.SetColumnWidth(1, 14.5);  // a finished sheet keeps its layout
    sheet.FreezePanes(2, 2);
    if (finish) sheet.Finish();
  }
  // A finished sheet is still there to read and change.
  if (finish && sheets >= 2) {
    EXPECT_EQ(host::ValueText(book.SheetByName("S2").Cell(5, 3).Value()), "0.5");
    book.SheetByName("S2").Cell(5, 3).SetValue(2.5);
    book.SheetByName("S2").Finish();
  } else if (sheets >= 2) {
    book.SheetByName("S2").Cell(5, 3).SetValue(2.5);
  }
  book.Save();
}

// Where an entry's stored bytes start in the file (its local header comes first).
size_t DataOffset(const std::string& bytes, const std::string& name) {
  const size_t at = bytes.find(name);
  const size_t header = at - 30;
  const auto extra = static_cast<unsigned char>(bytes[header + 28]) +
                     256 * static_cast<unsigned char>(bytes[header + 29]);
  return at + name.size() + extra;
}

TEST(XlsxSave, BytesDoNotDependOnTheNumberOfThreads) {
  TempDir dir;
  const std::string one = dir.File("one.xlsx"), four = dir.File("four.xlsx");
  {
    Tuned tuned({.threads = 1, .partTime = 1700000000});
    MakeBook(one, 6);
  }
  {
    Tuned tuned({.threads = 4, .partTime = 1700000000});
    MakeBook(four, 6);
  }
  EXPECT_TRUE(ReadFileBytes(one) == ReadFileBytes(four));
  // Sheets kept compressed once finished are saved exactly as the others.
  const std::string finished = dir.File("finished.xlsx");
  {
    Tuned tuned({.threads = 2, .partTime = 1700000000});
    MakeBook(finished, 6, true);
  }
  EXPECT_TRUE(ReadFileBytes(one) == ReadFileBytes(finished));

  // And what was written reads back as it was made.
  host::Application app;
  host::Workbook& book = app.Open(four);
  host::Worksheet& last = book.SheetByName("S6");
  EXPECT_EQ(host::ValueText(last.Cell(2400, 1).Value()), "variety 2400");
  EXPECT_EQ(host::ValueText(last.Cell(2400, 20).Value()), "0.5");
  EXPECT_EQ(host::ValueText(book.SheetByName("S2").Cell(5, 3).Value()), "2.5");
}

TEST(XlsxSave, ReadBackCatchesDamageOnDisk) {
  TempDir dir;
  const std::string path = dir.File("parts.xlsx");
  const std::string small = "<a/>";
  std::string large;
  for (int k = 0; k < 20000; ++k) large += "<row r=\"" + std::to_string(k) + "\"/>";
  std::set<std::string> names = {"small.xml", "large.xml"};
  std::map<std::string, host::xlsx::ExpectedEntry> expected;
  {
    host::xlsx::PackageWriter writer(path);
    writer.Add("small.xml", small);
    writer.AddProduced(
        "large.xml", [&](const host::xlsx::PackageWriter::Sink& sink) { sink(large); },
        large.size());
    writer.Close();
    expected = writer.Expected();
  }
  EXPECT_NO_THROW(host::xlsx::VerifyPackage(path, names, {{"small.xml", small}}, expected));
  EXPECT_EQ(expected.at("large.xml").size, large.size());

  // One flipped bit inside the compressed sheet: the headers still agree.
  std::string bytes = ReadFileBytes(path);
  bytes[DataOffset(bytes, "large.xml") + 100] ^= 0x10;
  WriteFileBytes(path, bytes);
  try {
    host::xlsx::VerifyPackage(path, names, {{"small.xml", small}}, expected);
    ADD_FAILURE() << "damage not seen";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("large.xml"), std::string::npos) << e.what();
  }
  names.insert("missing.xml");
  EXPECT_THROW(host::xlsx::VerifyPackage(path, names, {}, expected), std::runtime_error);
}

TEST(XlsxSave, DamagedUntouchedPartIsNotPassedOn) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  MakeBook(path, 2);
  // A part no operation touches (custom XML travels byte for byte), then one
  // flipped bit in its compressed data: the directory still vouches for it.
  const std::string part = "customXml/item1.xml";
  std::string custom = "<items>";
  for (int k = 0; k < 2000; ++k) custom += "<item n=\"" + std::to_string(k) + "\"/>";
  custom += "</items>";
  testsupport::ReplacePart(path, part, custom);
  std::string bytes = ReadFileBytes(path);
  bytes[DataOffset(bytes, part) + 40] ^= 0x10;
  WriteFileBytes(path, bytes);

  host::Application app;
  host::Workbook& book = app.Open(path);
  book.SheetByName("S2").Cell(1, 1).SetValue("changed");
  const host::HostError e = testsupport::HostFailure([&] { book.Save(); });
  EXPECT_EQ(e.File(), path);
  EXPECT_NE(e.Reason().find(part), std::string::npos) << e.Reason();
  EXPECT_TRUE(ReadFileBytes(path) == bytes);
}

}  // namespace
