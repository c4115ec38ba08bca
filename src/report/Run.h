#pragma once
// One run of a source sheet: every result sheet written into its workbook, in
// the fixed order of the stages. Saving is the caller's.
#include <string>
#include <vector>

#include "host/Host.h"
#include "report/Progress.h"
#include "store/Problems.h"

namespace report {

enum class SourceKind { Ssr, Character };

struct RunOptions {
  bool zoo = false;
  bool combination = true;
  bool ukai = true;
  bool summary = true;
  bool relate = false;  // the distance and coordinate sheets
};

struct RunOutcome {
  store::ProblemSet problems;              // what the closing message reports
  std::vector<std::string> sheetsWritten;  // the run's sheets, in workbook order
  // Groups of varieties that no marker tells apart, as the summary sheet
  // (named summarySheet) lists them; none without a summary.
  int identicalGroups = 0;
  std::string summarySheet;
};

// SSR or character data, by the source's typed cells.
SourceKind ClassifySource(host::Worksheet& source);

// Writes the result sheets of `source` (named BASE.org) into its workbook.
// `listed` is the sheet list as the workbook was opened: only those sheets
// are reused. A host failure throws host::HostError and leaves the workbook
// in memory half-written; the caller reloads it from disk.
RunOutcome WriteResults(host::Worksheet& source, SourceKind kind, const RunOptions& options,
                        const std::vector<std::string>& listed, Progress& progress);

}  // namespace report
