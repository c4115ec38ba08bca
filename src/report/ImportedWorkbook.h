#pragma once
// A new workbook from an imported table: a source sheet in AlleleScope's
// layout with the file's title in B2 and, when the file had populations, a
// sheet "Groups" with them.
#include <string>

#include "exchange/ImportFormat.h"
#include "host/Host.h"

namespace report {

// Throws std::runtime_error with the user's text, naming `file`, when a text
// of the table is longer than a cell holds (the readers keep its rows,
// columns and cells within what a workbook holds).
void CheckImportedTableFits(const exchange::ImportedTable& table, const std::string& file);

// Names the source sheet BASE.org (made legal) and saves the workbook to
// `path`. Throws host::HostError when the workbook cannot be written.
void WriteImportedWorkbook(host::Application& app, const std::string& path, const std::string& base,
                           const exchange::ImportedTable& table);

}  // namespace report
