#include "report/Run.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "messages/InterfaceTexts.h"
#include "report/Combination.h"
#include "report/Conversion.h"
#include "report/ErrorLog.h"
#include "report/Formatting.h"
#include "report/Information.h"
#include "report/RunStaleSheets.h"
#include "report/SheetAccess.h"
#include "report/SheetFit.h"
#include "report/Ukai.h"
#include "report/Zoo.h"

namespace report {
namespace {

void Announce(Progress& progress, msg::Ui stage) {
  progress.Stage(msg::Text(stage));
  progress.Comment("");
}

// The error log and the conversion sheets, framed before the source is read.
void OpenConversionSheets(RunContext& ctx, host::Worksheet& source) {
  RunSheets& h = ctx.sheets;
  const std::string& base = ctx.SheetBaseName;
  const bool ssr = ctx.kind == store::DataKind::Ssr;
  h.SrcSheet = &source;  // before any sheet is opened: the source is never one of them
  SheetOpen(ctx, h.ErrSheet, base + ".err");
  ErrorSheetFormat(ctx, *h.ErrSheet);
  if (ssr) {
    SheetOpen(ctx, h.SsrSheet, base + ".ssr");
    SheetOpen(ctx, h.TssrSheet, base + ".tssr");
    SheetOpen(ctx, h.PekSheet, base + ".pek");
  }
  SheetOpen(ctx, h.ChrSheet, base + ".chr");
  SheetOpen(ctx, h.AllSheet, base + ".all");
  SheetOpen(ctx, h.GntSheet, base + ".gnt");
  if (ssr) {
    TransSheetFormat(ctx, source, *h.SsrSheet, Notation::Ssr);
    TransSheetFormat(ctx, source, *h.TssrSheet, Notation::Tssr);
    TransSheetFormat(ctx, source, *h.PekSheet, Notation::Pek);
  }
  TransSheetFormat(ctx, source, *h.ChrSheet, Notation::Chr);
  InformationSheetFormat(ctx, source, *h.AllSheet, StatisticsSheet::Alleles);
  InformationSheetFormat(ctx, source, *h.GntSheet, StatisticsSheet::Genotypes);
}

// Sheets nothing writes again are laid out now and compress while the run
// goes on (a finished sheet is no longer fitted at the end).
void FinishSheets(std::initializer_list<host::Worksheet*> sheets) {
  for (host::Worksheet* sheet : sheets) {
    if (sheet != nullptr && sheet->Loaded()) FitAndFinish(*sheet);
  }
}

// The optional sheets, written only from data without problems.
void WriteOptions(RunContext& ctx, host::Worksheet& source, const RunOptions& options,
                  Progress& progress) {
  RunSheets& h = ctx.sheets;
  const std::string& base = ctx.SheetBaseName;
  if (options.zoo) {
    Announce(progress, msg::Ui::ZooRunning);
    ZooMake(ctx);
    FinishSheets({h.ChrSheet});
  }
  if (options.combination) {
    Announce(progress, msg::Ui::CombinationRunning);
    SheetOpen(ctx, h.CmbSheet, base + ".cmb");
    CombinationSheetFormat(ctx, source, *h.CmbSheet);
    CombinationMake(ctx);
  }
  if (options.ukai) {
    Announce(progress, msg::Ui::UKaiRunning);
    SheetOpen(ctx, h.UkaiSheet, base + ".ukai");
    UKaiSheetFormat(ctx, source, *h.UkaiSheet);
    UKaiCal(ctx);
  }
}

}  // namespace

SourceKind CheckType(host::Worksheet& sheet) {
  // The typed cells of the table as the reading takes it (up to the first
  // empty name, within the limits) vote: SSR when most hold a "/". One
  // mistyped cell then gets its own error row instead of turning a whole SSR
  // table into character data. A tie goes to the first typed cell, row by
  // row, which alone decided before; a table with no typed cell is character data.
  const host::Range corner = Anchor(sheet);
  auto text = [&](int r, int c) {
    return sheet.Cell(corner.Row() + r, corner.Column() + c).Text();
  };
  const int markerRoom = std::min(store::kMaxMarkers, host::kMaxColumns - corner.Column());
  const int varietyRoom = std::min(store::kMaxVarieties, host::kMaxRows - corner.Row());
  int markers = 0;
  while (markers < markerRoom && !text(0, markers + 1).empty()) ++markers;
  int slashed = 0, typed = 0;
  bool firstSlashed = false;
  for (int i = 1; i <= varietyRoom && !text(i, 0).empty(); ++i) {
    for (int j = 1; j <= markers; ++j) {
      const std::string cell = text(i, j);
      if (cell.empty()) continue;
      const bool slash = cell.find('/') != std::string::npos;
      if (typed++ == 0) firstSlashed = slash;
      if (slash) ++slashed;
    }
  }
  const bool ssr = 2 * slashed > typed || (2 * slashed == typed && typed > 0 && firstSlashed);
  return ssr ? SourceKind::Ssr : SourceKind::Character;
}

RunOutcome WriteResults(host::Worksheet& source, SourceKind kind, const RunOptions& options,
                        const std::vector<std::string>& listed, Progress& progress) {
  host::Workbook& book = source.Parent();
  RunContext ctx;
  ctx.ExcelApp = &book.Parent();
  ctx.ExcelBook = &book;
  ctx.SheetBaseName = source.Name().substr(0, source.Name().find('.'));
  ctx.kind = kind == SourceKind::Ssr ? store::DataKind::Ssr : store::DataKind::Character;
  ctx.lstSheet = listed;
  ctx.progress = &progress;

  OpenConversionSheets(ctx, source);
  Announce(progress, msg::Ui::Reading);
  SourceDataRead(ctx, source);
  if (kind == SourceKind::Ssr) {
    Announce(progress, msg::Ui::ConvertingSsr);
    AdaptSSR(ctx);
  } else {
    Announce(progress, msg::Ui::CountingChr);
    CountChr(ctx);
  }
  // The 0/1 sheets take the character sheet's title: it is finished after them.
  RunSheets& h = ctx.sheets;
  FinishSheets({h.SsrSheet, h.TssrSheet, h.PekSheet, h.AllSheet, h.GntSheet,
                options.zoo ? nullptr : h.ChrSheet});
  if (ctx.errors.ErrorRow == 0) WriteOptions(ctx, source, options, progress);
  ClearStaleSheets(ctx, options);
  SheetsSort(book, ctx.sheets);
  // A finished sheet was laid out when it was finished; fitting it again
  // would only bring its cells back into memory.
  for (host::Worksheet* written : ctx.sheets.openedThisRun)
    if (written->Loaded()) FitSheet(*written);

  RunOutcome outcome;
  outcome.problems = ctx.errors.problems;
  for (int k = 1; k <= book.SheetCount(); ++k) {
    host::Worksheet& sheet = book.Sheet(k);
    for (const host::Worksheet* written : ctx.sheets.openedThisRun) {
      if (written == &sheet) outcome.sheetsWritten.push_back(sheet.Name());
    }
  }
  return outcome;
}

}  // namespace report
