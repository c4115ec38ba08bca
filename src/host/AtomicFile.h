#pragma once
// A new version of a file, written beside it and renamed over it only when
// complete: the file at the target path is always either the old one or the
// whole new one, whatever fails in between.
#include <string>

namespace host {

class AtomicFile {
 public:
  // Creates an empty temporary file in the target's folder. Throws
  // std::runtime_error when the folder cannot take it.
  explicit AtomicFile(const std::string& target);
  // Removes the temporary file unless it replaced the target.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Where to write the new version.
  const std::string& TempPath() const { return temp_; }

  // Gives the new file the target's permissions (for a new target, those the
  // umask allows), flushes it to disk, renames it over the target and flushes
  // the folder. Throws std::runtime_error; the target is then unchanged.
  void Replace();

 private:
  std::string target_;
  std::string folder_;
  std::string temp_;
  bool replaced_ = false;
};

}  // namespace host
