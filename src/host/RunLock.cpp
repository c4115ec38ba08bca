#include "host/RunLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "host/FileIdentity.h"
#include "host/HostError.h"

namespace host {

namespace {

constexpr std::chrono::milliseconds kPoll(50);

enum class Attempt { Locked, Busy, Moved, NoLock };

// The file opened with `flags` and locked: its descriptor, or -1 with errno set.
int OpenLocked(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
  const int error = errno;
  ::close(fd);
  errno = error;
  return -1;
}

// One try at the file the path names now; `fd` is set only when locked.
Attempt TryLock(const std::string& path, int& fd) {
  int candidate = OpenLocked(path, O_RDONLY);
  // NFS locks through byte ranges, which need a descriptor open for writing.
  if (candidate < 0 && errno == EBADF) candidate = OpenLocked(path, O_RDWR);
  if (candidate < 0) return errno == EWOULDBLOCK ? Attempt::Busy : Attempt::NoLock;
  // A save by the previous holder may have put a new file in place while we
  // waited: the lock of the file it replaced protects nothing any more.
  const auto locked = FileIdentity::OfDescriptor(candidate);
  const auto named = FileIdentity::Of(path);
  if (locked && named && locked->device == named->device && locked->inode == named->inode) {
    fd = candidate;
    return Attempt::Locked;
  }
  ::close(candidate);
  return named ? Attempt::Moved : Attempt::NoLock;
}

}  // namespace

RunLock::RunLock(const std::string& path, std::chrono::milliseconds wait,
                 const std::function<void()>& waiting) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  bool told = false;
  for (;;) {
    const Attempt attempt = TryLock(path, fd_);
    if (attempt == Attempt::Locked || attempt == Attempt::NoLock) return;
    if (attempt == Attempt::Moved && std::chrono::steady_clock::now() < deadline) continue;
    if (std::chrono::steady_clock::now() >= deadline)
      throw HostError(Failure{Operation::Lock, FailureCode::Busy, {}}, path,
                      "another AlleleScope run is working on this workbook; try again when it "
                      "has finished");
    if (!told && waiting) waiting();
    told = true;
    std::this_thread::sleep_for(kPoll);
  }
}

RunLock::~RunLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace host
