#pragma once
// Reads a freshly written package back before it may replace anything.
#include <map>
#include <set>
#include <string>

#include "host/xlsx/Zip.h"

namespace host::xlsx {

// What the written package must hold: exactly `names`; the parts in
// `contents` with that content, those in `sizes` with that size, and every
// other one as the entry of the same name in `source` (same CRC and
// compressed size). Throws std::runtime_error naming what differs.
void VerifyPackage(const std::string& path, const std::set<std::string>& names,
                   const std::map<std::string, std::string>& contents,
                   const std::map<std::string, size_t>& sizes, zip_t* source);

}  // namespace host::xlsx
