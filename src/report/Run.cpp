#include "report/Run.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "analysis/Distances.h"
#include "messages/InterfaceTexts.h"
#include "report/Conversion.h"
#include "report/ErrorLog.h"
#include "report/Formatting.h"
#include "report/Groups.h"
#include "report/IdentificationSheet.h"
#include "report/PairSheet.h"
#include "report/RelateSheets.h"
#include "report/RunStaleSheets.h"
#include "report/SheetAccess.h"
#include "report/SheetFit.h"
#include "report/StatisticsSheets.h"
#include "report/SummarySheet.h"
#include "report/ZeroOneSheets.h"

namespace report {
namespace {

void Announce(Progress& progress, msg::Ui stage) {
  progress.Stage(msg::Text(stage));
  progress.Comment("");
}

// The error log and the conversion sheets, opened before the source is read.
ResultSheets OpenConversionSheets(OutputSheets& outputs, host::Worksheet& source,
                                  const std::string& base, bool ssr) {
  ResultSheets sheets;
  sheets.source = &source;
  sheets.errorLog = &outputs.Open(base + ".err");
  LayOutErrorLog(*sheets.errorLog);
  if (ssr) {
    sheets.ssr = &outputs.Open(base + ".ssr");
    sheets.tssr = &outputs.Open(base + ".tssr");
    sheets.pek = &outputs.Open(base + ".pek");
  }
  sheets.chr = &outputs.Open(base + ".chr");
  sheets.alleles = &outputs.Open(base + ".all");
  sheets.genotypes = &outputs.Open(base + ".gnt");
  return sheets;
}

// The frames of the conversion sheets, each with the source's names.
void LayOutConversionSheets(host::Worksheet& source, const ResultSheets& sheets) {
  MarkEmptyCorner(source);
  if (sheets.ssr) {
    LayOutNotationSheet(source, *sheets.ssr, Notation::Ssr);
    LayOutNotationSheet(source, *sheets.tssr, Notation::Tssr);
    LayOutNotationSheet(source, *sheets.pek, Notation::Pek);
  }
  LayOutNotationSheet(source, *sheets.chr, Notation::Chr);
  LayOutStatisticsSheet(source, *sheets.alleles, StatisticsSheet::Alleles);
  LayOutStatisticsSheet(source, *sheets.genotypes, StatisticsSheet::Genotypes);
}

// Reads the source, converts or tallies it and logs what was found.
store::GenotypeStore ReadAndConvert(host::Worksheet& source, store::DataKind kind,
                                    const ResultSheets& sheets, ErrorLog& log, Progress& progress) {
  Announce(progress, msg::Ui::Reading);
  SourceTable table = ReadSourceTable(source, kind, progress);
  store::GenotypeStore& s = table.store;
  log.Write(table.limits, s);
  const ConversionSheets conversion{sheets.ssr,  sheets.tssr,     sheets.pek,
                                    *sheets.chr, *sheets.alleles, *sheets.genotypes};
  if (kind == store::DataKind::Ssr) {
    Announce(progress, msg::Ui::ConvertingSsr);
    log.Write(WriteSsrConversions(s, conversion, progress), s);
  } else {
    Announce(progress, msg::Ui::CountingChr);
    log.Write(WriteCharacterTally(s, conversion, progress), s);
  }
  FitAndFinish(sheets.alleles);
  FitAndFinish(sheets.genotypes);
  return std::move(table.store);
}

// Each variety's population from the workbook's Groups sheet; none without one.
std::vector<std::string> WorkbookPopulations(const host::Worksheet& source,
                                             const store::GenotypeStore& s) {
  const auto groups = ReadGroups(source.Parent());
  return groups ? PopulationsOf(s, *groups) : std::vector<std::string>();
}

// The summary sheet, with the figures by group where the workbook has groups.
// Returns how many groups of varieties no marker tells apart.
int WriteSummary(OutputSheets& outputs, ResultSheets& sheets, const std::string& base,
                 const store::GenotypeStore& s, Progress& progress) {
  Announce(progress, msg::Ui::SummaryRunning);
  host::Worksheet& source = *sheets.source;
  sheets.summary = &outputs.Open(base + ".sum");
  return WriteSummarySheet(source, *sheets.summary, s, WorkbookPopulations(source, s));
}

// The optional sheets, written only from data without problems. Returns how
// many groups of varieties no marker tells apart.
int WriteOptions(OutputSheets& outputs, ResultSheets& sheets, const std::string& base,
                 const store::GenotypeStore& s, const RunOptions& options, Progress& progress) {
  host::Worksheet& source = *sheets.source;
  if (options.zoo) {
    Announce(progress, msg::Ui::ZeroOneRunning);
    WriteZeroOneSheets(s, outputs, *sheets.chr, progress);
    FitAndFinish(sheets.chr);
  }
  if (options.combination) {
    Announce(progress, msg::Ui::CombinationRunning);
    sheets.pairs = &outputs.Open(base + ".cmb");
    LayOutPairSheet(source, *sheets.pairs, s);
    WritePairCounts(*sheets.pairs, s, progress);
  }
  if (options.ukai) {
    Announce(progress, msg::Ui::IdentificationRunning);
    sheets.identification = &outputs.Open(base + ".ukai");
    LayOutIdentificationSheet(source, *sheets.identification, s.VarietyCount());
    WriteIdentification(*sheets.identification, s);
  }
  if (options.relate) {
    Announce(progress, msg::Ui::RelateRunning);
    const analysis::DistanceMatrix d =
        analysis::VarietyDistances(s, analysis::DistanceKind::Alleles);
    sheets.distances = &outputs.Open(base + ".dst");
    WriteDistanceSheet(source, *sheets.distances, d);
    sheets.coordinates = &outputs.Open(base + ".tree");
    WriteCoordinateSheet(source, *sheets.coordinates, d, WorkbookPopulations(source, s));
  }
  return options.summary ? WriteSummary(outputs, sheets, base, s, progress) : 0;
}

// The run's sheets in workbook order.
std::vector<std::string> WrittenInOrder(host::Workbook& book, const OutputSheets& outputs) {
  std::vector<std::string> names;
  const std::vector<host::Worksheet*>& written = outputs.Opened();
  for (int k = 1; k <= book.SheetCount(); ++k) {
    host::Worksheet& sheet = book.Sheet(k);
    if (std::find(written.begin(), written.end(), &sheet) != written.end())
      names.push_back(sheet.Name());
  }
  return names;
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
  const std::string base = source.Name().substr(0, source.Name().find('.'));
  OutputSheets outputs(source, listed, book.ActiveSheet());
  ResultSheets sheets = OpenConversionSheets(outputs, source, base, kind == SourceKind::Ssr);
  LayOutConversionSheets(source, sheets);
  ErrorLog log(*sheets.errorLog, source);
  const store::GenotypeStore s = ReadAndConvert(source, DataKindOf(kind), sheets, log, progress);
  // The 0/1 sheets take the character sheet's title: it is finished after them.
  if (!options.zoo) FitAndFinish(sheets.chr);
  const bool problems = log.Rows() != 0;
  const int identical = problems ? 0 : WriteOptions(outputs, sheets, base, s, options, progress);
  ClearStaleSheets(outputs, sheets, base, s, options, problems);
  OrderResultSheets(book, sheets);
  // A finished sheet was laid out when it was finished; fitting it again
  // would only bring its cells back into memory.
  for (host::Worksheet* written : outputs.Opened())
    if (written->Loaded()) FitSheet(*written);
  const std::string summaryName = identical > 0 ? sheets.summary->Name() : std::string();
  return {log.Problems(), WrittenInOrder(book, outputs), identical, summaryName};
}

}  // namespace report
