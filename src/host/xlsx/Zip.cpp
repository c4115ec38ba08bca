#include "host/xlsx/Zip.h"

#include <new>
#include <stdexcept>

#include "host/ReadLimits.h"

namespace host::xlsx {

ZipPtr OpenZip(const std::string& path, int flags, std::string& reason) {
  int code = 0;
  zip_t* z = zip_open(path.c_str(), flags, &code);
  if (!z && code == ZIP_ER_MEMORY) throw std::bad_alloc();  // says nothing about the file
  if (!z) {
    zip_error_t err;
    zip_error_init_with_code(&err, code);
    reason = zip_error_strerror(&err);
    zip_error_fini(&err);
  }
  return ZipPtr(z);
}

bool CommitZip(ZipPtr& zip, std::string& reason) {
  zip_t* z = zip.get();
  if (zip_close(z) == 0) {
    zip.release();  // zip_close freed it
    return true;
  }
  reason = zip_strerror(z);
  zip.reset();  // discards
  return false;
}

zip_int64_t FindEntry(zip_t* zip, const std::string& name) {
  // The exact name is a hashed look-up; ignoring case walks every entry.
  const zip_int64_t exact = zip_name_locate(zip, name.c_str(), ZIP_FL_ENC_RAW);
  if (exact >= 0) return exact;
  return zip_name_locate(zip, name.c_str(), ZIP_FL_ENC_RAW | ZIP_FL_NOCASE);
}

std::string ReadEntry(zip_t* zip, zip_int64_t index, size_t limit) {
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(zip, static_cast<zip_uint64_t>(index), 0, &st) != 0)
    throw std::runtime_error(zip_strerror(zip));
  ZipFilePtr file(zip_fopen_index(zip, static_cast<zip_uint64_t>(index), 0));
  if (!file) throw std::runtime_error(zip_strerror(zip));
  std::string out;
  if ((st.valid & ZIP_STAT_SIZE) && st.size < limit) out.reserve(st.size);
  char buffer[65536];
  for (;;) {
    zip_int64_t n = zip_fread(file.get(), buffer, sizeof buffer);
    if (n < 0) throw std::runtime_error(zip_file_strerror(file.get()));
    if (n == 0) break;
    out.append(buffer, static_cast<size_t>(n));
    if (out.size() > limit)
      throw LimitError("the part is larger than " + std::to_string(limit / kMebibyte) + " MiB");
  }
  return out;
}

size_t ReadChunk(zip_file_t* file, char* buffer, size_t size) {
  zip_int64_t n = zip_fread(file, buffer, size);
  if (n < 0) throw std::runtime_error(zip_file_strerror(file));
  return static_cast<size_t>(n);
}

bool ReadEntry(zip_t* zip, const std::string& name, std::string& out) {
  zip_int64_t index = FindEntry(zip, name);
  if (index < 0) return false;
  out = ReadEntry(zip, index);
  return true;
}

}  // namespace host::xlsx
