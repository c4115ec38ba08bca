#include "report/Run.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "messages/InterfaceTexts.h"
#include "report/PairSheet.h"
#include "report/Conversion.h"
#include "report/ErrorLog.h"
#include "report/Formatting.h"
#include "report/StatisticsSheets.h"
#include "report/RunStaleSheets.h"
#include "report/SheetAccess.h"
#include "report/SheetFit.h"
#include "report/IdentificationSheet.h"
#include "report/ZeroOneSheets.h"

namespace report {
namespace {

void Announce(Progress& progress, msg::Ui stage) {
  progress.Stage(msg::Text(stage));
  progress.Comment("");
}

// The error log and the conversion sheets, framed before the source is read.
void OpenConversionSheets(RunContext& ctx, host::Worksheet& source) {
  RunSheets& h = ctx.sheets;
  const std::string& base = ctx.baseName;
  const bool ssr = ctx.kind == store::DataKind::Ssr;
  h.source = &source;  // before any sheet is opened: the source is never one of them
  OpenOutputSheet(ctx, h.errorLog, base + ".err");
  LayOutErrorLog(ctx, *h.errorLog);
  if (ssr) {
    OpenOutputSheet(ctx, h.ssr, base + ".ssr");
    OpenOutputSheet(ctx, h.tssr, base + ".tssr");
    OpenOutputSheet(ctx, h.pek, base + ".pek");
  }
  OpenOutputSheet(ctx, h.chr, base + ".chr");
  OpenOutputSheet(ctx, h.alleles, base + ".all");
  OpenOutputSheet(ctx, h.genotypes, base + ".gnt");
  if (ssr) {
    LayOutNotationSheet(ctx, source, *h.ssr, Notation::Ssr);
    LayOutNotationSheet(ctx, source, *h.tssr, Notation::Tssr);
    LayOutNotationSheet(ctx, source, *h.pek, Notation::Pek);
  }
  LayOutNotationSheet(ctx, source, *h.chr, Notation::Chr);
  LayOutStatisticsSheet(ctx, source, *h.alleles, StatisticsSheet::Alleles);
  LayOutStatisticsSheet(ctx, source, *h.genotypes, StatisticsSheet::Genotypes);
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
  const std::string& base = ctx.baseName;
  if (options.zoo) {
    Announce(progress, msg::Ui::ZooRunning);
    WriteZeroOneSheets(ctx);
    FinishSheets({h.chr});
  }
  if (options.combination) {
    Announce(progress, msg::Ui::CombinationRunning);
    OpenOutputSheet(ctx, h.pairs, base + ".cmb");
    LayOutPairSheet(ctx, source, *h.pairs);
    WritePairCounts(ctx);
  }
  if (options.ukai) {
    Announce(progress, msg::Ui::UKaiRunning);
    OpenOutputSheet(ctx, h.identification, base + ".ukai");
    LayOutIdentificationSheet(ctx, source, *h.identification);
    WriteIdentification(ctx);
  }
}

}  // namespace

SourceKind ClassifySource(host::Worksheet& sheet) {
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
  ctx.app = &book.Parent();
  ctx.book = &book;
  ctx.baseName = source.Name().substr(0, source.Name().find('.'));
  ctx.kind = kind == SourceKind::Ssr ? store::DataKind::Ssr : store::DataKind::Character;
  ctx.listedSheets = listed;
  ctx.progress = &progress;

  OpenConversionSheets(ctx, source);
  Announce(progress, msg::Ui::Reading);
  ReadSourceTable(ctx, source);
  if (kind == SourceKind::Ssr) {
    Announce(progress, msg::Ui::ConvertingSsr);
    WriteSsrConversions(ctx);
  } else {
    Announce(progress, msg::Ui::CountingChr);
    WriteCharacterTally(ctx);
  }
  // The 0/1 sheets take the character sheet's title: it is finished after them.
  RunSheets& h = ctx.sheets;
  FinishSheets({h.ssr, h.tssr, h.pek, h.alleles, h.genotypes,
                options.zoo ? nullptr : h.chr});
  if (ctx.errors.rows == 0) WriteOptions(ctx, source, options, progress);
  ClearStaleSheets(ctx, options);
  OrderResultSheets(book, ctx.sheets);
  // A finished sheet was laid out when it was finished; fitting it again
  // would only bring its cells back into memory.
  for (host::Worksheet* written : ctx.sheets.openedThisRun)
    if (written->Loaded()) FitSheet(*written);

  RunOutcome outcome;
  outcome.problems = ctx.errors.problems;
  for (int k = 1; k <= book.SheetCount(); ++k) {
    host::Worksheet& sheet = book.Sheet(k);
    for (host::Worksheet* written : ctx.sheets.openedThisRun) {
      if (written == &sheet) outcome.sheetsWritten.push_back(sheet.Name());
    }
  }
  return outcome;
}

}  // namespace report
