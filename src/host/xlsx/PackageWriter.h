#pragma once
// Writes a new package entry by entry: parts copied from the old package in
// their compressed form, parts held in memory, and parts produced only when
// libzip compresses them (rewritten sheets), so a save holds one rewritten
// sheet's XML at a time.
#include <functional>
#include <map>
#include <string>

#include "host/xlsx/Zip.h"

namespace host::xlsx {

class PackageWriter {
 public:
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
  // Adds a part that `make` produces while the archive is written.
  void AddLazy(const std::string& name, std::function<std::string()> make);

  // Writes the archive. Throws std::runtime_error with the reason a lazy part
  // failed, or libzip's.
  void Close();

  // The sizes of the lazily produced parts, once written.
  const std::map<std::string, size_t>& LazySizes() const { return lazySizes_; }

 private:
  ZipPtr zip_;
  std::map<std::string, size_t> lazySizes_;
  std::string lazyFailure_;
};

}  // namespace host::xlsx
