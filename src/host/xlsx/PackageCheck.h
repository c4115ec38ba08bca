#pragma once
// Reads a freshly written package back before it may replace anything.
#include <map>
#include <set>
#include <string>

#include "host/xlsx/PackageWriter.h"
#include "host/xlsx/Zip.h"

namespace host::xlsx {

// What the written package must hold: exactly `names`, each entry as
// `expected` describes it (its CRC and compressed size in the directory and,
// for the parts we compressed, their size and the compressed bytes on disk),
// and the parts in `contents` with that content. Throws std::runtime_error
// naming what differs.
void VerifyPackage(const std::string& path, const std::set<std::string>& names,
                   const std::map<std::string, std::string>& contents,
                   const std::map<std::string, ExpectedEntry>& expected);

}  // namespace host::xlsx
