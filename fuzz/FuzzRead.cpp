#include "FuzzRead.h"

#include <exception>
#include <string>

#include "FuzzFiles.h"
#include "app/core/Session.h"
#include "report/ReadGenotypes.h"
#include "report/Run.h"

namespace fuzz {

namespace {

// Keeps the reads from being optimised away.
volatile size_t gSink = 0;

void ReadCells(host::Worksheet& sheet) {
  for (const auto& [row, cells] : sheet.Store().Rows()) {
    for (const host::Cell& cell : cells.cells) {
      host::Range range = sheet.Cell(row, cell.column);
      gSink = gSink + range.Text().size() + range.NumberFormat().size();
      gSink = gSink + static_cast<size_t>(static_cast<int>(range.InteriorColorIndex()));
    }
  }
  gSink = gSink + sheet.Merges().size() + sheet.Store().Formulas().size();
}

void ReadSource(host::Worksheet& sheet) {
  if (!app::IsSourceName(sheet.Name())) return;
  report::GenotypeRead read = report::ReadGenotypes(sheet, report::ClassifySource(sheet));
  gSink = gSink + read.findings.size();
}

void DeriveOnSheet(host::Worksheet& sheet) {
  // A few cells per sheet reach every cell format a small file can hold.
  constexpr size_t kCells = 64;
  size_t done = 0;
  for (const auto& [row, cells] : sheet.Store().Rows()) {
    for (const host::Cell& cell : cells.cells) {
      if (done++ == kCells) return;
      host::Range range = sheet.Cell(row, cell.column);
      range.SetInteriorColorIndex(host::PaletteIndex(6));
      range.SetBorderLineStyle(host::Edge::Top, host::LineStyle::Continuous);
      range.SetOrientation(-90);
      range.SetNumberFormatLocal("0.0000000000");
    }
  }
}

}  // namespace

void ReadEverything(host::Workbook& book) {
  for (int k = 1; k <= book.SheetCount(); ++k) {
    host::Worksheet& sheet = book.Sheet(k);
    sheet.Store();  // a damaged sheet part is refused here
    try {
      ReadCells(sheet);
      ReadSource(sheet);
    } catch (const std::exception& e) {
      Fault("reading the loaded sheet \"" + sheet.Name() + "\" threw: " + e.what());
    }
  }
}

void DeriveFormats(host::Workbook& book) {
  for (int k = 1; k <= book.SheetCount(); ++k) {
    try {
      DeriveOnSheet(book.Sheet(k));
    } catch (const host::HostError&) {
      // A refusal, such as a style sheet already at the format limit.
    } catch (const std::exception& e) {
      Fault("deriving formats on \"" + book.Sheet(k).Name() + "\" threw: " + e.what());
    }
  }
}

}  // namespace fuzz
