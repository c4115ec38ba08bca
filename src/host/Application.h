#pragma once
// The application: the open workbooks, the active one and the host clipboard.
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/Clipboard.h"
#include "host/Range.h"

namespace host {

class SaveObserver;
class Workbook;
class Worksheet;

class Application {
 public:
  Application();
  ~Application();

  // Workbooks.Open: opens a .xlsx, .xlsm or .xls file. Throws HostError with a
  // clear reason for a missing, damaged, encrypted or non-workbook file.
  Workbook& Open(const std::string& path);
  // Workbooks.Add: a new workbook with one empty sheet "Sheet1"; Save writes a
  // new package to `path`.
  Workbook& AddWorkbook(const std::string& path);
  void Quit();  // closes every workbook without saving

  // The active sheet of the active workbook and its active cell / selection.
  Worksheet& ActiveSheet();
  Range ActiveCell();
  Range Selection();

  // CutCopyMode = False ends a pending copy.
  void SetCutCopyMode(bool mode);
  const std::optional<ClipboardContent>& Clipboard() const { return clipboard_; }
  void SetClipboard(ClipboardContent content) { clipboard_ = std::move(content); }

  // Saves of every workbook report to `observer` (null: none); not owned.
  void SetSaveObserver(SaveObserver* observer) { saveObserver_ = observer; }
  SaveObserver* GetSaveObserver() const { return saveObserver_; }

  // For Workbook::Close.
  void Forget(Workbook* book);
  // Activating a sheet makes its workbook the active one.
  void SetActiveWorkbook(Workbook* book) { active_ = book; }

 private:
  std::vector<std::unique_ptr<Workbook>> books_;
  Workbook* active_ = nullptr;
  std::optional<ClipboardContent> clipboard_;
  SaveObserver* saveObserver_ = nullptr;
};

}  // namespace host
