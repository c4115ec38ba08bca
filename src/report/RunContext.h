#pragma once
// What the layout procedures of one run share: the host objects, the genotype
// store, the run's sheets, the sheet list as the workbook was opened, the
// error log and where progress goes. The run owns it; every procedure takes
// it by reference.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/Host.h"
#include "report/Progress.h"
#include "store/GenotypeStore.h"
#include "store/Problems.h"

namespace report {

// The sheets a run writes; a sheet the run does not make stays null.
struct RunSheets {
  host::Worksheet* source = nullptr;
  host::Worksheet* errorLog = nullptr;
  host::Worksheet* ssr = nullptr;
  host::Worksheet* tssr = nullptr;
  host::Worksheet* pek = nullptr;
  host::Worksheet* chr = nullptr;
  host::Worksheet* alleles = nullptr;
  host::Worksheet* genotypes = nullptr;
  host::Worksheet* pairs = nullptr;
  host::Worksheet* identification = nullptr;
  // Every sheet OpenOutputSheet handed out since the last Clear (one run), so two
  // wanted names that map to the same legal name get distinct sheets.
  std::vector<host::Worksheet*> openedThisRun;
  void Clear() { *this = RunSheets{}; }
};

// The error log of a run: rows written so far (every problem is counted,
// however many) and the kinds of problem found.
struct ErrorLogState {
  int32_t rows = 0;
  store::ProblemSet problems;
};

struct RunContext {
  host::Application* app = nullptr;
  host::Workbook* book = nullptr;
  std::string baseName;
  store::DataKind kind = store::DataKind::Ssr;
  // Made by ReadSourceTable from the source table.
  std::unique_ptr<store::GenotypeStore> store;
  ErrorLogState errors;
  RunSheets sheets;
  std::vector<std::string> listedSheets;  // sheet names as the workbook was last opened
  Progress* progress = nullptr;

  // The comment label; the front end throttles its repaints.
  void Comment(std::string_view text) const {
    if (progress) progress->Comment(text);
  }
};

}  // namespace report
