#pragma once
// A source sheet read and converted as a run does it, without writing a
// sheet: for the exchange formats and the marker choice.
#include <memory>
#include <string>
#include <vector>

#include "host/Host.h"
#include "report/Run.h"
#include "store/GenotypeStore.h"
#include "store/Problems.h"

namespace report {

struct GenotypeRead {
  std::unique_ptr<store::GenotypeStore> store;  // cells hold genotype codes
  store::Findings findings;                     // in the error log's order
  std::string title;                            // the source's B2
  // Each variety's population from the workbook's Groups sheet (see
  // report/Groups.h); empty when it has none.
  std::vector<std::string> populations;
};

// Reads and converts the source as a run does, writing nothing.
GenotypeRead ReadGenotypes(host::Worksheet& source, SourceKind kind);

}  // namespace report
