#pragma once
// What `export` and `markers` share: a source read and checked as a run reads
// it, and writing a text file whole or not at all.
#include <iosfwd>
#include <string>

#include "app/cli/RunWorkbook.h"
#include "report/ReadGenotypes.h"

namespace cli {

struct CheckedSource {
  std::string sheet;
  report::GenotypeRead read;
  int exitCode = 0;  // kFinished, or the status that already ends the command
};

// Opens the request's workbook, chooses its source and reads it. Without a
// source the exit code is a usage fault; with data problems they are listed
// on `out` as the error log has them, nothing is written, and the exit code
// says so.
CheckedSource ReadCheckedSource(const RunRequest& request, std::ostream& out, std::ostream& err);

}  // namespace cli
