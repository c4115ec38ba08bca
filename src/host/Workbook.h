#pragma once
// A workbook: its sheets in tab order, the active sheet, the cell formats and
// the backend that loads and saves its file.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/Styles.h"
#include "host/WorkbookBackend.h"
#include "host/Worksheet.h"

namespace host {

class Application;

class Workbook {
 public:
  Workbook(Application* app, std::string path, std::unique_ptr<WorkbookBackend> backend,
           StyleTable styles);
  ~Workbook();
  Application& Parent() const { return *app_; }

  const std::string& Path() const { return path_; }  // the file it was opened from
  // Where Save writes: the opened file, or for a legacy .xls a new .xlsx beside it.
  const std::string& SavePath() const { return savePath_; }
  // Save makes a new file: `freeName` picks its name as it saves
  // (SavePath() is the pick so far), and a file that takes the name first is kept.
  void SetNewFile(std::function<std::string()> freeName);

  int SheetCount() const { return static_cast<int>(sheets_.size()); }
  Worksheet& Sheet(int position);  // 1-based
  const Worksheet& Sheet(int position) const;
  // By name, ignoring case as the spreadsheet does; nullptr if absent.
  Worksheet* FindSheet(std::string_view name);
  const Worksheet* FindSheet(std::string_view name) const;
  Worksheet& SheetByName(std::string_view name);  // throws if absent
  int PositionOf(const Worksheet& sheet) const;   // 1-based
  // The sheets in tab order, read-only.
  std::vector<const Worksheet*> SheetList() const;
  // Sheets.Add(): a new empty worksheet before the active sheet, made active,
  // named "SheetN" with the first free N.
  Worksheet& AddSheet();
  Worksheet& ActiveSheet();
  // Checks a sheet name against the workbook rules; empty if legal, otherwise
  // the reason. `except` is the sheet being renamed (its own name is no clash).
  std::string NameProblem(const std::string& name, const Worksheet* except = nullptr) const;
  // The rules a name must meet on its own, whatever the other sheets are named.
  static std::string NameRuleProblem(const std::string& name);
  // The same for two names that name the same sheet (letter case folded), for
  // checking many names against each other in a set.
  static std::u32string NameKey(std::string_view name);

  StyleTable& Styles() { return styles_; }
  const StyleTable& Styles() const { return styles_; }

  void Save();  // to SavePath(), or to a new file
  void SaveAs(const std::string& path);
  void Close();  // without saving; the workbook object is destroyed by the application

  // For backends and the model.
  // Adds a sheet as the file lists it, after the others; not a structure change.
  Worksheet& AppendSheet(std::unique_ptr<Worksheet> sheet);
  // Puts `sheet` before `before` (both of this workbook); Worksheet::Move.
  void MoveSheet(const Worksheet& sheet, const Worksheet& before);
  WorkbookBackend* Backend() const { return backend_.get(); }
  void LoadSheet(Worksheet& sheet);
  void SetActiveSheet(Worksheet& sheet) { active_ = &sheet; }
  bool StructureChanged() const { return structureChanged_; }  // sheets added, moved or renamed
  void MarkStructureChanged() { structureChanged_ = true; }

 private:
  void SaveTo(const std::string& path, SaveMode mode);

  Application* app_;
  std::string path_;
  std::string savePath_;
  std::function<std::string()> newFileName_;  // set while Save makes a new file
  std::unique_ptr<WorkbookBackend> backend_;
  StyleTable styles_;
  std::vector<std::unique_ptr<Worksheet>> sheets_;
  Worksheet* active_ = nullptr;
  bool structureChanged_ = false;
};

}  // namespace host
