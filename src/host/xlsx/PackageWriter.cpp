#include "host/xlsx/PackageWriter.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <stdexcept>
#include <utility>

#include "host/xlsx/ZipFileSink.h"

namespace host::xlsx {

namespace {

// Deflate level for the parts we write: the default level keeps files as
// small as the spreadsheet's own and still saves 2 million cells in ~1.5 s.
constexpr zip_uint32_t kDeflateLevel = 6;

// A part produced when libzip opens it and freed right after it was read.
struct LazyPart {
  std::function<std::string()> make;
  std::string data;
  size_t pos = 0;
  size_t* producedSize = nullptr;
  std::string* failure = nullptr;
  zip_error_t error;
  bool produced = false;
  bool written = false;
  size_t size = 0;

  bool Produce() {
    if (produced) return true;
    try {
      data = make();
    } catch (const std::exception& e) {
      if (failure) *failure = e.what();
      zip_error_set(&error, ZIP_ER_MEMORY, 0);
      return false;
    }
    produced = true;
    size = data.size();
    if (producedSize) *producedSize = size;
    return true;
  }
};

zip_int64_t LazyStat(LazyPart* part, void* data) {
  auto* st = static_cast<zip_stat_t*>(data);
  zip_stat_init(st);
  st->mtime = std::time(nullptr);
  st->valid |= ZIP_STAT_MTIME;
  // libzip asks for the size just before it compresses the part; knowing
  // it keeps the entry a plain (not Zip64) one, which every reader takes.
  // After the part was written libzip may ask again; answer from memory
  // rather than serializing the sheet a second time.
  if (!part->written && !part->Produce()) return -1;
  st->size = part->size;
  st->valid |= ZIP_STAT_SIZE;
  return sizeof(*st);
}

zip_int64_t LazyCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* part = static_cast<LazyPart*>(userdata);
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      if (!part->Produce()) return -1;
      part->pos = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      size_t n = std::min<size_t>(len, part->data.size() - part->pos);
      std::memcpy(data, part->data.data() + part->pos, n);
      part->pos += n;
      return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
      std::string().swap(part->data);
      part->produced = false;
      part->written = true;
      return 0;
    case ZIP_SOURCE_STAT:
      return LazyStat(part, data);
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&part->error, data, len);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&part->error);
      delete part;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                            ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      zip_error_set(&part->error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

void AddEntry(zip_t* zip, const std::string& name, zip_source_t* source, bool compress) {
  ZipSourcePtr owned(source);
  if (!source) throw std::runtime_error(zip_strerror(zip));
  zip_int64_t index = zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
  if (index < 0) throw std::runtime_error(zip_strerror(zip));
  owned.release();  // the archive owns it now
  if (compress && zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                           kDeflateLevel) != 0)
    throw std::runtime_error(zip_strerror(zip));
}

}  // namespace

PackageWriter::PackageWriter(const std::string& path) {
  std::string reason;
  zip_ = OpenZip(path, ZIP_CREATE | ZIP_TRUNCATE, reason);
  if (!zip_) throw std::runtime_error(reason);
}

PackageWriter::PackageWriter(int fd) {
  std::string reason;
  zip_ = CreateZipInFile(fd, reason);
  if (!zip_) throw std::runtime_error(reason);
}

void PackageWriter::Copy(const std::string& name, zip_t* from, zip_uint64_t index) {
  zip_stat_t st;
  zip_stat_init(&st);
  const bool stored = zip_stat_index(from, index, 0, &st) == 0 &&
                      (st.valid & ZIP_STAT_COMP_METHOD) && st.comp_method == ZIP_CM_STORE;
  if (!stored) {
    AddEntry(zip_.get(), name, zip_source_zip(zip_.get(), from, index, ZIP_FL_COMPRESSED, 0, -1),
             false);
    return;
  }
  // An uncompressed part's bytes are its data: copied as data and kept
  // uncompressed, so the entry comes out as it went in.
  AddEntry(zip_.get(), name, zip_source_zip(zip_.get(), from, index, 0, 0, -1), false);
  const zip_int64_t added = zip_name_locate(zip_.get(), name.c_str(), 0);
  if (added < 0 ||
      zip_set_file_compression(zip_.get(), static_cast<zip_uint64_t>(added), ZIP_CM_STORE, 0) != 0)
    throw std::runtime_error(zip_strerror(zip_.get()));
}

void PackageWriter::Add(const std::string& name, const std::string& data) {
  AddEntry(zip_.get(), name, zip_source_buffer(zip_.get(), data.data(), data.size(), 0), true);
}

void PackageWriter::AddLazy(const std::string& name, std::function<std::string()> make) {
  auto* part = new LazyPart;
  zip_error_init(&part->error);
  part->make = std::move(make);
  part->producedSize = &lazySizes_[name];
  part->failure = &lazyFailure_;
  zip_source_t* source = zip_source_function(zip_.get(), LazyCallback, part);
  if (!source) {
    zip_error_fini(&part->error);
    delete part;
  }
  AddEntry(zip_.get(), name, source, true);
}

void PackageWriter::Close() {
  std::string reason;
  if (!CommitZip(zip_, reason))
    throw std::runtime_error(lazyFailure_.empty() ? reason : lazyFailure_);
}

}  // namespace host::xlsx
