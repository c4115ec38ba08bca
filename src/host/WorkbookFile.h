#pragma once
// Opening workbook files: picks the backend by the file's content (a zip
// package or a legacy compound document), not by its extension.
#include <memory>
#include <string>

#include "host/Application.h"
#include "host/Workbook.h"
#include "host/WorkbookBackend.h"

namespace host {

// Reads the sheet list, styles and workbook structure; cells are loaded later.
// Throws HostError("Open", path, reason) for anything that is not a readable workbook.
std::unique_ptr<Workbook> OpenWorkbookFile(Application& app, const std::string& path);

}  // namespace host

namespace host {
// A backend for a workbook that has no package yet (Workbooks.Add, or the
// .xlsx written beside an imported .xls): Save writes a complete new package.
std::unique_ptr<WorkbookBackend> NewXlsxBackend();
}  // namespace host
