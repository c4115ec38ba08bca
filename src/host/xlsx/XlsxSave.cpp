// Saving a package: plan what changes, write the new package beside the
// target, read it back, and only then replace the target.
#include <map>
#include <set>
#include <stdexcept>

#include "host/AtomicFile.h"
#include "host/HostError.h"
#include "host/SaveObserver.h"
#include "host/xlsx/PackageCheck.h"
#include "host/xlsx/PackageParts.h"
#include "host/xlsx/PackageWriter.h"
#include "host/xlsx/ParkedSheet.h"
#include "host/xlsx/SheetExtra.h"
#include "host/xlsx/SheetWriter.h"
#include "host/xlsx/XlsxBackend.h"

namespace host::xlsx {

struct XlsxBackend::SavePlan {
  std::vector<bool> rewrite;            // per model sheet: written from the model
  std::vector<std::string> entryNames;  // the package's entries, in order
  StructureEdit edit;
};

namespace {

ParkedSheet* Parked(const XlsxSheetExtra* extra) { return extra ? extra->parked.get() : nullptr; }

// Which sheets are written from the model; they are loaded here, so a damaged
// part stops the save before anything is written.
std::vector<bool> SheetsToRewrite(Workbook& book, const std::string& path) {
  std::vector<bool> rewrite(static_cast<size_t>(book.SheetCount()));
  for (size_t i = 0; i < rewrite.size(); ++i) {
    Worksheet& sheet = book.Sheet(static_cast<int>(i) + 1);
    XlsxSheetExtra* extra = ExtraOf(sheet);
    bool isNew = !extra || extra->partName.empty();
    rewrite[i] = isNew || (sheet.Modified() && extra->worksheet);
    if (!rewrite[i]) continue;
    if (extra && extra->damaged)
      throw SaveError(path, FailureCode::SheetLost,
                      "sheet '" + sheet.Name() + "' could not be read; saving would lose it",
                      {sheet.Name()});
    if (!Parked(extra)) sheet.Store();
  }
  return rewrite;
}

std::vector<SheetPlan> SheetPlans(const Workbook& book, const std::vector<bool>& rewrite) {
  std::vector<const Worksheet*> sheets = book.SheetList();
  std::vector<SheetPlan> plan(sheets.size());
  for (size_t i = 0; i < sheets.size(); ++i) {
    XlsxSheetExtra* extra = ExtraOf(*sheets[i]);
    SheetPlan& p = plan[i];
    p.name = sheets[i]->Name();
    p.hidden = sheets[i]->Hidden();
    p.rewrite = rewrite[i];
    p.worksheet = !extra || extra->worksheet;
    p.position = extra && !extra->partName.empty() ? extra->position : -1;
    if (sheets[i]->ImagesSet()) p.images = &sheets[i]->Images();
    // Only loaded sheets can have gained formulas; never load a sheet just to save it.
    p.hasFormulas = (extra && extra->hadFormulas) || (Parked(extra) && Parked(extra)->formulas) ||
                    (sheets[i]->Loaded() && !sheets[i]->Store().Formulas().empty());
  }
  return plan;
}

std::vector<std::string> EntryNames(zip_t* zip) {
  std::vector<std::string> names;
  zip_int64_t n = zip_get_num_entries(zip, 0);
  for (zip_int64_t i = 0; i < n; ++i) {
    const char* name = zip_get_name(zip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    names.push_back(name ? name : "");
  }
  return names;
}

}  // namespace

void XlsxBackend::Save(Workbook& book, const std::string& path, SaveMode mode) {
  try {
    SaveTo(book, path, mode);
  } catch (const HostError&) {
    throw;
  } catch (const std::exception& e) {
    if (IsOutOfMemory(e)) throw;  // not the file's fault
    throw SaveError(path, FailureCode::WriteFailed, e.what(), {e.what()});
  }
}

void XlsxBackend::SaveTo(Workbook& book, const std::string& path, SaveMode mode) {
  if (book.SheetCount() == 0)
    throw SaveError(path, FailureCode::NoSheetToSave, "a workbook needs at least one sheet");
  SavePlan plan = PlanSave(book, path);
  AtomicFile file(path);
  PackageWriter writer(file.Descriptor());
  std::set<std::string> written = WritePackage(book, plan, writer);
  VerifyPackage(file.ReadPath(), written, plan.edit.parts, writer.Expected());
  if (SaveObserver* observer = book.Parent().GetSaveObserver()) observer->BeforeReplace(path);
  // Saving over the file we read: another program's version of it, saved
  // while we worked, is kept rather than silently replaced.
  opened_ = mode == SaveMode::kCreate ? file.Create()
                                      : file.Replace(SavesInPlace(path) ? opened_ : std::nullopt);
  AdoptSaved(book, path, plan);
}

bool XlsxBackend::SavesInPlace(const std::string& path) const {
  if (!zip_) return false;
  if (path == path_) return true;
  const std::optional<FileIdentity> target = FileIdentity::Of(path);
  return target && opened_ && target->device == opened_->device && target->inode == opened_->inode;
}

XlsxBackend::SavePlan XlsxBackend::PlanSave(Workbook& book, const std::string& path) {
  if (!zip_ && virtual_.empty()) {
    virtual_ = NewPackageParts();
    virtualOrder_ = NewPackageOrder();
  }
  SavePlan plan;
  plan.rewrite = SheetsToRewrite(book, path);
  plan.entryNames = zip_ ? EntryNames(zip_.get()) : virtualOrder_;
  std::vector<SheetPlan> sheets = SheetPlans(book, plan.rewrite);
  int modelActive = book.PositionOf(book.ActiveSheet()) - 1;
  auto read = [&](const std::string& name, std::string& out) { return ReadPart(name, out); };
  plan.edit = EditStructure(read, workbookPart_, plan.entryNames, sheets, modelActive,
                            book.Styles(), !zip_);
  return plan;
}

std::set<std::string> XlsxBackend::WritePackage(Workbook& book, const SavePlan& plan,
                                                PackageWriter& writer) {
  const StructureEdit& edit = plan.edit;
  SheetWriteOptions options;
  LoadSharedStrings();
  options.sharedStrings = &sharedStrings_;
  std::map<std::string, int> sheetOfPart;  // rewritten sheets by part, 1-based
  for (size_t i = 0; i < plan.rewrite.size(); ++i)
    if (plan.rewrite[i]) sheetOfPart[edit.sheets[i].part] = static_cast<int>(i) + 1;

  // A part the save changed or added; false for one to copy as it is.
  auto addChanged = [&](const std::string& name) -> bool {
    if (auto it = edit.parts.find(name); it != edit.parts.end()) {
      writer.Add(name, it->second);
      return true;
    }
    auto it = sheetOfPart.find(name);
    if (it == sheetOfPart.end()) return false;
    Worksheet* sheet = &book.Sheet(it->second);
    const SheetPlanResult& result = edit.sheets[static_cast<size_t>(it->second - 1)];
    const bool selected = result.tabSelected;
    // A finished sheet was written unselected and without pictures; the
    // selected tab and a sheet with pictures are written anew.
    if (ParkedSheet* parked = Parked(ExtraOf(*sheet))) {
      if (!selected && !sheet->ImagesSet()) {
        writer.AddDeflated(name, parked->Get());
        return true;
      }
      sheet->Store();  // loaded here, not on a writing thread
    }
    // Sheets are written on the save's threads: each reads only its own cells.
    writer.AddProduced(
        name,
        [sheet, selected, &options,
         drawing = result.drawingRelId](const PackageWriter::Sink& sink) {
          SheetWriteOptions o = options;
          o.tabSelected = selected;
          o.drawingRelId = drawing;
          WriteSheetXml(*sheet, ExtraOf(*sheet), o, sink);
        },
        sheet->Store().CellCount());
    return true;
  };
  std::set<std::string> written;
  for (size_t i = 0; i < plan.entryNames.size(); ++i) {
    const std::string& name = plan.entryNames[i];
    if (edit.dropped.count(name) || !written.insert(name).second) continue;
    if (addChanged(name)) continue;
    if (zip_) writer.Copy(name, zip_.get(), i);
  }
  for (const std::string& name : edit.added)
    if (written.insert(name).second) addChanged(name);
  writer.Close();
  return written;
}

void XlsxBackend::AdoptSaved(Workbook& book, const std::string& path, const SavePlan& plan) {
  std::string reason;
  ZipPtr reopened = OpenZip(path, ZIP_RDONLY, reason);
  if (!reopened)
    throw SaveError(path, FailureCode::SavedNotReopened,
                    "the results were saved, but the file cannot be opened again: " + reason);
  zip_ = std::move(reopened);
  virtual_.clear();
  virtualOrder_.clear();
  path_ = path;
  workbookPart_ = plan.edit.workbookPart;
  for (int position = 1; position <= book.SheetCount(); ++position) {
    Worksheet& sheet = book.Sheet(position);
    if (!ExtraOf(sheet)) sheet.SetExtra(std::make_unique<XlsxSheetExtra>());
    XlsxSheetExtra* extra = ExtraOf(sheet);
    const SheetPlanResult& r = plan.edit.sheets[static_cast<size_t>(position - 1)];
    extra->partName = r.part;
    extra->relId = r.relId;
    extra->sheetId = r.sheetId;
    extra->position = position - 1;
    extra->tabActive = r.tabActive;
    if (plan.rewrite[static_cast<size_t>(position - 1)])
      extra->hadFormulas =
          Parked(extra) ? Parked(extra)->formulas : !sheet.Store().Formulas().empty();
  }
}

}  // namespace host::xlsx
