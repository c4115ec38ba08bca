#pragma once
// The error log sheet of a run.
#include <cstdint>

#include "host/Host.h"
#include "store/GenotypeStore.h"
#include "store/Problems.h"

namespace report {

// Clears `sheet` and writes the log's title and column heads.
void LayOutErrorLog(host::Worksheet& sheet);

// The rows of a run's error log. Every problem is counted, however many;
// rows beyond the sheet's last row are counted but not written.
class ErrorLog {
 public:
  // The cell a problem was found in is read again from `source`.
  ErrorLog(host::Worksheet& sheet, host::Worksheet& source) : sheet_(sheet), source_(source) {}

  // One row: the problem's text, the variety's name, the marker's name (index
  // 0: empty cell), the cell's address and its text.
  void Write(const store::Finding& found, const store::GenotypeStore& store);
  void Write(const store::Findings& found, const store::GenotypeStore& store);

  int32_t Rows() const { return rows_; }
  const store::ProblemSet& Problems() const { return problems_; }

 private:
  host::Worksheet& sheet_;
  host::Worksheet& source_;
  int32_t rows_ = 0;
  store::ProblemSet problems_;
};

}  // namespace report
