#pragma once
// The locus table of a source as text: the per-marker figures the summary
// sheet shows, for a terminal or for other programs.
#include <string>
#include <vector>

#include "app/core/Session.h"
#include "app/core/SourceCheck.h"

namespace app {

enum class TableFormat {
  Text,  // aligned columns, rounded for reading
  Tsv,   // tab-separated, numbers in full precision
};

struct LocusReport {
  std::vector<DataProblem> problems;  // any: no text
  std::string text;                   // a head line, a line per marker, the means
};

// The heads of the table's columns, in order.
extern const std::vector<std::string> kLocusHeads;

// Summarizes the source `sheet` of the session's workbook. Throws as
// Session::ReadGenotypes does.
LocusReport SummarizeSource(Session& session, const std::string& sheet, TableFormat format);

}  // namespace app
