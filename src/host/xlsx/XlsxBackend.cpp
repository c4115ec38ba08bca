#include "host/xlsx/XlsxBackend.h"

#include <algorithm>
#include <stdexcept>

#include "host/HostError.h"
#include "host/xlsx/PackageParts.h"
#include "host/xlsx/ParkedSheet.h"
#include "host/xlsx/SheetExtra.h"
#include "host/xlsx/SheetReader.h"
#include "host/xlsx/StylesPart.h"
#include "host/xlsx/XmlDoc.h"

namespace host::xlsx {

XlsxBackend::~XlsxBackend() {
  // A sheet still compressing reads this backend's shared strings.
  for (const auto& pending : parking_) pending.wait();
}

bool XlsxBackend::ReadPart(const std::string& name, std::string& out) const {
  if (zip_) {
    const zip_int64_t index = FindEntry(zip_.get(), name);
    if (index < 0) return false;
    try {
      out = ReadEntry(zip_.get(), index, kMaxDocumentPartBytes);
      CheckDocumentShape(out);
    } catch (const LimitError& e) {
      out.clear();
      throw OpenError(path_, FailureCode::PartTooLarge,
                      "part " + name + " is too large: " + e.what(), {name});
    } catch (const std::runtime_error& e) {
      out.clear();
      throw OpenError(path_, FailureCode::PartDamaged, "part " + name + " is damaged: " + e.what(),
                      {name});
    }
    return true;
  }
  auto it = virtual_.find(name);
  if (it == virtual_.end()) return false;
  out = it->second;
  return true;
}

void XlsxBackend::LoadSharedStrings() {
  sharedStrings_.Load(zip_.get(), sharedStringsPart_, path_, budget_);
}

void XlsxBackend::LoadSheet(Worksheet& sheet) {
  sheet.SetLoaded();  // the store is filled here; do not come back through the loader
  XlsxSheetExtra* extra = ExtraOf(sheet);
  if (extra && extra->parked) return LoadParked(sheet, *extra);
  if (!extra || extra->partName.empty() || !extra->worksheet || extra->parsed || !zip_) return;
  LoadSharedStrings();
  zip_int64_t index = FindEntry(zip_.get(), extra->partName);
  const ReadBudget::Held before = budget_.Holds();
  auto fail = [&](FailureCode code, const std::string& why) {
    budget_.Release(budget_.AddedSince(before));
    sheet.Store() = CellStore();
    sheet.Merges().clear();
    extra->elements.clear();
    extra->damaged = true;
    throw OpenError(path_, code, "sheet '" + sheet.Name() + "' " + why, {sheet.Name()});
  };
  if (index < 0) fail(FailureCode::SheetMissing, "is missing from the file");
  ZipFilePtr file(zip_fopen_index(zip_.get(), static_cast<zip_uint64_t>(index), 0));
  if (!file)
    fail(FailureCode::SheetUnreadable, std::string("cannot be read: ") + zip_strerror(zip_.get()));
  try {
    ReadSheet([&](char* buffer, size_t size) { return ReadChunk(file.get(), buffer, size); },
              sharedStrings_, sheet, *extra, budget_);
    extra->hadFormulas = !sheet.Store().Formulas().empty();
    extra->held = budget_.AddedSince(before);
  } catch (const HostError&) {
    throw;
  } catch (const LimitError& e) {
    fail(FailureCode::SheetTooLarge, "(part " + extra->partName + ") is too large: " + e.what());
  } catch (const UnsupportedXml& e) {
    fail(FailureCode::SheetUnreadable,
         "(part " + extra->partName + ") cannot be read: " + e.what());
  } catch (const std::exception& e) {
    if (IsOutOfMemory(e)) throw;  // not the file's fault
    fail(FailureCode::SheetDamaged, "(part " + extra->partName + ") is damaged: " + e.what());
  }
}

std::unique_ptr<Workbook> XlsxBackend::Open(Application& app, const std::string& path) {
  auto backend = std::make_unique<XlsxBackend>();
  std::string reason;
  // Taken before reading: a change made while we read shows as a change at save time.
  backend->opened_ = FileIdentity::Of(path);
  backend->zip_ = OpenZip(path, ZIP_RDONLY | ZIP_CHECKCONS, reason);
  if (!backend->zip_)
    throw OpenError(path, FailureCode::Damaged,
                    "the file is damaged or not a workbook (" + reason + ")");
  backend->path_ = path;  // parts beyond the read limits are refused naming the file
  PackageStructure structure;
  StyleTable styles;
  try {
    structure = ReadPackageStructure(
        [&](const std::string& name, std::string& out) { return backend->ReadPart(name, out); });
    std::string stylesXml;
    styles = !structure.stylesPart.empty() && backend->ReadPart(structure.stylesPart, stylesXml)
                 ? ReadStyles(stylesXml)
                 : StyleTable::Default();
  } catch (const HostError&) {
    throw;
  } catch (const LimitError& e) {
    throw OpenError(path, FailureCode::PartTooLarge,
                    "part " + structure.stylesPart + " is too large: " + e.what(),
                    {structure.stylesPart});
  } catch (const PackageRefusal& e) {
    throw OpenError(path, e.Code(), e.what());
  } catch (const std::exception& e) {
    if (IsOutOfMemory(e)) throw;  // not the file's fault
    throw OpenError(path, FailureCode::Damaged, e.what());
  }
  backend->workbookPart_ = structure.workbookPart;
  backend->sharedStringsPart_ = structure.sharedStringsPart;

  auto book = std::make_unique<Workbook>(&app, path, std::move(backend), std::move(styles));
  for (size_t i = 0; i < structure.sheets.size(); ++i) {
    const SheetEntry& entry = structure.sheets[i];
    auto sheet = std::make_unique<Worksheet>(book.get(), entry.name);
    auto extra = std::make_unique<XlsxSheetExtra>();
    extra->partName = entry.part;
    extra->relId = entry.relId;
    extra->sheetId = entry.sheetId;
    extra->position = static_cast<int>(i);
    extra->worksheet = entry.worksheet;
    extra->tabActive = static_cast<int>(i) == structure.activeTab;
    sheet->SetHidden(entry.hidden);
    sheet->SetExtra(std::move(extra));
    if (!entry.worksheet) sheet->SetLoaded();  // chart sheets have no cells
    book->AppendSheet(std::move(sheet));
  }
  if (book->SheetCount() == 0)
    throw OpenError(path, FailureCode::NoSheets, "the workbook has no sheets");
  book->SetActiveSheet(book->Sheet(std::clamp(structure.activeTab, 0, book->SheetCount() - 1) + 1));
  return book;
}

}  // namespace host::xlsx
