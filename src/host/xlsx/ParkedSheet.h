#pragma once
// A finished sheet kept as its compressed part instead of as cells: the 0/1
// sheets of a run hold millions of small numbers that nothing reads again.
// The part is compressed on a thread of its own while the run goes on.
#include <future>
#include <string>

#include "host/xlsx/PartDeflate.h"
#include "host/xlsx/StreamParser.h"

namespace host::xlsx {

struct ParkedSheet {
  // Shared: the next sheet's thread waits on it too.
  std::shared_future<DeflatedPart> pending;
  bool formulas = false;  // the cells had formulas (the calc chain must go on save)

  // The compressed part, once its thread is done. Rethrows what stopped it.
  const DeflatedPart& Get() const { return pending.get(); }
};

// Inflates a part piece by piece, for the sheet reader.
class PartInflater {
 public:
  explicit PartInflater(const std::string& deflated);
  ~PartInflater();
  PartInflater(const PartInflater&) = delete;
  PartInflater& operator=(const PartInflater&) = delete;
  // Fills up to `size` bytes; 0 at the end. Throws std::runtime_error.
  size_t Read(char* buffer, size_t size);

 private:
  z_stream z_{};
  bool done_ = false;
};

}  // namespace host::xlsx
