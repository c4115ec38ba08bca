#include "host/xls/XlsReaderChild.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fstream>

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

[[noreturn]] void RunChild(int out, const std::string& path) {
  // A crash ends the child quietly; no handler of the parent's runs.
  for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(sig, SIG_DFL);
  LimitLegacyReaderMemory();
  Send(out, ReadLegacyFile(path));
  _exit(0);
}

}  // namespace

LegacyRead ReadInChild(const std::string& path) {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return {};
  const pid_t child = fork();
  if (child == 0) RunChild(pipeEnds[1], path);
  close(pipeEnds[1]);
  if (child < 0) {
    close(pipeEnds[0]);
    return {};  // no child to spare: read as before
  }
  LegacyRead read = Receive(pipeEnds[0]);
  close(pipeEnds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0)
    if (errno != EINTR) return read;
  const bool ended = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!ended && read.outcome != LegacyRead::kTooLarge) return {LegacyRead::kCrashed, {}, {}, {}, {}};
  return read;
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
