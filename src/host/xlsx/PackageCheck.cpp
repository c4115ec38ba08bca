#include "host/xlsx/PackageCheck.h"

#include <stdexcept>

namespace host::xlsx {

namespace {

bool SameEntry(zip_t* check, zip_int64_t index, const std::string& name,
               const std::map<std::string, std::string>& contents,
               const std::map<std::string, size_t>& sizes, zip_t* source) {
  if (auto it = contents.find(name); it != contents.end())
    return ReadEntry(check, index) == it->second;
  if (auto it = sizes.find(name); it != sizes.end())
    return ReadEntry(check, index).size() == it->second;
  zip_stat_t a, b;
  zip_stat_index(check, static_cast<zip_uint64_t>(index), 0, &a);
  zip_stat(source, name.c_str(), ZIP_FL_ENC_RAW, &b);
  return a.crc == b.crc && a.comp_size == b.comp_size;
}

}  // namespace

void VerifyPackage(const std::string& path, const std::set<std::string>& names,
                   const std::map<std::string, std::string>& contents,
                   const std::map<std::string, size_t>& sizes, zip_t* source) {
  std::string reason;
  ZipPtr check = OpenZip(path, ZIP_RDONLY | ZIP_CHECKCONS, reason);
  if (!check) throw std::runtime_error("the written file does not read back: " + reason);
  if (zip_get_num_entries(check.get(), 0) != static_cast<zip_int64_t>(names.size()))
    throw std::runtime_error("the written file is incomplete");
  for (const std::string& name : names) {
    zip_int64_t index = FindEntry(check.get(), name);
    if (index < 0) throw std::runtime_error("the written file lacks " + name);
    if (!SameEntry(check.get(), index, name, contents, sizes, source))
      throw std::runtime_error("the written file differs in " + name);
  }
}

}  // namespace host::xlsx
