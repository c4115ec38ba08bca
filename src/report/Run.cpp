#include "report/Run.h"

#include <memory>

#include "analysis/Information.h"
#include "analysis/Options.h"
#include "app/core/StatusSink.h"
#include "convert/Conversion.h"
#include "format/Format.h"
#include "host/ErrorLog.h"
#include "host/SheetAccess.h"
#include "messages/InterfaceTexts.h"

namespace report {
namespace {

// The procedures report their details through the run context's sink.
class CommentSink : public app::NullStatus {
 public:
  explicit CommentSink(Progress& progress) : progress_(progress) {}
  void SetComment(const std::string& text) override { progress_.Comment(text); }

 private:
  Progress& progress_;
};

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
  host::Range corner = sheet.GetRange("B4");
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
  CommentSink sink(progress);
  host::RunContext ctx;
  ctx.ExcelApp = &book.Parent();
  ctx.ExcelBook = &book;
  ctx.SheetBaseName = source.Name().substr(0, source.Name().find('.'));
  ctx.store = &s;
  ctx.lstSheet = listed;
  ctx.status = &sink;
  s.ErrorOut = [&ctx](const std::string& message, int variety, int marker) {
    host::ErrorOut(ctx, message, variety, marker);
  };
  s.DataType = kind == SourceKind::Ssr ? "ssr" : "chr";
  host::SheetHandles& h = ctx.sheets;
  const std::string& base = ctx.SheetBaseName;

  host::SheetOpen(ctx, h.ErrSheet, base + ".err");
  host::ErrorSheetFormat(ctx, *h.ErrSheet);
  h.SrcSheet = &source;
  if (kind == SourceKind::Ssr) {
    host::SheetOpen(ctx, h.SsrSheet, base + ".ssr");
    host::SheetOpen(ctx, h.TssrSheet, base + ".tssr");
    host::SheetOpen(ctx, h.PekSheet, base + ".pek");
  }
  host::SheetOpen(ctx, h.ChrSheet, base + ".chr");
  host::SheetOpen(ctx, h.AllSheet, base + ".all");
  host::SheetOpen(ctx, h.GntSheet, base + ".gnt");
  if (kind == SourceKind::Ssr) {
    convert::TransSheetFormat(ctx, source, *h.SsrSheet, "s");
    convert::TransSheetFormat(ctx, source, *h.TssrSheet, "t");
    convert::TransSheetFormat(ctx, source, *h.PekSheet, "p");
  }
  convert::TransSheetFormat(ctx, source, *h.ChrSheet, "c");
  analysis::InformationSheetFormat(ctx, source, *h.AllSheet, "a");
  analysis::InformationSheetFormat(ctx, source, *h.GntSheet, "g");
  Announce(progress, msg::Ui::Reading);
  host::SourceDataRead(ctx, source);
  if (kind == SourceKind::Ssr) {
    Announce(progress, msg::Ui::ConvertingSsr);
    convert::AdaptSSR(ctx);
  } else {
    Announce(progress, msg::Ui::CountingChr);
    convert::CountChr(ctx);
  }

  if (s.ErrorRow == 0) {
    if (options.zoo) {
      Announce(progress, msg::Ui::ZooRunning);
      analysis::ZooMake(ctx);
    }
    if (options.combination) {
      Announce(progress, msg::Ui::CombinationRunning);
      host::SheetOpen(ctx, h.CmbSheet, base + ".cmb");
      analysis::CombinationSheetFormat(ctx, source, *h.CmbSheet);
      analysis::CombinationMake(ctx);
    }
    if (options.ukai) {
      Announce(progress, msg::Ui::UKaiRunning);
      host::SheetOpen(ctx, h.UkaiSheet, base + ".ukai");
      analysis::UKaiSheetFormat(ctx, source, *h.UkaiSheet);
      analysis::UKaiCal(ctx);
    }
  }
  format::SheetsSort(book, h);

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
