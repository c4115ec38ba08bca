#include "host/xlsx/ZipFileSink.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace host::xlsx {

namespace {

struct FileSink {
  int fd = -1;
  zip_uint64_t readPos = 0;
  zip_error_t error;
};

zip_int64_t Fail(FileSink* sink, int code) {
  zip_error_set(&sink->error, code, errno);
  return -1;
}

zip_int64_t Stat(FileSink* sink, void* data) {
  struct stat st;
  if (::fstat(sink->fd, &st) != 0) return Fail(sink, ZIP_ER_READ);
  auto* zst = static_cast<zip_stat_t*>(data);
  zip_stat_init(zst);
  zst->size = static_cast<zip_uint64_t>(st.st_size);
  zst->valid |= ZIP_STAT_SIZE;
  return sizeof(*zst);
}

zip_int64_t FileSize(FileSink* sink) {
  struct stat st;
  return ::fstat(sink->fd, &st) == 0 ? static_cast<zip_int64_t>(st.st_size) : -1;
}

zip_int64_t Write(FileSink* sink, const void* data, zip_uint64_t len) {
  const char* bytes = static_cast<const char*>(data);
  zip_uint64_t done = 0;
  while (done < len) {
    const ssize_t n = ::write(sink->fd, bytes + done, len - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Fail(sink, ZIP_ER_WRITE);
    done += static_cast<zip_uint64_t>(n);
  }
  return static_cast<zip_int64_t>(done);
}

zip_int64_t SeekWrite(FileSink* sink, void* data, zip_uint64_t len) {
  auto* args = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, len, &sink->error);
  if (!args) return -1;
  if (::lseek(sink->fd, args->offset, args->whence) < 0) return Fail(sink, ZIP_ER_SEEK);
  return 0;
}

// Reading is only asked of an archive that is opened to be changed; ours is
// always new and empty, but libzip checks that the source can.
zip_int64_t ReadSide(FileSink* sink, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      sink->readPos = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      const ssize_t n = ::pread(sink->fd, data, len, static_cast<off_t>(sink->readPos));
      if (n < 0) return Fail(sink, ZIP_ER_READ);
      sink->readPos += static_cast<zip_uint64_t>(n);
      return n;
    }
    case ZIP_SOURCE_SEEK: {
      const zip_int64_t size = FileSize(sink);
      const zip_int64_t pos =
          size < 0 ? -1
                   : zip_source_seek_compute_offset(sink->readPos, static_cast<zip_uint64_t>(size),
                                                    data, len, &sink->error);
      if (pos < 0) return -1;
      sink->readPos = static_cast<zip_uint64_t>(pos);
      return 0;
    }
    case ZIP_SOURCE_TELL:
      return static_cast<zip_int64_t>(sink->readPos);
    default:  // ZIP_SOURCE_CLOSE
      return 0;
  }
}

zip_int64_t Callback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* sink = static_cast<FileSink*>(userdata);
  switch (cmd) {
    case ZIP_SOURCE_BEGIN_WRITE:
    case ZIP_SOURCE_ROLLBACK_WRITE:
    case ZIP_SOURCE_REMOVE:
      if (::ftruncate(sink->fd, 0) != 0 || ::lseek(sink->fd, 0, SEEK_SET) != 0)
        return Fail(sink, ZIP_ER_WRITE);
      return 0;
    case ZIP_SOURCE_WRITE:
      return Write(sink, data, len);
    case ZIP_SOURCE_SEEK_WRITE:
      return SeekWrite(sink, data, len);
    case ZIP_SOURCE_TELL_WRITE: {
      const off_t pos = ::lseek(sink->fd, 0, SEEK_CUR);
      return pos < 0 ? Fail(sink, ZIP_ER_TELL) : static_cast<zip_int64_t>(pos);
    }
    case ZIP_SOURCE_COMMIT_WRITE:
      return 0;  // the owner of the file flushes it when it puts it in place
    case ZIP_SOURCE_STAT:
      return Stat(sink, data);
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&sink->error, data, len);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&sink->error);
      delete sink;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return ZIP_SOURCE_SUPPORTS_WRITABLE;
    case ZIP_SOURCE_OPEN:
    case ZIP_SOURCE_READ:
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_SEEK:
    case ZIP_SOURCE_TELL:
      return ReadSide(sink, data, len, cmd);
    default:
      zip_error_set(&sink->error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

}  // namespace

ZipPtr CreateZipInFile(int fd, std::string& reason) {
  auto* sink = new FileSink;
  sink->fd = fd;
  zip_error_init(&sink->error);
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_function_create(Callback, sink, &error);
  if (!source) {
    zip_error_fini(&sink->error);
    delete sink;
  }
  zip_t* zip = source ? zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error) : nullptr;
  if (!zip) {
    reason = zip_error_strerror(&error);
    if (source) zip_source_free(source);  // frees the sink too
  }
  zip_error_fini(&error);
  return ZipPtr(zip);
}

}  // namespace host::xlsx
