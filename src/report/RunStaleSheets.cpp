#include "report/RunStaleSheets.h"

#include <string>
#include <string_view>

#include "messages/SheetTexts.h"
#include "messages/SummarySheetTexts.h"
#include "report/Formatting.h"
#include "report/SheetAccess.h"
#include "report/SheetFit.h"

namespace report {
namespace {

namespace texts = msg::sheet;

// Cleared rather than removed: the sheet keeps its place, its name and what
// refers to it, the next run with the option fills it again, and the note
// says on the sheet itself why it is empty.
host::Worksheet* ClearWithNote(OutputSheets& outputs, const std::string& name,
                               const texts::SheetTitle& title, std::string_view note) {
  host::Worksheet* sheet = outputs.FindEarlier(name);
  if (!sheet) return nullptr;
  StartSheet(*sheet, title);
  TitleCell(*sheet).SetValue(note);
  return sheet;
}

// A sheet of the run that is still missing takes the cleared sheet, so the
// sheet keeps its place in the fixed order.
void ClearInto(OutputSheets& outputs, host::Worksheet*& slot, const std::string& name,
               const texts::SheetTitle& title, std::string_view note) {
  if (slot) return;
  slot = ClearWithNote(outputs, name, title, note);
}

}  // namespace

void ClearStaleSheets(OutputSheets& outputs, ResultSheets& sheets, const std::string& base,
                      const store::GenotypeStore& s, const RunOptions& options, bool problems) {
  const std::string_view why = problems ? texts::kSkippedForProblems : texts::kNotChosen;
  if (problems || !options.combination)
    ClearInto(outputs, sheets.pairs, base + ".cmb", texts::kCmb, why);
  if (problems || !options.ukai)
    ClearInto(outputs, sheets.identification, base + ".ukai", texts::kIdentification, why);
  if (problems || !options.summary)
    ClearInto(outputs, sheets.summary, base + ".sum", texts::kSum, why);
  if (problems || !options.relate) {
    ClearInto(outputs, sheets.distances, base + ".dst", texts::kDst, why);
    const bool written = sheets.coordinates != nullptr;
    ClearInto(outputs, sheets.coordinates, base + ".tree", texts::kTree, why);
    // Its pictures go with the table they stand above.
    if (!written && sheets.coordinates) sheets.coordinates->SetImages({});
  }
  // The 0/1 sheets are named after the markers: those of this source's
  // markers. There may be 250 of them, up to 180,000 cells each: each is let
  // go of once cleared.
  if (problems || !options.zoo) {
    for (int m = 1; m <= s.MarkerCount(); ++m)
      FitAndFinish(ClearWithNote(outputs, s.MarkerName(m) + ".zoo", texts::kZeroOne, why));
  }
  if (s.Kind() != store::DataKind::Ssr) {
    ClearInto(outputs, sheets.ssr, base + ".ssr", texts::kSsr, texts::kNotSsrData);
    ClearInto(outputs, sheets.tssr, base + ".tssr", texts::kTssr, texts::kNotSsrData);
    ClearInto(outputs, sheets.pek, base + ".pek", texts::kPek, texts::kNotSsrData);
  }
}

}  // namespace report
