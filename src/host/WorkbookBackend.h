#pragma once
// How a workbook reaches its file: loads sheets lazily and saves.
#include <string>

namespace host {

class Workbook;
class Worksheet;

// Whether a save may replace the file at its path or must make a new one.
enum class SaveMode { kReplace, kCreate };

class WorkbookBackend {
 public:
  virtual ~WorkbookBackend() = default;
  // Fills the sheet's store (and merges, extra) from the file.
  virtual void LoadSheet(Worksheet& sheet) = 0;
  // The sheet will not change again in this run: the backend may hold its
  // cells in a compact form until something uses them again.
  virtual void FinishSheet(Worksheet&) {}
  // Writes the workbook to path atomically: the file at path is replaced only
  // when the new one is complete and checked; with kCreate a file found at
  // path then is kept and the save fails.
  virtual void Save(Workbook& book, const std::string& path, SaveMode mode) = 0;
};

}  // namespace host
