#pragma once
// What the procedures of a run share: the host objects, the genotype store,
// the worksheet handles of the run, the sheet list as last opened and the
// comment label. The session owns it; every procedure takes it by reference.
#include <string>
#include <vector>

#include "app/core/StatusSink.h"
#include "host/Host.h"
#include "store/GenotypeStore.h"

namespace host {

struct SheetHandles {
  Worksheet* SrcSheet = nullptr;
  Worksheet* ErrSheet = nullptr;
  Worksheet* SsrSheet = nullptr;
  Worksheet* TssrSheet = nullptr;
  Worksheet* PekSheet = nullptr;
  Worksheet* ChrSheet = nullptr;
  Worksheet* AllSheet = nullptr;
  Worksheet* GntSheet = nullptr;
  Worksheet* CmbSheet = nullptr;
  Worksheet* UkaiSheet = nullptr;
  // Every sheet SheetOpen handed out since the last Clear (one run), so two
  // wanted names that map to the same legal name get distinct sheets.
  std::vector<Worksheet*> openedThisRun;
  void Clear() { *this = SheetHandles{}; }
};

struct RunContext {
  Application* ExcelApp = nullptr;
  Workbook* ExcelBook = nullptr;
  std::string SheetBaseName;
  store::GenotypeStore* store = nullptr;
  SheetHandles sheets;
  std::vector<std::string> lstSheet;  // sheet names as the workbook was last opened
  app::StatusSink* status = nullptr;

  // lblComment, throttled by the front end.
  void Comment(const std::string& text) const {
    if (status) status->SetComment(text);
  }
};

}  // namespace host
