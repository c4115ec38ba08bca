#pragma once
// Thin RAII layer over libzip: archives and sources are released on every path,
// including the error paths of a failed save.
#include <zip.h>

#include <memory>
#include <string>

#include "host/ReadLimits.h"

namespace host::xlsx {

struct ZipCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
// An archive discarded (not written) when it goes out of scope; Commit writes it.
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;

struct ZipSourceCloser {
  void operator()(zip_source_t* s) const { zip_source_free(s); }
};
using ZipSourcePtr = std::unique_ptr<zip_source_t, ZipSourceCloser>;

struct ZipFileCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};
using ZipFilePtr = std::unique_ptr<zip_file_t, ZipFileCloser>;

// Opens an archive; on failure returns null and puts libzip's reason in `reason`.
ZipPtr OpenZip(const std::string& path, int flags, std::string& reason);
// Writes and closes the archive. Returns false with the reason on failure; the
// archive is released either way.
bool CommitZip(ZipPtr& zip, std::string& reason);

// Index of an entry by part name, or -1. Part names compare ignoring ASCII
// case; an entry of exactly that name comes first.
zip_int64_t FindEntry(zip_t* zip, const std::string& name);
// Reads a whole entry (with its CRC checked by libzip). Throws std::runtime_error,
// LimitError past `limit` bytes.
std::string ReadEntry(zip_t* zip, zip_int64_t index, size_t limit = kMaxPartBytes);
// Reads up to `size` bytes of an open entry; 0 at its end. Throws std::runtime_error.
size_t ReadChunk(zip_file_t* file, char* buffer, size_t size);
// Reads an entry by name; false if it does not exist.
bool ReadEntry(zip_t* zip, const std::string& name, std::string& out);

}  // namespace host::xlsx
