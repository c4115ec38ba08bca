#include <algorithm>
#include <string>

#include "convert/Conversion.h"
#include "format/Format.h"

namespace convert {
namespace {

struct SheetTitle {
  const char* kind;
  const char* description;
};

const SheetTitle* TitleOf(const std::string& ex) {
  static const SheetTitle kSsr{"ssr", "Numerical notation of SSR markers."};
  static const SheetTitle kTssr{
      "tssr",
      "Numerical notation of SSR markers when the smaller allele of the first vaiety is set to "
      "0 in diploid."};
  static const SheetTitle kPek{"pek", "The distance between two peakes of SSR markers in diploid."};
  static const SheetTitle kChr{"chr",
                               "Character notation. The alphabet is assigned to numerical small "
                               "order at alphabetic order in SSR marker."};
  if (ex == "s") return &kSsr;
  if (ex == "t") return &kTssr;
  if (ex == "p") return &kPek;
  if (ex == "c") return &kChr;
  return nullptr;
}

}  // namespace

void TransSheetFormat(host::RunContext& ctx, host::Worksheet& src, host::Worksheet& dst,
                      const std::string& ex) {
  host::Application& app = *ctx.ExcelApp;
  const SheetTitle* title = TitleOf(ex);

  format::StartSheet(app, dst, title ? title->kind : "", title ? title->description : "");

  format::CopyBlock(app, src, src.GetRange("B2"), dst, dst.GetRange("B2"));

  // The marker row and the variety column are copied only as far as the store
  // takes them (250 markers, 500 varieties), so that the totals block written
  // under the converted rows meets its labels.
  host::Range srcCorner = src.GetRange("B4");
  const host::Range firstMarker = srcCorner.Offset(0, 1);
  const host::Range markerEnd = firstMarker.End(host::xlToRight);
  const int lastColumn = std::min(markerEnd.Column(), srcCorner.Column() + store::kMaxMarkers);
  format::CopyBlock(app, src, src.GetRange(firstMarker, src.Cell(firstMarker.Row(), lastColumn)),
                    dst, dst.GetRange("C4"));

  src.Activate();
  if (srcCorner.Text().empty()) srcCorner.SetValue("*");
  const host::Range varietyEnd = srcCorner.End(host::xlDown);
  const int lastRow = std::min(varietyEnd.Row(), srcCorner.Row() + store::kMaxVarieties);
  format::CopyBlock(app, src, src.GetRange(srcCorner, src.Cell(lastRow, srcCorner.Column())), dst,
                    dst.GetRange("B4"));

  const host::Range dstCorner = dst.GetRange("B4");
  dstCorner.Select();
  host::Range anchor = dstCorner.End(host::xlDown).Offset(2, 0);
  anchor.Select();

  if (ex == "s" || ex == "t" || ex == "c") {
    anchor.Offset(0, -1).SetValue("Number of");
    anchor.SetValue("Allele");
    anchor.Offset(1, 0).SetValue("Genotype");
    anchor.Offset(2, 0).SetValue("Marker");
    anchor.Offset(3, 0).SetValue("Caltiver");
  } else if (ex == "p") {
    anchor.SetValue("Gray");
    anchor.Offset(0, 1).SetValue("0");
    anchor.Offset(1, 0).SetValue("Red");
    anchor.Offset(1, 1).SetValue("1 ～ 2");
    anchor.Offset(2, 0).SetValue("Yellow");
    anchor.Offset(2, 1).SetValue("3 ～ 4");
  }

  dst.Activate();
  if (ex == "p") {
    dstCorner.Select();
    dstCorner.Activate();
    format::KeisenA(app);
  }
  dstCorner.Select();
  dstCorner.Activate();
  format::Kaiten(app);
}

}  // namespace convert
