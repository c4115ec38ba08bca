#pragma once
// Getting output sheets and reading the source sheet into the store.
#include <string>
#include <vector>

#include "host/Host.h"
#include "report/Progress.h"
#include "report/Run.h"
#include "store/GenotypeStore.h"
#include "store/Problems.h"

namespace report {

// The fixed mapping of a wanted output sheet name to a legal, unique one. A
// name that is already legal and free is returned unchanged.
std::string LegalSheetName(const host::Workbook& book, const std::string& wanted);

// The output sheets of one run of `source`.
class OutputSheets {
 public:
  // `listed` is the sheet list as the workbook was opened: only those sheets
  // are reused. A new sheet goes in front of the sheet opened before it, the
  // first in front of `front` (the sheet the workbook showed when the run
  // began): the tab order the results have always had before they are sorted.
  OutputSheets(host::Worksheet& source, std::vector<std::string> listed, host::Worksheet& front);

  // The sheet named `name` if the workbook listed it, otherwise a new sheet
  // of that name. Names the workbook cannot take are made legal and unique in
  // a fixed, repeatable way (LegalSheetName), so reruns find the same sheets.
  host::Worksheet& Open(const std::string& name);
  // The sheet an earlier run left under `name`: the one Open would reuse, and
  // only when it carries that output's kind in B1, so a sheet of the user's
  // is never returned. Counted as the run's own from then on; null when none.
  host::Worksheet* FindEarlier(const std::string& name);
  // Every sheet handed out, in the order asked for.
  const std::vector<host::Worksheet*>& Opened() const { return opened_; }

 private:
  host::Worksheet* FindReusable(const std::string& name, std::string& freeName) const;

  host::Workbook& book_;
  host::Worksheet& source_;
  std::vector<std::string> listed_;
  host::Worksheet* front_;
  std::vector<host::Worksheet*> opened_;
};

// The store's kind of data for a kind of source.
inline store::DataKind DataKindOf(SourceKind kind) {
  return kind == SourceKind::Ssr ? store::DataKind::Ssr : store::DataKind::Character;
}

// The source table read into a store: names and cell texts as the sheet shows
// them, at most 500 varieties and 250 markers.
struct SourceTable {
  store::GenotypeStore store;
  // More varieties or markers than that, each pointing at the first name
  // beyond the limit: where the reading stopped.
  store::Findings limits;
};
// Reads the source table into a store, stopping at the limits.
SourceTable ReadSourceTable(host::Worksheet& source, store::DataKind kind, Progress& progress);

}  // namespace report
