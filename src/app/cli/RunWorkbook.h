#pragma once
// One complete run as `run` and `demo` do it: open, choose the source, run
// with the given options, save, report.
#include <iosfwd>
#include <string>

#include "app/core/Session.h"

namespace cli {

struct RunRequest {
  std::string workbook;
  std::string sheet;        // empty: the only source sheet
  std::string output;       // empty: save in place
  bool ignoreLock = false;  // save even beside another program's lock file
  app::RunOptions options;
  bool quiet = false;  // only errors on standard error
};

// Opens the request's workbook in `session`; the source sheet the request
// names (or the only one), announced on `err`; empty after a usage message
// when there is none.
std::string OpenSource(app::Session& session, const RunRequest& request, std::ostream& err);

// The exit status: finished, data problems, or a usage fault. Failures of the
// host or the run are thrown (see Guarded).
int RunWorkbook(const RunRequest& request, std::ostream& out, std::ostream& err);

}  // namespace cli
