#pragma once
// The backend of .xlsx/.xlsm workbooks: reads the package structure at open,
// parses sheets when first used and saves by copying every untouched part's
// compressed bytes and re-writing only what changed.
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/Application.h"
#include "host/FileIdentity.h"
#include "host/Workbook.h"
#include "host/WorkbookBackend.h"
#include "host/xlsx/PartDeflate.h"
#include "host/xlsx/SharedStrings.h"
#include "host/xlsx/Zip.h"

namespace host::xlsx {

class PackageWriter;
class XlsxSheetExtra;
struct ParkedSheet;

class XlsxBackend : public WorkbookBackend {
 public:
  // A workbook with no package yet: the first save writes a complete one.
  XlsxBackend() = default;
  ~XlsxBackend() override;

  // Opens a package: sheet list, styles, workbook structure. Throws HostError("Open", ...).
  static std::unique_ptr<Workbook> Open(Application& app, const std::string& path);

  void LoadSheet(Worksheet& sheet) override;
  // Compresses the sheet's part on a thread of its own and drops its cells.
  void FinishSheet(Worksheet& sheet) override;
  // Plans, writes beside the target, reads back, then replaces the target.
  void Save(Workbook& book, const std::string& path, SaveMode mode) override;

 private:
  struct SavePlan;
  void LoadParked(Worksheet& sheet, XlsxSheetExtra& extra);
  void WaitForParkingRoom();
  bool ReadPart(const std::string& name, std::string& out) const;
  void LoadSharedStrings();
  void SaveTo(Workbook& book, const std::string& path, SaveMode mode);
  // Which sheets are rewritten and how every structure part changes.
  SavePlan PlanSave(Workbook& book, const std::string& path);
  // Adds every entry of the new package to `writer` and closes it; returns their names.
  std::set<std::string> WritePackage(Workbook& book, const SavePlan& plan, PackageWriter& writer);
  // Reads from the saved package from now on.
  void AdoptSaved(Workbook& book, const std::string& path, const SavePlan& plan);
  // Whether a save to `path` replaces the file this workbook was read from.
  bool SavesInPlace(const std::string& path) const;

  std::string path_;
  ZipPtr zip_;                                  // the package on disk; null for a new workbook
  std::optional<FileIdentity> opened_;          // that file as it was when read
  std::map<std::string, std::string> virtual_;  // parts of a workbook with no package yet
  std::vector<std::string> virtualOrder_;
  std::string workbookPart_ = "xl/workbook.xml";
  std::string sharedStringsPart_;
  SharedStringTable sharedStrings_;
  ReadBudget budget_;  // what reading this workbook holds, over the sheets it holds
  // Sheets still compressing, oldest first; each thread waits for the one before.
  std::deque<std::shared_future<DeflatedPart>> parking_;
};

}  // namespace host::xlsx
