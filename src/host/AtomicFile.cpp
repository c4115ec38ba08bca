#include "host/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>  // NAME_MAX
#include <cstdint>
#include <cstdio>  // renameat2, snprintf
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <vector>

#include "host/SaveTarget.h"
#include "text/Utf8.h"

namespace host {

namespace {

constexpr char kNameChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t kSuffixLength = 6;  // as mkstemp's XXXXXX
constexpr int kNameAttempts = 100;

std::string Errno(const std::string& what) { return what + ": " + std::strerror(errno); }

// ".~NAME", short enough that "." and the suffix after it still make a legal
// name. A longer one is cut at a character and ends in a hash of the whole
// name, so that two long names with the same start never share (or clear)
// each other's temporary files.
std::string TempStem(const std::string& name) {
  constexpr size_t kMaxStem = NAME_MAX - 1 - kSuffixLength;
  const std::string stem = ".~" + name;
  if (stem.size() <= kMaxStem) return stem;
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const unsigned char c : name) hash = (hash ^ c) * 16777619u;
  char tail[16];
  std::snprintf(tail, sizeof tail, "~%08x", static_cast<unsigned>(hash));
  const size_t cut = utf8::CharacterStart(stem, kMaxStem - std::strlen(tail));
  return stem.substr(0, cut) + tail;
}

std::string TempPrefix(const std::string& folder, const std::string& name) {
  return folder + "/" + TempStem(name) + ".";
}

std::string RandomSuffix() {
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kNameChars - 2);
  std::string suffix;
  for (size_t i = 0; i < kSuffixLength; ++i) suffix += kNameChars[pick(random)];
  return suffix;
}

void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Some file systems refuse fsync on folders; the rename is done either way.
  (void)::fsync(fd);
  ::close(fd);
}

void GiveNewFileMode(int fd) {
  mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(fd, 0666 & ~mask) != 0) throw std::runtime_error(Errno("chmod"));
}

// Owner, group and permissions of the file being replaced, as far as this
// process may give them; a new target gets what the umask allows.
void TakeOwnership(int fd, const std::string& target) {
  struct stat st;
  if (::stat(target.c_str(), &st) != 0) return GiveNewFileMode(fd);
  // An ordinary user may give the file only a group of its own; failing that
  // the file stays ours, as a spreadsheet program's save would leave it, so
  // a second refusal is no failure.
  [[maybe_unused]] const bool given = ::fchown(fd, st.st_uid, st.st_gid) == 0 ||
                                      ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) == 0;
  // After the change of owner: chown clears the set-id bits.
  if (::fchmod(fd, st.st_mode & 07777) != 0) throw std::runtime_error(Errno("chmod"));
}

// Whether `entry` is the name of one of our temporary files of `name`:
// ".~NAME." and six name characters, or that and six more (libzip's own
// temporary file inside ours, left by earlier versions).
bool IsOurTempName(const std::string& entry, const std::string& name) {
  const std::string prefix = TempStem(name) + ".";
  if (entry.compare(0, prefix.size(), prefix) != 0) return false;
  const std::string rest = entry.substr(prefix.size());
  auto suffix = [&](size_t at) {
    return rest.size() >= at + kSuffixLength &&
           rest.find_first_not_of(kNameChars, at) >= at + kSuffixLength;
  };
  if (rest.size() == kSuffixLength) return suffix(0);
  return rest.size() == 2 * kSuffixLength + 1 && suffix(0) && rest[kSuffixLength] == '.' &&
         suffix(kSuffixLength + 1);
}

}  // namespace

AtomicFile::AtomicFile(const std::string& target) : target_(ResolveLinks(target)) {
  CheckWritable(target_);
  std::filesystem::path path(target_);
  folder_ = path.parent_path().empty() ? "." : path.parent_path().string();
  fd_ = ::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd_ >= 0) {
    // The unnamed file is linked into place through /proc; without /proc it
    // could never get a name, so take a named one instead.
    readPath_ = "/proc/self/fd/" + std::to_string(fd_);
    if (::access(readPath_.c_str(), F_OK) == 0) return;
    ::close(fd_);
  }
  std::string pattern = TempPrefix(folder_, path.filename().string()) + "XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  fd_ = ::mkostemp(buf.data(), O_CLOEXEC);
  if (fd_ < 0) throw std::runtime_error(Errno("cannot write in " + folder_));
  temp_ = buf.data();
  readPath_ = temp_;
}

