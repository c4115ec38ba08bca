// Finished sheets kept compressed: parked when the run says a sheet is done,
// loaded back only if something uses it again, written as they are on save.
#include <chrono>
#include <future>
#include <memory>
#include <stdexcept>
#include <utility>

#include "host/HostError.h"
#include "host/xlsx/PackageWriter.h"
#include "host/xlsx/ParkedSheet.h"
#include "host/xlsx/SheetExtra.h"
#include "host/xlsx/SheetReader.h"
#include "host/xlsx/SheetWriter.h"
#include "host/xlsx/XlsxBackend.h"

namespace host::xlsx {

PartInflater::PartInflater(const std::string& deflated) {
  if (inflateInit2(&z_, -MAX_WBITS) != Z_OK) throw std::runtime_error("out of memory");
  z_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
  z_.avail_in = static_cast<uInt>(deflated.size());
}

PartInflater::~PartInflater() { inflateEnd(&z_); }

size_t PartInflater::Read(char* buffer, size_t size) {
  if (done_) return 0;
  z_.next_out = reinterpret_cast<Bytef*>(buffer);
  z_.avail_out = static_cast<uInt>(size);
  const int rc = inflate(&z_, Z_NO_FLUSH);
  if (rc == Z_STREAM_END)
    done_ = true;
  else if (rc != Z_OK)
    throw std::runtime_error("a kept sheet does not inflate");
  return size - z_.avail_out;
}

namespace {

// The layout a sheet's part is written with that the model keeps on the
// sheet itself: fitted column widths and frozen heads.
void CopyLayout(const Worksheet& from, Worksheet& to) {
  if (from.ColumnWidthsSet()) {
    to.ClearColumnWidths();
    for (const auto& [column, width] : from.ColumnWidths()) to.SetColumnWidth(column, width);
  }
  if (const auto frozen = from.FrozenAt()) to.FreezePanes(frozen->first, frozen->second);
}

}  // namespace

// The run goes on while sheets compress, until kParkedAtMost wait: then it
// waits for the oldest, so a run that finishes sheets faster than they
// compress holds only a few sheets' cells at a time.
void XlsxBackend::WaitForParkingRoom() {
  constexpr size_t kParkedAtMost = 8;
  while (!parking_.empty() &&
         (parking_.size() >= kParkedAtMost ||
          parking_.front().wait_for(std::chrono::seconds(0)) == std::future_status::ready)) {
    parking_.front().wait();
    parking_.pop_front();
  }
}

void XlsxBackend::FinishSheet(Worksheet& sheet) {
  XlsxSheetExtra* extra = ExtraOf(sheet);
  if (!sheet.Loaded() || (extra && (!extra->worksheet || extra->damaged || extra->parked))) return;
  if (!sheet.Modified() && extra && !extra->partName.empty()) return;  // copied as it is
  if (!extra) {
    sheet.SetExtra(std::make_unique<XlsxSheetExtra>());
    extra = ExtraOf(sheet);
  }
  LoadSharedStrings();
  WaitForParkingRoom();
  // The thread gets the cells and a copy of the layout: it shares nothing
  // the run may change.
  auto cells = std::make_shared<Worksheet>(&sheet.Parent(), sheet.Name());
  cells->SetLoaded();
  cells->Store() = std::move(sheet.Store());
  cells->Merges() = sheet.Merges();
  CopyLayout(sheet, *cells);
  auto parked = std::make_shared<ParkedSheet>();
  parked->formulas = !cells->Store().Formulas().empty();
  SheetWriteOptions options;
  options.sharedStrings = &sharedStrings_;
  // As many sheets compress behind the run at a time as a save uses threads:
  // each waits for the one that many places before it.
  const auto threads = static_cast<size_t>(SaveThreads());
  std::shared_future<DeflatedPart> before;
  if (parking_.size() >= threads) before = parking_[parking_.size() - threads];
  // The thread drops the cells once written: the shared state keeps the
  // task (and what it holds) until the save.
  parked->pending =
      std::async(std::launch::async, [cells, layout = *extra, options, before]() mutable {
        if (before.valid()) before.wait();
        PartDeflater deflater;
        WriteSheetXml(*cells, &layout, options, [&](std::string_view p) { deflater.Write(p); });
        cells.reset();
        return deflater.Finish();
      }).share();
  extra->parked = parked;
  parking_.push_back(parked->pending);
  sheet.Unload();
  budget_.Release(extra->held);
  extra->held = {};
}

void XlsxBackend::LoadParked(Worksheet& sheet, XlsxSheetExtra& extra) {
  std::shared_ptr<ParkedSheet> parked = std::move(extra.parked);
  // The part repeats the layout it was written with; the sheet keeps its own.
  const XlsxSheetExtra layout = extra;
  try {
    PartInflater in(parked->Get().data);
    // Our own part, not the user's file: it has a budget of its own.
    ReadBudget ownPart;
    ReadSheet([&](char* buffer, size_t size) { return in.Read(buffer, size); }, sharedStrings_,
              sheet, extra, ownPart);
  } catch (const std::exception& e) {
    if (IsOutOfMemory(e)) throw;       // not the file's fault
    extra.parked = std::move(parked);  // the cells are still there for the next try
    throw HostError("Load", path_, "sheet '" + sheet.Name() + "' cannot be read back: " + e.what());
  }
  extra = layout;
}

}  // namespace host::xlsx
