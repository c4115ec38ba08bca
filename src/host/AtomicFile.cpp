#include "host/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace host {

namespace {

std::string Errno(const std::string& what) { return what + ": " + std::strerror(errno); }

void SyncPath(const std::string& path, int flags) {
  int fd = ::open(path.c_str(), flags);
  if (fd < 0) throw std::runtime_error(Errno("cannot open " + path));
  int rc = ::fsync(fd);
  int saved = errno;
  ::close(fd);
  errno = saved;
  // Some file systems refuse fsync on folders; the data itself was synced.
  if (rc != 0 && !(flags & O_DIRECTORY)) throw std::runtime_error(Errno("cannot flush to disk"));
}

// The mode the target has, or for a new file the one the umask allows.
mode_t ModeFor(const std::string& target) {
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

AtomicFile::AtomicFile(const std::string& target) : target_(target) {
  std::filesystem::path path(target);
  folder_ = path.parent_path().empty() ? "." : path.parent_path().string();
  std::string pattern = folder_ + "/.~" + path.filename().string() + ".XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  int fd = ::mkstemp(buf.data());
  if (fd < 0) throw std::runtime_error(Errno("cannot write in " + folder_));
  ::close(fd);
  temp_ = buf.data();
}

AtomicFile::~AtomicFile() {
  if (!replaced_) ::unlink(temp_.c_str());
}

void AtomicFile::Replace() {
  if (::chmod(temp_.c_str(), ModeFor(target_)) != 0) throw std::runtime_error(Errno("chmod"));
  SyncPath(temp_, O_RDONLY);
  if (::rename(temp_.c_str(), target_.c_str()) != 0)
    throw std::runtime_error(Errno("cannot replace the file"));
  replaced_ = true;
  try {
    SyncPath(folder_, O_RDONLY | O_DIRECTORY);
  } catch (const std::exception&) {
    // The rename is done; a folder that cannot be flushed changes nothing for the user.
  }
}

}  // namespace host