AtomicFile::~AtomicFile() {
  if (!temp_.empty() && !replaced_) ::unlink(temp_.c_str());
  if (fd_ >= 0) ::close(fd_);
}

FileIdentity AtomicFile::Replace(const std::optional<FileIdentity>& expected) {
  Flush(false);
  if (expected && FileIdentity::Of(target_) != expected)
    throw std::runtime_error(
        "another program has changed the file since it was opened; its version was kept and "
        "nothing was saved (open the file again and repeat the run)");
  PutInPlace();
  return Placed();
}

FileIdentity AtomicFile::Create() {
  Flush(true);
  PutAsNew();
  return Placed();
}

void AtomicFile::Flush(bool newTarget) {
  if (newTarget)
    GiveNewFileMode(fd_);
  else
    TakeOwnership(fd_, target_);
  if (::fsync(fd_) != 0) throw std::runtime_error(Errno("cannot flush to disk"));
}

FileIdentity AtomicFile::Placed() {
  replaced_ = true;
  SyncFolder(folder_);
  std::optional<FileIdentity> placed = FileIdentity::OfDescriptor(fd_);
  return placed ? *placed : FileIdentity{};
}

void AtomicFile::PutInPlace() {
  if (!temp_.empty()) {
    if (::rename(temp_.c_str(), target_.c_str()) != 0)
      throw std::runtime_error(Errno("cannot replace the file"));
    return;
  }
  // link() cannot replace a name: give the finished file a fresh hidden name,
  // then rename that over the target, which is atomic. Only between the two
  // calls does a name exist that a killed process would leave.
  const std::string prefix = TempPrefix(folder_, std::filesystem::path(target_).filename());
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = prefix + RandomSuffix();
    if (::linkat(AT_FDCWD, readPath_.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      if (errno == EEXIST) continue;
      throw std::runtime_error(Errno("cannot write in " + folder_));
    }
    if (::rename(name.c_str(), target_.c_str()) != 0) {
      const std::string reason = Errno("cannot replace the file");
      ::unlink(name.c_str());
      throw std::runtime_error(reason);
    }
    return;
  }
  throw std::runtime_error("cannot find a free temporary name in " + folder_);
}

void AtomicFile::PutAsNew() {
  // Linking and renaming without replacement both fail on a name that exists.
  int rc = 0;
  if (temp_.empty()) {
    rc = ::linkat(AT_FDCWD, readPath_.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW);
  } else {
    rc = ::renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE);
    // A file system or kernel without it: link, then drop the old name.
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
      rc = ::link(temp_.c_str(), target_.c_str());
      if (rc == 0) ::unlink(temp_.c_str());
    }
  }
  if (rc == 0) return;
  if (errno == EEXIST)
    throw std::runtime_error(
        "a file of this name appeared while the results were written; it was kept and nothing "
        "was saved (repeat the run)");
  throw std::runtime_error(Errno("cannot write in " + folder_));
}

void AtomicFile::RemoveStale(const std::string& target) {
  std::filesystem::path path(ResolveLinks(target));
  const std::string folder = path.parent_path().empty() ? "." : path.parent_path().string();
  const std::string name = path.filename().string();
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return;
  DIR* dir = ::fdopendir(dirFd);
  if (!dir) {
    ::close(dirFd);
    return;
  }
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(dir))
    if (IsOurTempName(entry->d_name, name)) stale.push_back(entry->d_name);
  for (const std::string& entry : stale) {
    struct stat st;
    // Looked at without following links; a link or someone else's file stays.
    if (::fstatat(dirFd, entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
        st.st_uid == ::geteuid() && st.st_nlink == 1)
      ::unlinkat(dirFd, entry.c_str(), 0);
  }
  ::closedir(dir);  // closes dirFd too
}

}  // namespace host
