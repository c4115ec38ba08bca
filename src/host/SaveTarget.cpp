#include "host/SaveTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "host/HostError.h"

namespace host {

namespace {

namespace fs = std::filesystem;

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;

bool IsLink(const fs::path& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool Exists(const fs::path& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

std::vector<fs::path> LockFilesBeside(const fs::path& file) {
  const fs::path folder = file.parent_path();
  const std::string name = file.filename().string();
  return {folder / (".~lock." + name + "#"), folder / ("~$" + name)};
}

}  // namespace

std::string ResolveLinks(const std::string& path) {
  fs::path current(path);
  for (int hops = 0; IsLink(current); ++hops) {
    if (hops == kMaxLinks)
      throw SaveError(path, FailureCode::LinksInCircle, "the links lead in a circle");
    std::error_code ec;
    const fs::path next = fs::read_symlink(current, ec);
    if (ec)
      throw SaveError(path, FailureCode::LinkUnreadable, "the link cannot be read: " + ec.message(),
                      {ec.message()});
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  return current.string();
}

void CheckWritable(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return;
  // A rename over a device or a folder would put a file where the system
  // keeps something else; only a file is ever replaced.
  if (!S_ISREG(st.st_mode))
    throw SaveError(path, FailureCode::SaveNotRegularFile,
                    "this is not a regular file; nothing was saved (name a file)");
  // The administrator may write anything; the spreadsheet programs still
  // treat a file nobody may write as read-only, and so do we.
  if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
    throw SaveError(path, FailureCode::ReadOnly,
                    "the file is read-only; nothing was saved (save the results to another file)");
}

bool HasOtherNames(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink > 1;
}

std::string ForeignLockFile(const std::string& path) {
  std::vector<fs::path> candidates = LockFilesBeside(fs::path(path));
  const fs::path target(ResolveLinks(path));
  if (target != fs::path(path))
    for (const fs::path& lock : LockFilesBeside(target)) candidates.push_back(lock);
  for (const fs::path& lock : candidates)
    if (Exists(lock)) return lock.string();
  return {};
}

}  // namespace host
