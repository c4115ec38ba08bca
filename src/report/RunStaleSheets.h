#pragma once
// Output sheets of an earlier run that this run does not write again.
#include "report/Run.h"
#include "report/RunContext.h"

namespace report {

// Clears every output sheet of this source that an earlier run left and this
// run did not write (an option skipped or not chosen, the SSR sheets of a
// source now read as character data), leaving its kind and a one-line note
// why, so no sheet shows old results beside new data. Only sheets carrying
// the output's kind in B1 are touched.
void ClearStaleSheets(RunContext& ctx, const RunOptions& options);

}  // namespace report
