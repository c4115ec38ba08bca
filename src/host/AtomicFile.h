#pragma once
// A new version of a file, written beside it and put in its place only when
// complete: the file at the target path is always either the old one or the
// whole new one, whatever fails in between, and a killed process leaves no
// half-written file behind.
#include <optional>
#include <string>

#include "host/FileIdentity.h"

namespace host {

class AtomicFile {
 public:
  // Prepares a new version of `target`. Links are followed to the final
  // target, whose folder takes the new file: unnamed (O_TMPFILE) where the file
  // system allows, so that nothing is left if the process dies; elsewhere a
  // hidden ".~NAME.XXXXXX" that RemoveStale clears on a later run. Throws
  // HostError("Save", ...) for a read-only target and std::runtime_error when
  // the folder cannot take the file.
  explicit AtomicFile(const std::string& target);
  // Discards the new file unless it replaced the target.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Where to write the new version: an open descriptor, read and write.
  int Descriptor() const { return fd_; }
  // A path that reads the new version back.
  const std::string& ReadPath() const { return readPath_; }
  // The file that will be replaced (links resolved).
  const std::string& Target() const { return target_; }

  // Gives the new file the target's permissions and, where this process may,
  // its owner and group (a new target gets what the umask allows); flushes it
  // to disk and puts it in place of the target. With `expected`, the target
  // must still be that file: one that another program has changed or replaced
  // since is kept, and nothing is replaced. Throws std::runtime_error; the
  // target is then unchanged. Returns the identity of the new file in place.
  FileIdentity Replace(const std::optional<FileIdentity>& expected = std::nullopt);
  // As Replace, for a target that must not exist: a file that appeared there
  // meanwhile is kept and nothing is put in place (std::runtime_error).
  FileIdentity Create();

  // Removes the hidden temporary files that an earlier save of `target` left
  // when it was killed: only ours (the name of a save of this target, a
  // regular file of this user with no other name), never through a link. Call
  // it only while no other save of `target` can be under way (see RunLock).
  static void RemoveStale(const std::string& target);

 private:
  void Flush(bool newTarget);
  FileIdentity Placed();
  void PutInPlace();
  void PutAsNew();

  std::string target_;
  std::string folder_;
  std::string temp_;  // the named temporary file; empty for an unnamed one
  std::string readPath_;
  int fd_ = -1;
  bool replaced_ = false;
};

}  // namespace host
