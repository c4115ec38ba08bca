#pragma once
// What `export` and `markers` share: the data problems of a source as a run
// logs them, and writing a text file whole or not at all.
#include <iosfwd>
#include <string>

#include "store/GenotypeStore.h"
#include "store/Problems.h"

namespace cli {

// Lists the findings (problem, variety, marker) and says nothing was written;
// false when there are none.
bool ReportProblems(const store::GenotypeStore& s, const store::Findings& findings,
                    std::ostream& out);

// Writes `text` beside `path` and renames it over; a message on `err` and
// false when that fails (the old file, if any, stays).
bool WriteFile(const std::string& path, const std::string& text, std::ostream& err);

}  // namespace cli
