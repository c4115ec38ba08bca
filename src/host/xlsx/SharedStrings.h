#pragma once
// The package's shared-string table: read on first need, then looked up by
// index when sheets are read and written.
#include <zip.h>

#include <exception>
#include <string>
#include <vector>

#include "host/ReadLimits.h"
#include "host/xlsx/StreamParser.h"

namespace host::xlsx {

class SharedStringTable {
 public:
  // Reads `part` of the package once; a later call does nothing, or throws
  // again what the first threw. No package, no part or a dangling
  // relationship leave the table empty (cells that use it read empty).
  // Throws HostError("Open", file, reason) for a damaged part or one beyond
  // the read limits and the workbook's `budget`.
  void Load(zip_t* zip, const std::string& part, const std::string& file, ReadBudget& budget);

  // The text at `index`, or null when the table has none there.
  const std::string* Find(long long index) const;

 private:
  void Read(zip_t* zip, const std::string& part, const std::string& file, ReadBudget& budget);

  std::vector<std::string> strings_;
  bool loaded_ = false;
  std::exception_ptr failure_;  // a table that failed to read fails every use
};

// Reads a shared-string part (rich text flattened, phonetic runs dropped).
std::vector<std::string> ReadSharedStrings(const ChunkSource& source, ReadBudget& budget);

}  // namespace host::xlsx
