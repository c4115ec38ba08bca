#pragma once
// What tells one version of a file from another without reading it: the
// device and inode (an atomic save by another program makes a new inode), the
// size and the modification time (an in-place save changes at least one).
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

namespace host {

struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t modifiedNs = 0;  // modification time, nanoseconds since the epoch

  // The file at `path`, links followed; nothing when there is none.
  static std::optional<FileIdentity> Of(const std::string& path);
  // The file open as `fd`.
  static std::optional<FileIdentity> OfDescriptor(int fd);

  bool operator==(const FileIdentity&) const = default;
  // The same file, whatever its version: one device and inode, through any name.
  bool SameFile(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
};

}  // namespace host
