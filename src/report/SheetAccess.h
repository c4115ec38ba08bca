#pragma once
// Getting output sheets and reading the source sheet into the store.
#include <string>

#include "report/RunContext.h"

namespace report {

// Reuses the sheet named `name` if the workbook listed it when it was last
// opened (ctx.listedSheets), otherwise adds a sheet (before the active one) and
// names it. Names the workbook cannot take are made legal and unique in a
// fixed, repeatable way (LegalSheetName), so reruns find the same sheets.
void OpenOutputSheet(RunContext& ctx, host::Worksheet*& obj, const std::string& name);

// The sheet an earlier run left under `name`: the one OpenOutputSheet would reuse,
// and only when it carries that output's kind in B1, so a sheet of the user's
// is never returned. Counted as the run's own from then on; null when none.
host::Worksheet* FindEarlierOutput(RunContext& ctx, const std::string& name);

// The fixed mapping of a wanted output sheet name to a legal, unique one. A
// name that is already legal and free is returned unchanged.
std::string LegalSheetName(const host::Workbook& book, const std::string& wanted);

// Reads names and cell texts of the table at the anchor into a new ctx.store
// of kind ctx.kind; more than 500 varieties or 250 markers are logged.
void ReadSourceTable(RunContext& ctx, host::Worksheet& src);

}  // namespace report
