#pragma once
// Two runs on one workbook at once would both save, and the second would
// silently drop the first one's results. A run therefore holds an advisory
// lock (flock) on the workbook file itself for as long as it works on it: no
// lock file is left behind by a killed run, and the kernel drops the lock with
// the process.
//
// A save puts a new file (a new inode) in place of the old, and a lock on the
// old inode does not cover the new one. So a run that obtains the lock checks
// that the path still names the file it locked; when a save replaced it
// meanwhile, it locks the new file instead. The holder keeps its lock until
// its new file is in place and read back, so a waiting run never starts on a
// half-finished version.
#include <chrono>
#include <functional>
#include <string>

namespace host {

class RunLock {
 public:
  // Locks the file at `path`, waiting up to `wait` while another process
  // holds it; `waiting` is called once when that happens. Throws
  // HostError("Lock", path, ...) when the wait ends with the file still held.
  // A file that cannot be opened or a file system without locks gives no lock
  // and no error: the save still refuses a file that changed meanwhile.
  RunLock(const std::string& path, std::chrono::milliseconds wait,
          const std::function<void()>& waiting = {});
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  // Whether the lock is held (false where the file system has none).
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace host
