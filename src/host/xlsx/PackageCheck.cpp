#include "host/xlsx/PackageCheck.h"

#include <zlib.h>

#include <stdexcept>

namespace host::xlsx {

namespace {

// CRC-32 of an entry's bytes as stored: the compressed stream, not inflated.
// Matching the CRC of what we compressed shows the disk holds what we wrote,
// at a fraction of the cost of inflating it again.
uint32_t StoredCrc(zip_t* zip, zip_int64_t index) {
  ZipFilePtr file(zip_fopen_index(zip, static_cast<zip_uint64_t>(index), ZIP_FL_COMPRESSED));
  if (!file) throw std::runtime_error(zip_strerror(zip));
  uLong crc = crc32(0, nullptr, 0);
  char buffer[65536];
  while (const size_t n = ReadChunk(file.get(), buffer, sizeof buffer))
    crc = crc32_z(crc, reinterpret_cast<const Bytef*>(buffer), n);
  return static_cast<uint32_t>(crc);
}

bool SameEntry(zip_t* check, zip_int64_t index, const std::string& name,
               const std::map<std::string, std::string>& contents, const ExpectedEntry& want) {
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(check, static_cast<zip_uint64_t>(index), 0, &st) != 0 || st.crc != want.crc ||
      st.comp_size != want.compSize)
    return false;
  if (auto it = contents.find(name); it != contents.end())
    return ReadEntry(check, index) == it->second;
  return !want.written || (st.size == want.size && StoredCrc(check, index) == want.storedCrc);
}

}  // namespace

void VerifyPackage(const std::string& path, const std::set<std::string>& names,
                   const std::map<std::string, std::string>& contents,
                   const std::map<std::string, ExpectedEntry>& expected) {
  std::string reason;
  ZipPtr check = OpenZip(path, ZIP_RDONLY | ZIP_CHECKCONS, reason);
  if (!check) throw std::runtime_error("the written file does not read back: " + reason);
  if (zip_get_num_entries(check.get(), 0) != static_cast<zip_int64_t>(names.size()))
    throw std::runtime_error("the written file is incomplete");
  for (const std::string& name : names) {
    zip_int64_t index = FindEntry(check.get(), name);
    auto want = expected.find(name);
    if (index < 0 || want == expected.end())
      throw std::runtime_error("the written file lacks " + name);
    if (!SameEntry(check.get(), index, name, contents, want->second))
      throw std::runtime_error("the written file differs in " + name);
  }
}

}  // namespace host::xlsx
