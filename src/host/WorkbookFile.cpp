// Opening workbook files and creating backends for new workbooks.
#include "host/WorkbookFile.h"

namespace host {

std::unique_ptr<Workbook> OpenWorkbookFile(Application&, const std::string& path) {
  throw HostError("Open", path, "not implemented yet");
}

std::unique_ptr<WorkbookBackend> NewXlsxBackend() {
  throw HostError("NewXlsxBackend", "", "not implemented yet");
}

}  // namespace host
