// Pictures on sheets: a drawing part with its media and relationships that
// openpyxl reads (LibreOffice prints them in RenderedSheets), replaced on a rerun without leaving
// parts behind, while a drawing the user made on another sheet stays as it was.
#include <cairo.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Host.h"
#include "host/HostError.h"
#include "support/Interop.h"
#include "support/PackageEdit.h"

namespace {

using testsupport::RunPython;
using testsupport::TempDir;

// A workbook as a user's program saves it: a table and a picture on Data.
const char* kMakeInput = R"(
import sys, openpyxl
from openpyxl.drawing.image import Image
from PIL import Image as Pil
Pil.new("RGB", (40, 30), (200, 30, 30)).save(sys.argv[2])
wb = openpyxl.Workbook(); ws = wb.active; ws.title = "Data"
ws["A1"] = "variety"; ws.add_image(Image(sys.argv[2]), "D4")
wb.save(sys.argv[1])
)";

// Each sheet's pictures as openpyxl anchors them, then every part no
// relationship reaches and every content type naming a missing part.
const char* kInspect = R"(
import sys, zipfile, posixpath, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
for ws in wb.worksheets:
    for im in ws._images:
        a = im.anchor
        print(ws.title, a._from.col, a._from.row, im.width, im.height)
z = zipfile.ZipFile(sys.argv[1]); names = set(z.namelist())
import xml.etree.ElementTree as ET
def rels_of(part):
    d, f = posixpath.split(part)
    return posixpath.join(d, "_rels", f + ".rels")
seen, todo = set(), [""]
while todo:
    part = todo.pop(); r = rels_of(part) if part else "_rels/.rels"
    if r not in names: continue
    seen.add(r)
    for rel in ET.fromstring(z.read(r)):
        if rel.get("TargetMode") == "External": continue
        t = rel.get("Target")
        t = t[1:] if t.startswith("/") else posixpath.normpath(posixpath.join(posixpath.dirname(part), t))
        if t not in seen: seen.add(t); todo.append(t)
for n in sorted(names - seen - {"[Content_Types].xml"}): print("orphan", n)
ct = ET.fromstring(z.read("[Content_Types].xml"))
for o in ct:
    if o.tag.endswith("Override") and o.get("PartName")[1:] not in names: print("dangling", o.get("PartName"))
    if o.tag.endswith("Default") and o.get("Extension").lower() == "png": print("png", o.get("ContentType"))
print("media", sum(n.startswith("xl/media/") for n in names), "drawings", sum(n.startswith("xl/drawings/drawing") for n in names))
)";

std::string Png(int width, int height, double red) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, red, 0.5, 0.8);
  cairo_paint(cr);
  cairo_destroy(cr);
  std::string bytes;
  cairo_surface_write_to_png_stream(
      surface,
      [](void* out, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(out)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
      },
      &bytes);
  cairo_surface_destroy(surface);
  return bytes;
}

// Opens `path`, gives sheet Pictures (added when missing) `images`, writes a
// cell on Data (so that sheet is rewritten too) and saves in place.
void RunWithPictures(const std::string& path, const std::vector<host::SheetImage>& images) {
  host::Application app;
  host::Workbook& book = app.Open(path);
  book.SheetByName("Data").GetRange("B1").SetValue("written");
  host::Worksheet* pictures = book.FindSheet("Pictures");
  if (!pictures) {
    pictures = &book.AddSheet();
    pictures->SetName("Pictures");
  }
  pictures->GetRange("A1").SetValue("Trees");
  pictures->SetImages(images);
  book.Save();
}

std::string Inspect(const std::string& path) {
  const auto r = RunPython(kInspect, {path});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r.out;
}

class SheetImages : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testsupport::HaveOpenpyxl()) GTEST_SKIP() << "openpyxl missing";
    const auto made = RunPython(kMakeInput, {book_, dir_.File("red.png")});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    userDrawing_ = testsupport::PartText(book_, "xl/drawings/drawing1.xml");
    ASSERT_FALSE(userDrawing_.empty());
  }
  TempDir dir_;
  std::string book_ = dir_.File("book.xlsx");
  std::string userDrawing_;
};

TEST_F(SheetImages, ReplacedOnEachRunWithoutOrphansBesideTheUsersDrawing) {
  RunWithPictures(book_, {{Png(300, 200, 0.1), 2, 2, 300, 200, "UPGMA dendrogram"},
                          {Png(120, 80, 0.9), 30, 5, 120, 80, "PCoA"}});
  EXPECT_EQ(Inspect(book_),
            "Pictures 1 1 300 200\nPictures 4 29 120 80\nData 3 3 40 30\n"
            "png image/png\nmedia 3 drawings 2\n");
  EXPECT_EQ(testsupport::PartText(book_, "xl/drawings/drawing1.xml"), userDrawing_);

  RunWithPictures(book_, {{Png(50, 60, 0.5), 3, 1, 50, 60, "NJ tree"}});
  EXPECT_EQ(Inspect(book_),
            "Pictures 0 2 50 60\nData 3 3 40 30\npng image/png\nmedia 2 drawings 2\n");

  RunWithPictures(book_, {});
  EXPECT_EQ(Inspect(book_), "Data 3 3 40 30\npng image/png\nmedia 1 drawings 1\n");
  EXPECT_EQ(testsupport::PartText(book_, "xl/drawings/drawing1.xml"), userDrawing_);
}

TEST(SheetImageModel, NewWorkbookCarriesItsPicturesThroughEverySave) {
  if (!testsupport::HaveOpenpyxl()) GTEST_SKIP() << "openpyxl missing";
  TempDir dir;
  host::Application app;
  host::Workbook& book = app.AddWorkbook(dir.File("new.xlsx"));
  book.Sheet(1).SetImages({{Png(64, 48, 0.3), 5, 3, 64, 48, "map"}});
  // Saved twice in one session: the second save replaces what the first wrote.
  for (int save = 0; save < 2; ++save) {
    book.Save();
    EXPECT_EQ(Inspect(dir.File("new.xlsx")),
              "Sheet1 2 4 64 48\npng image/png\nmedia 1 drawings 1\n");
  }
}

TEST(SheetImageModel, PicturesOffTheSheetOrWithoutSizeAreRefused) {
  host::Application app;
  TempDir dir;
  host::Workbook& book = app.AddWorkbook(dir.File("new.xlsx"));
  host::Worksheet& sheet = book.Sheet(1);
  const std::string png = Png(4, 4, 0);
  for (const host::SheetImage& bad : std::vector<host::SheetImage>{{png, 0, 1, 4, 4, ""},
                                                                   {png, 1, 16385, 4, 4, ""},
                                                                   {png, 1, 1, 0, 4, ""},
                                                                   {"", 1, 1, 4, 4, ""}})
    EXPECT_THROW(sheet.SetImages({bad}), host::HostError);
  EXPECT_FALSE(sheet.ImagesSet());
}

}  // namespace
