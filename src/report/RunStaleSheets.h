#pragma once
// Output sheets of an earlier run that this run does not write again.
#include <string>

#include "report/Formatting.h"
#include "report/Run.h"
#include "report/SheetAccess.h"
#include "store/GenotypeStore.h"

namespace report {

// Clears every output sheet of the source named BASE.org that an earlier run
// left and this run did not write (an option skipped or not chosen, every
// option when the data had `problems`, the SSR sheets of a source now read as
// character data), leaving its kind and a one-line note why, so no sheet
// shows old results beside new data. Only sheets carrying the output's kind
// in B1 are touched; a cleared fixed sheet takes its place in `sheets`.
void ClearStaleSheets(OutputSheets& outputs, ResultSheets& sheets, const std::string& base,
                      const store::GenotypeStore& s, const RunOptions& options, bool problems);

}  // namespace report
