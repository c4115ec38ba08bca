#include "app/core/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "host/AsciiText.h"
#include "host/AtomicFile.h"
#include "host/FileIdentity.h"
#include "host/HostError.h"
#include "messages/CliTexts.h"
#include "messages/HostFailureTexts.h"

namespace app {

void WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::runtime_error(std::strerror(errno));
    text.remove_prefix(static_cast<size_t>(n));
  }
}

namespace {

namespace fs = std::filesystem;

bool HasWorkbookExtension(const fs::path& path) {
  const std::string extension = LowerExtension(path.string());
  return extension == ".xlsx" || extension == ".xlsm" || extension == ".xls";
}

// The standard stream (output or error) that `path` leads to, if it is one.
std::optional<int> StandardStream(const std::string& path) {
  const auto target = host::FileIdentity::Of(path);
  if (!target) return std::nullopt;
  for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
    const auto own = host::FileIdentity::OfDescriptor(fd);
    if (own && own->SameFile(*target)) return fd;
  }
  return std::nullopt;
}

// A zip package or a compound document: an .xlsx/.xlsm or an .xls, whatever
// its name says. Named as an export's output by mistake (the workbook itself
// typed twice), it would be lost for a text file.
bool HoldsWorkbook(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char magic[4] = {};
  in.read(magic, sizeof magic);
  return in.gcount() == 4 &&
         (std::memcmp(magic, "PK\3\4", 4) == 0 || std::memcmp(magic, "\xD0\xCF\x11\xE0", 4) == 0);
}

// A terminal, pipe or character device: nothing to replace, and O_TRUNC
// where it means anything.
void WriteDevice(const std::string& path, std::string_view text) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error(std::strerror(errno));
  try {
    WriteAll(fd, text);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0) throw std::runtime_error(std::strerror(errno));
}

void ReplaceFile(const std::string& path, std::string_view text) {
  host::AtomicFile file(path);
  WriteAll(file.Descriptor(), text);
  file.Replace();
}

// Writes `text` where `path` leads; the refusal's message when it may not.
std::optional<std::string> Write(const std::string& path, std::string_view text) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    ReplaceFile(path, text);  // a new file, or the folder's own reason why not
    return std::nullopt;
  }
  if (S_ISREG(st.st_mode) && HoldsWorkbook(path))
    return msg::Format(msg::Cli::OutputIsWorkbook, path);
  // The shell opened it: its ">" or ">>" decides, and a pipe stays the same pipe.
  if (const auto fd = StandardStream(path)) {
    WriteAll(*fd, text);
    return std::nullopt;
  }
  if (S_ISREG(st.st_mode)) {
    ReplaceFile(path, text);
  } else if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
    WriteDevice(path, text);
  } else {
    return msg::Format(msg::Cli::CannotWrite, path, msg::Text(msg::Cli::OutputNotAFile));
  }
  return std::nullopt;
}

}  // namespace

bool NamesAWorkbook(const std::string& path) {
  std::error_code ec;
  const fs::path resolved = fs::weakly_canonical(path, ec);
  return HasWorkbookExtension(path) || (!ec && HasWorkbookExtension(resolved));
}

bool IsStandardOutput(const std::string& path) { return StandardStream(path) == STDOUT_FILENO; }

std::optional<std::string> WriteTextFile(const std::string& path, const std::string& text) {
  try {
    return Write(path, text);
  } catch (const host::HostError& e) {
    return msg::Format(msg::Cli::CannotWrite, path, msg::FailureText(e.Cause(), e.Reason()));
  } catch (const std::exception& e) {
    return msg::Format(msg::Cli::CannotWrite, path, e.what());
  }
}

std::string LowerExtension(const std::string& path) {
  return host::AsciiLower(fs::path(path).extension().string());
}

bool SameFile(const std::string& a, const std::string& b) {
  const auto first = host::FileIdentity::Of(a);
  const auto second = host::FileIdentity::Of(b);
  return first && second && first->SameFile(*second);
}

}  // namespace app
