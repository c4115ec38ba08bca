#include "report/Formatting.h"

namespace report {

void OrderResultSheets(host::Workbook& book, const ResultSheets& sheets) {
  host::Worksheet* const order[] = {
      sheets.source,  sheets.errorLog,  sheets.ssr,        sheets.pairs, sheets.genotypes,
      sheets.alleles, sheets.chr,       sheets.pek,        sheets.tssr,  sheets.identification,
      sheets.summary, sheets.distances, sheets.coordinates};
  int pos = 1;
  for (host::Worksheet* sheet : order) {
    if (!sheet) continue;  // not made by this run: no gap
    sheet->Move(book.Sheet(pos));
    ++pos;
  }
}

}  // namespace report
