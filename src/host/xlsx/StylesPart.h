#pragma once
// styles.xml: read into the model's StyleTable; written back by appending only
// what the model added, so every index that a stored cell uses stays valid.
#include <string>

#include "host/Styles.h"

namespace host::xlsx {

// Parses a styles part. Throws std::runtime_error for XML that does not parse.
StyleTable ReadStyles(const std::string& xml);
// The original part with the table's new numFmts, fills, borders and cell
// formats appended and the count attributes made right.
std::string AppendStyles(const std::string& originalXml, const StyleTable& table);
// A complete styles part for a workbook that has no file yet.
std::string NewStylesXml(const StyleTable& table);

// Serialization of single entries (also used by tests).
std::string FillXml(const Fill& fill, const std::string& prefix = "");
std::string BorderXml(const Border& border, const std::string& prefix = "");
std::string XfXml(const Xf& xf, const std::string& prefix = "");

}  // namespace host::xlsx
