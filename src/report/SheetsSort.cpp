#include <cstdint>

#include "report/Formatting.h"

namespace report {

void SheetsSort(host::Workbook& book, const RunSheets& sheets) {
  host::Worksheet* const order[] = {
      sheets.SrcSheet, sheets.ErrSheet, sheets.SsrSheet, sheets.CmbSheet,  sheets.GntSheet,
      sheets.AllSheet, sheets.ChrSheet, sheets.PekSheet, sheets.TssrSheet, sheets.UkaiSheet};
  int16_t pos = 1;
  for (host::Worksheet* sheet : order) {
    if (!sheet) continue;  // not made by this run: no gap
    sheet->Move(book.Sheet(pos));
    ++pos;
  }
}

}  // namespace report
