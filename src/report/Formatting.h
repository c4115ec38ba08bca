#pragma once
// The formatting of the result sheets: clearing a sheet, ruling and turning
// the heads of a table found from its corner, and the order of the run's sheets.
#include "host/Host.h"
#include "report/Layout.h"

namespace report {

// Every value, fill and border of `sheet` goes; other formats stay.
void ClearResultSheet(host::Worksheet& sheet);
// A thin grid over the block of `corner`: its head row runs right and its
// name column down from the corner, each to the end of its filled run.
void DrawThinGrid(const host::Range& corner);
// The head cells right of `corner` up to the end of their run: centred,
// turned to read top to bottom.
void TurnHeadTexts(const host::Range& corner);
// Rules (when `ruled`) and turns the heads of the table whose corner is `corner`.
void FrameTable(const host::Range& corner, bool ruled);

// The sheets a run writes; a sheet the run does not make stays null.
struct ResultSheets {
  host::Worksheet* source = nullptr;
  host::Worksheet* errorLog = nullptr;
  host::Worksheet* ssr = nullptr;
  host::Worksheet* tssr = nullptr;
  host::Worksheet* pek = nullptr;
  host::Worksheet* chr = nullptr;
  host::Worksheet* alleles = nullptr;
  host::Worksheet* genotypes = nullptr;
  host::Worksheet* pairs = nullptr;
  host::Worksheet* identification = nullptr;
  host::Worksheet* summary = nullptr;
  host::Worksheet* distances = nullptr;
  host::Worksheet* coordinates = nullptr;
};
// Moves the source and output sheets of the run to the front in the fixed order.
void OrderResultSheets(host::Workbook& book, const ResultSheets& sheets);

}  // namespace report
