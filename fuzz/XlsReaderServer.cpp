#include "XlsReaderServer.h"

#include <fcntl.h>
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzFiles.h"
#include "host/Host.h"
#include "host/xls/XlsImport.h"
#include "host/xls/XlsReaderChild.h"

namespace fuzz {

namespace {

// Far below the program's bound: under AddressSanitizer, filling in a sheet
// that claims millions of empty cells takes seconds, and past either bound the
// file is refused the same way. The allocator ends the child at the bound
// (AddressSanitizer says so in the log) and the next file gets a new one.
constexpr size_t kReaderBytes = 96 << 20;

pid_t server = -1;
int toServer = -1, fromServer = -1;

bool ReadAll(int fd, void* data, size_t size) {
  auto* bytes = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = read(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool WriteAll(int fd, const void* data, size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// The answer a child sends instead when AddressSanitizer found a bad memory
// access, which only the instrumented code (ours; the library is not, and its
// calls through the sanitizer are left unchecked) can make: a fault of the
// program, not a file the library cannot read. The allocator's reports (past
// the memory bound, a bad free in the library) are the library's.
constexpr char kSanitizerFault = 'S';
int answerTo = -1;

bool IsBadAccess(std::string_view what) {
  for (std::string_view kind :
       {"heap-buffer-overflow", "heap-use-after-free", "stack-buffer-overflow",
        "stack-buffer-underflow", "stack-use-after-return", "stack-use-after-scope",
        "global-buffer-overflow", "dynamic-stack-buffer-overflow", "container-overflow",
        "intra-object-overflow", "use-after-poison", "initialization-order-fiasco",
        "unknown-crash"})
    if (what == kind) return true;
  return false;
}

void AnswerSanitizerFault() {
  const char* what = __asan_get_report_description();
  if (what == nullptr || !IsBadAccess(what)) return;
  char answer[128] = {kSanitizerFault};
  std::strncpy(answer + 1, what, sizeof answer - 2);
  const auto length = static_cast<uint32_t>(std::strlen(answer));
  if (WriteAll(answerTo, &length, sizeof length)) WriteAll(answerTo, answer, length);
}

// The child: reads each path it is sent as the program's child does, then
// answers. A crash in the library ends it before it answers; the fuzzer's own
// handlers stay quiet, or they would report the fuzzer's input of the moment.
[[noreturn]] void Serve(int in, int out) {
  for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(sig, SIG_DFL);
  answerTo = out;
  __sanitizer_set_death_callback(AnswerSanitizerFault);
  host::xls::LimitLegacyReaderMemory(kReaderBytes);
  uint32_t size = 0;
  while (ReadAll(in, &size, sizeof size)) {
    std::string path(size, '\0');
    if (!ReadAll(in, path.data(), size)) break;
    const std::string answer = host::xls::EncodeLegacyRead(host::xls::ReadLegacyFile(path));
    const auto length = static_cast<uint32_t>(answer.size());
    if (!WriteAll(out, &length, sizeof length) || !WriteAll(out, answer.data(), length)) break;
  }
  _exit(0);
}

void Start() {
  int down[2], up[2];
  if (pipe2(down, O_CLOEXEC) != 0 || pipe2(up, O_CLOEXEC) != 0)
    Fault("cannot make the pipes of the xls reader");
  server = fork();
  if (server < 0) Fault("cannot fork the xls reader");
  if (server == 0) {
    close(down[1]);
    close(up[0]);
    Serve(down[0], up[1]);
  }
  close(down[0]);
  close(up[1]);
  toServer = down[1];
  fromServer = up[0];
}

// The reader died on `path` (or earlier): reap it, so the next file gets a new one.
void Stop() {
  close(toServer);
  close(fromServer);
  while (waitpid(server, nullptr, 0) < 0 && errno == EINTR) {
  }
  server = -1;
}

// The child's answer; kCrashed when it died on the file.
host::xls::LegacyRead Survives(const std::string& path) {
  if (server < 0) Start();
  const auto size = static_cast<uint32_t>(path.size());
  uint32_t length = 0;
  std::string answer;
  if (WriteAll(toServer, &size, sizeof size) && WriteAll(toServer, path.data(), size) &&
      ReadAll(fromServer, &length, sizeof length)) {
    answer.resize(length);
    if (ReadAll(fromServer, answer.data(), length)) {
      if (!answer.empty() && answer.front() == kSanitizerFault)
        Fault("reading " + path + " in the reader child: " + answer.substr(1));
      return host::xls::DecodeLegacyRead(answer);
    }
  }
  Stop();
  return {host::xls::LegacyRead::kCrashed, {}, {}, {}, {}};
}

}  // namespace

void UseXlsReaderServer() {
  std::signal(SIGPIPE, SIG_IGN);  // a reader that died must not end the fuzzer
  Start();
  host::xls::SetLegacyReader(Survives);
}

}  // namespace fuzz
