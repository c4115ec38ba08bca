#include "report/RunStaleSheets.h"

#include <string>
#include <string_view>

#include "messages/SheetTexts.h"
#include "report/Formatting.h"
#include "report/SheetAccess.h"
#include "report/SheetFit.h"

namespace report {
namespace {

namespace texts = msg::sheet;

// Cleared rather than removed: the sheet keeps its place, its name and what
// refers to it, the next run with the option fills it again, and the note
// says on the sheet itself why it is empty.
host::Worksheet* ClearWithNote(RunContext& ctx, const std::string& name,
                               const texts::SheetTitle& title, std::string_view note) {
  host::Worksheet* sheet = FindEarlierOutput(ctx, name);
  if (!sheet) return nullptr;
  StartSheet(*ctx.app, *sheet, title);
  TitleCell(*sheet).SetValue(note);
  return sheet;
}

// A handle of the run that is still empty takes the cleared sheet, so the
// sheet keeps its place in the fixed order.
void ClearInto(RunContext& ctx, host::Worksheet*& handle, const std::string& suffix,
               const texts::SheetTitle& title, std::string_view note) {
  if (handle) return;
  handle = ClearWithNote(ctx, ctx.baseName + suffix, title, note);
}

}  // namespace

void ClearStaleSheets(RunContext& ctx, const RunOptions& options) {
  RunSheets& h = ctx.sheets;
  const bool problems = ctx.errors.rows != 0;
  const std::string_view why = problems ? texts::kSkippedForProblems : texts::kNotChosen;
  if (problems || !options.combination) ClearInto(ctx, h.pairs, ".cmb", texts::kCmb, why);
  if (problems || !options.ukai) ClearInto(ctx, h.identification, ".ukai", texts::kUkai, why);
  // The 0/1 sheets are named after the markers: those of this source's
  // markers. There may be 250 of them, up to 180,000 cells each: each is let
  // go of once cleared.
  if ((problems || !options.zoo) && ctx.store) {
    for (int m = 1; m <= ctx.store->MarkerCount(); ++m)
      if (host::Worksheet* sheet =
              ClearWithNote(ctx, ctx.store->MarkerName(m) + ".zoo", texts::kZoo, why))
        FitAndFinish(*sheet);
  }
  if (ctx.kind != store::DataKind::Ssr) {
    ClearInto(ctx, h.ssr, ".ssr", texts::kSsr, texts::kNotSsrData);
    ClearInto(ctx, h.tssr, ".tssr", texts::kTssr, texts::kNotSsrData);
    ClearInto(ctx, h.pek, ".pek", texts::kPek, texts::kNotSsrData);
  }
}

}  // namespace report
