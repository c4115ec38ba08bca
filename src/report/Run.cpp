#include "report/Run.h"

#include <memory>

#include "messages/InterfaceTexts.h"
#include "report/Combination.h"
#include "report/Conversion.h"
#include "report/ErrorLog.h"
#include "report/Formatting.h"
#include "report/Information.h"
#include "report/SheetAccess.h"
#include "report/Ukai.h"
#include "report/Zoo.h"

namespace report {
namespace {

void Announce(Progress& progress, msg::Ui stage) {
  progress.Stage(msg::Text(stage));
  progress.Comment("");
}

store::ProblemSet ProblemsOf(const store::GenotypeStore& s) {
  store::ProblemSet found;
  const std::pair<int16_t, store::Problem> flags[] = {
      {s.TooManyVarietiesFlag, store::Problem::TooManyVarieties},
      {s.TooManyMarkersFlag, store::Problem::TooManyMarkers},
      {s.NonNumericFlag, store::Problem::NonNumeric},
      {s.NotDiploidFlag, store::Problem::NotDiploid},
      {s.AlleleOverflowFlag, store::Problem::TooManyAlleles},
      {s.GenoOverflowFlag, store::Problem::TooManyGenotypes},
  };
  for (const auto& [flag, problem] : flags) {
    if (flag == store::kTrue) found.Raise(problem);
  }
  return found;
}

}  // namespace

SourceKind CheckType(host::Worksheet& sheet) {
  host::Range corner = Anchor(sheet);
  auto text = [&](int r, int c) {
    return sheet.Cell(corner.Row() + r, corner.Column() + c).Text();
  };
  std::string first = text(1, 1);
  if (first.empty()) {
    // C5 is often untyped in real data; the first typed cell of the table
    // (row by row, within the marker row and the variety column) decides.
    int markers = 0;
    while (corner.Column() + markers + 1 <= host::kMaxColumns && !text(0, markers + 1).empty())
      ++markers;
    for (int i = 1; first.empty() && corner.Row() + i <= host::kMaxRows && !text(i, 0).empty();
         ++i) {
      for (int j = 1; j <= markers; ++j) {
        first = text(i, j);
        if (!first.empty()) break;
      }
    }
  }
  return first.find('/') != std::string::npos ? SourceKind::Ssr : SourceKind::Character;
}

RunOutcome WriteResults(host::Worksheet& source, SourceKind kind, const RunOptions& options,
                        const std::vector<std::string>& listed, Progress& progress) {
  host::Workbook& book = source.Parent();
  auto storePtr = std::make_unique<store::GenotypeStore>();
  store::GenotypeStore& s = *storePtr;
  RunContext ctx;
  ctx.ExcelApp = &book.Parent();
  ctx.ExcelBook = &book;
  ctx.SheetBaseName = source.Name().substr(0, source.Name().find('.'));
  ctx.store = &s;
  ctx.lstSheet = listed;
  ctx.progress = &progress;
  s.ErrorOut = [&ctx](const std::string& message, int variety, int marker) {
    ErrorOut(ctx, message, variety, marker);
  };
  s.DataType = kind == SourceKind::Ssr ? "ssr" : "chr";
  RunSheets& h = ctx.sheets;
  const std::string& base = ctx.SheetBaseName;

  SheetOpen(ctx, h.ErrSheet, base + ".err");
  ErrorSheetFormat(ctx, *h.ErrSheet);
  h.SrcSheet = &source;
  if (kind == SourceKind::Ssr) {
    SheetOpen(ctx, h.SsrSheet, base + ".ssr");
    SheetOpen(ctx, h.TssrSheet, base + ".tssr");
    SheetOpen(ctx, h.PekSheet, base + ".pek");
  }
  SheetOpen(ctx, h.ChrSheet, base + ".chr");
  SheetOpen(ctx, h.AllSheet, base + ".all");
  SheetOpen(ctx, h.GntSheet, base + ".gnt");
  if (kind == SourceKind::Ssr) {
    TransSheetFormat(ctx, source, *h.SsrSheet, Notation::Ssr);
    TransSheetFormat(ctx, source, *h.TssrSheet, Notation::Tssr);
    TransSheetFormat(ctx, source, *h.PekSheet, Notation::Pek);
  }
  TransSheetFormat(ctx, source, *h.ChrSheet, Notation::Chr);
  InformationSheetFormat(ctx, source, *h.AllSheet, StatisticsSheet::Alleles);
  InformationSheetFormat(ctx, source, *h.GntSheet, StatisticsSheet::Genotypes);
  Announce(progress, msg::Ui::Reading);
  SourceDataRead(ctx, source);
  if (kind == SourceKind::Ssr) {
    Announce(progress, msg::Ui::ConvertingSsr);
    AdaptSSR(ctx);
  } else {
    Announce(progress, msg::Ui::CountingChr);
    CountChr(ctx);
  }

  if (s.ErrorRow == 0) {
    if (options.zoo) {
      Announce(progress, msg::Ui::ZooRunning);
      ZooMake(ctx);
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
  SheetsSort(book, h);

  RunOutcome outcome;
  outcome.problems = ProblemsOf(s);
  for (int k = 1; k <= book.SheetCount(); ++k) {
    host::Worksheet& sheet = book.Sheet(k);
    for (host::Worksheet* written : h.openedThisRun) {
      if (written == &sheet) outcome.sheetsWritten.push_back(sheet.Name());
    }
  }
  return outcome;
}

}  // namespace report
