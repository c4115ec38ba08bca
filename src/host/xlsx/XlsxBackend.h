#pragma once
// The backend of .xlsx/.xlsm workbooks: reads the package structure at open,
// parses sheets when first used and saves by copying every untouched part's
// compressed bytes and re-writing only what changed.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/xlsx/Zip.h"

namespace host::xlsx {

class XlsxBackend : public WorkbookBackend {
 public:
  // A workbook with no package yet: the first save writes a complete one.
  XlsxBackend() = default;
  ~XlsxBackend() override;

  // Opens a package: sheet list, styles, workbook structure. Throws HostError("Open", ...).
  static std::unique_ptr<Workbook> Open(Application& app, const std::string& path);

  void LoadSheet(Worksheet& sheet) override;
  void Save(Workbook& book, const std::string& path) override;

 private:
  struct SavePlan;
  bool ReadPart(const std::string& name, std::string& out) const;
  void LoadSharedStrings();
  void SaveTo(Workbook& book, const std::string& path);

  std::string path_;
  ZipPtr zip_;                                  // the package on disk; null for a new workbook
  std::map<std::string, std::string> virtual_;  // parts of a workbook with no package yet
  std::vector<std::string> virtualOrder_;
  std::string workbookPart_ = "xl/workbook.xml";
  std::string sharedStringsPart_;
  std::vector<std::string> sharedStrings_;
  bool sharedStringsLoaded_ = false;
};

}  // namespace host::xlsx
