#pragma once
// Writes a new package entry by entry: parts copied from the old package in
// their compressed form (checked against their CRC on the way), parts held in
// memory, and parts produced piece by piece (rewritten sheets). Every part we
// write is compressed on its own, on as many threads as the save may use, so
// the bytes written never depend on the number of threads.
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "host/xlsx/PartDeflate.h"
#include "host/xlsx/Zip.h"

namespace host::xlsx {

// How saves compress. Benchmarks and tests set it; 0 threads means one per core.
struct SaveTuning {
  int threads = 0;
  std::time_t partTime = 0;  // modification time of written parts; 0 = now
};
void SetSaveTuning(const SaveTuning& tuning);
// How many threads compress: one per core unless tuned.
int SaveThreads();

// What the read-back must find for an entry of the new package.
struct ExpectedEntry {
  uint32_t crc = 0;
  uint64_t compSize = 0;
  bool written = false;  // compressed by us: size and the stored bytes are known too
  uint64_t size = 0;
  uint32_t storedCrc = 0;  // CRC-32 of the compressed bytes
};

class PackageWriter {
 public:
  // Receives a part's bytes in pieces; each piece is valid only during the call.
  using Sink = std::function<void(std::string_view)>;
  using Producer = std::function<void(const Sink&)>;

  // Creates (or truncates) the archive at `path`. Throws std::runtime_error.
  explicit PackageWriter(const std::string& path);
  // Writes the archive into the open file `fd` (see CreateZipInFile); the
  // descriptor stays the caller's. Throws std::runtime_error.
  explicit PackageWriter(int fd);
  PackageWriter(const PackageWriter&) = delete;
  PackageWriter& operator=(const PackageWriter&) = delete;

  // Copies entry `index` of `from` without recompressing it.
  void Copy(const std::string& name, zip_t* from, zip_uint64_t index);
  // Adds a part from memory; `data` must live until Close.
  void Add(const std::string& name, const std::string& data);
  // Adds a part that `make` produces while the package is written; `weight`
  // (its rough size) only orders the work.
  void AddProduced(const std::string& name, Producer make, size_t weight);

  // Adds a part compressed beforehand; `part` must live until Close.
  void AddDeflated(const std::string& name, const DeflatedPart& part);

  // Checks the copied parts, compresses the others and writes the archive.
  // Throws std::runtime_error naming a damaged copied part, with the reason a
  // produced part failed, or libzip's.
  void Close();

  // Per entry name, once closed.
  const std::map<std::string, ExpectedEntry>& Expected() const { return expected_; }

 private:
  struct Pending {
    std::string name;
    zip_t* from = nullptr;  // a copy
    zip_uint64_t index = 0;
    Producer make;  // a part to produce and compress
    size_t weight = 0;
    DeflatedPart part;
    const DeflatedPart* ready = nullptr;  // a part compressed beforehand
  };
  void CheckCopies();
  void Compress();
  void AddEntries();

  ZipPtr zip_;
  std::vector<Pending> pending_;
  std::map<std::string, ExpectedEntry> expected_;
};

}  // namespace host::xlsx
