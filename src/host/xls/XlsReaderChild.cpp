#include "host/xls/XlsReaderChild.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <utility>

namespace host::xls {

std::string EncodeLegacyRead(const LegacyRead& read) {
  std::string bytes(1, static_cast<char>(read.outcome));
  for (const std::string* part : {&read.operation, &read.file, &read.reason})
    bytes.append(*part).push_back('\0');
  return bytes.append(read.sheets);
}

LegacyRead DecodeLegacyRead(std::string_view bytes) {
  if (bytes.empty() || bytes[0] < LegacyRead::kWhole || bytes[0] > LegacyRead::kCrashed)
    return {LegacyRead::kCrashed, {}, {}, {}, {}};
  LegacyRead read{static_cast<LegacyRead::Outcome>(bytes[0]), {}, {}, {}, {}};
  size_t at = 1;
  for (std::string* part : {&read.operation, &read.file, &read.reason}) {
    const size_t end = std::min(bytes.find('\0', at), bytes.size());
    *part = bytes.substr(std::min(at, end), end - std::min(at, end));
    at = end + 1;
  }
  if (at < bytes.size()) read.sheets = bytes.substr(at);
  return read;
}

namespace {

void Send(int fd, const LegacyRead& read) {
  const std::string bytes = EncodeLegacyRead(read);
  for (size_t at = 0; at < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + at, bytes.size() - at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    at += static_cast<size_t>(n);
  }
}

// What the child sent, up to its end; nothing sent means it died first. The
// child's memory was bounded, and so is what it can send.
LegacyRead Receive(int fd) {
  std::string bytes;
  std::string buffer(1 << 16, '\0');
  for (;;) {
    const ssize_t n = read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    if (bytes.size() > kMaxLegacyReadBytes) return {LegacyRead::kTooLarge, {}, {}, {}, {}};
    bytes.append(buffer.data(), static_cast<size_t>(n));
  }
  return DecodeLegacyRead(bytes);
}

// The child never execs, so it holds every descriptor of the program, the
// run lock's among them: the lock would outlive a program that died while its
// child still read. It keeps only the pipe it answers on (and 0 to 2).
void CloseAllBut(int keep) {
  const auto k = static_cast<unsigned>(keep);
  if ((k <= 3 || close_range(3, k - 1, 0) == 0) && close_range(std::max(k + 1, 3u), ~0U, 0) == 0)
    return;
  for (long fd = 3, open = sysconf(_SC_OPEN_MAX); fd < open; ++fd)
    if (fd != keep) close(static_cast<int>(fd));
}

[[noreturn]] void RunChild(int out, const std::string& path, LegacyReader reader, int cpuSeconds) {
  CloseAllBut(out);
  // A crash or the time bound ends the child quietly; no handler of the parent's runs.
  for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGXCPU, SIGPIPE})
    std::signal(sig, SIG_DFL);
  LimitLegacyReaderMemory();
  // SIGXCPU at the bound, SIGKILL a second later should it be caught.
  const auto seconds = static_cast<rlim_t>(cpuSeconds);
  const struct rlimit cpu = {seconds, seconds + 1};
  setrlimit(RLIMIT_CPU, &cpu);
  Send(out, reader(path));
  _exit(0);
}

// The read end of the child's pipe and the child, closed, ended and reaped on
// every way out: a child left writing to a pipe nobody reads would wait forever.
class Child {
 public:
  ~Child() {
    if (from_ >= 0) close(from_);
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
      }
    }
  }
  LegacyRead Read(const std::string& path, LegacyReader reader, int cpuSeconds);

 private:
  LegacyRead Ended(LegacyRead read, int cpuSeconds);
  pid_t pid_ = -1;
  int from_ = -1;
};

LegacyRead NoChild(const std::string& path, int error) {
  return {LegacyRead::kRefused,
          "Open",
          path,
          std::string("the legacy workbook reader cannot be started: ") + std::strerror(error),
          {}};
}

LegacyRead Child::Read(const std::string& path, LegacyReader reader, int cpuSeconds) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return NoChild(path, errno);
  from_ = ends[0];
  pid_ = fork();
  if (pid_ == 0) RunChild(ends[1], path, reader, cpuSeconds);
  const int forkError = errno;
  close(ends[1]);
  if (pid_ < 0) return NoChild(path, forkError);
  LegacyRead read = Receive(from_);
  close(from_);  // a child still writing now ends
  from_ = -1;
  return Ended(std::move(read), cpuSeconds);
}

// The answer, unless the child did not end normally.
LegacyRead Child::Ended(LegacyRead read, int cpuSeconds) {
  int status = 0;
  struct rusage usage = {};
  pid_t ended = 0;
  while ((ended = wait4(pid_, &status, 0, &usage)) < 0 && errno == EINTR) {
  }
  pid_ = -1;  // reaped, or not ours to wait for (SIGCHLD ignored)
  if (ended < 0) return read;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return read;
  const long used = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec;
  if (WIFSIGNALED(status) && (WTERMSIG(status) == SIGXCPU || used >= cpuSeconds))
    return {LegacyRead::kTooSlow, {}, {}, {}, {}};
  if (read.outcome == LegacyRead::kTooLarge) return read;
  return {LegacyRead::kCrashed, {}, {}, {}, {}};
}

}  // namespace

LegacyRead ReadInChild(const std::string& path, LegacyReader reader, int cpuSeconds) {
  return Child().Read(path, reader, cpuSeconds);
}

void LimitLegacyReaderMemory(std::size_t bytes) {
  // The address space in use now (the first field of statm, in pages) plus the bound.
  std::ifstream statm("/proc/self/statm");
  unsigned long long pages = 0;
  if (!(statm >> pages)) return;
  const rlim_t limit = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + bytes;
  const struct rlimit bound = {limit, limit};
  setrlimit(RLIMIT_AS, &bound);
}

}  // namespace host::xls
