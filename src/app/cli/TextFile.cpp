#include "app/cli/TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string_view>

#include "app/cli/Command.h"
#include "host/AtomicFile.h"
#include "host/HostError.h"
#include "messages/CliTexts.h"

namespace cli {

bool NamesAStream(const std::string& path) {
  if (path.starts_with("/dev/") || path.starts_with("/proc/")) return true;
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  return std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
         !std::filesystem::is_directory(status);
}

void WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::runtime_error(std::strerror(errno));
    text.remove_prefix(static_cast<size_t>(n));
  }
}

namespace {

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

// Appending: /dev/stdout redirected with ">>" to a log must not lose the log.
void WriteStream(const std::string& path, std::string_view text) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error(std::strerror(errno));
  try {
    WriteAll(fd, text);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0) throw std::runtime_error(std::strerror(errno));
}

void Write(const std::string& path, std::string_view text) {
  if (NamesAStream(path)) return WriteStream(path, text);
  host::AtomicFile file(path);
  WriteAll(file.Descriptor(), text);
  file.Replace();
}

}  // namespace

bool WriteTextFile(const std::string& path, const std::string& text, std::ostream& err) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(path, ec) && !NamesAStream(path) && HoldsWorkbook(path)) {
    Complain(err, msg::Format(msg::Cli::OutputIsWorkbook, path));
    return false;
  }
  try {
    Write(path, text);
    return true;
  } catch (const host::HostError& e) {
    Complain(err, msg::Format(msg::Cli::CannotWrite, path, e.Reason()));
  } catch (const std::exception& e) {
    Complain(err, msg::Format(msg::Cli::CannotWrite, path, e.what()));
  }
  return false;
}

}  // namespace cli
