#include "app/core/Import.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "exchange/TextEncoding.h"
#include "host/Host.h"
#include "host/ReadLimits.h"
#include "messages/CliTexts.h"
#include "report/ImportedWorkbook.h"

namespace app {
namespace {

// The readers stop where a table passes what a workbook holds: the bounds
// the host reads a workbook within, which the readers' layer cannot include.
// Its defaults (for readers used on their own) must be the same.
constexpr exchange::ImportLimits kWorkbookLimits{host::kMaxColumns - 2, host::kMaxRows - 4,
                                                 host::kMaxCells, 2 * host::kMaxCells};
static_assert(kWorkbookLimits.markers == exchange::ImportLimits{}.markers &&
              kWorkbookLimits.varieties == exchange::ImportLimits{}.varieties &&
              kWorkbookLimits.cells == exchange::ImportLimits{}.cells &&
              kWorkbookLimits.places == exchange::ImportLimits{}.places);

std::runtime_error CannotRead(const std::string& path, std::string_view reason) {
  return std::runtime_error(msg::Format(msg::Cli::CannotRead, path, reason));
}

std::runtime_error TooLarge(const std::string& path) {
  return CannotRead(path, msg::Format(msg::Cli::ImportTooLarge, kMaxImportBytes >> 20));
}

// Reads at most kMaxImportBytes + 1 bytes, so that a file growing while it is
// read still ends and a larger one is told from one at the limit.
std::string ReadBounded(int fd, const std::string& path, size_t expected) {
  std::string text;
  text.reserve(expected);
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw CannotRead(path, std::strerror(errno));
    if (got == 0) return text;
    text.append(buffer, static_cast<size_t>(got));
    if (text.size() > kMaxImportBytes) throw TooLarge(path);
  }
}

// The whole text of a regular file. Opened without blocking and checked on the
// open descriptor: a named pipe would wait for ever, a device such as
// /dev/zero never ends.
std::string ReadImportText(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw CannotRead(path, std::strerror(errno));
  struct stat st {};
  try {
    if (::fstat(fd, &st) != 0) throw CannotRead(path, std::strerror(errno));
    if (S_ISDIR(st.st_mode)) throw CannotRead(path, std::strerror(EISDIR));
    if (!S_ISREG(st.st_mode)) throw CannotRead(path, msg::Text(msg::Cli::NotRegularFile));
    if (static_cast<size_t>(st.st_size) > kMaxImportBytes) throw TooLarge(path);
    std::string text = ReadBounded(fd, path, static_cast<size_t>(st.st_size));
    ::close(fd);
    return text;
  } catch (...) {
    ::close(fd);
    throw;
  }
}

}  // namespace

ImportReport ImportFile(const std::string& input, const std::string& output,
                        std::optional<exchange::ImportKind> kind, const std::string& encoding) {
  const std::string text = exchange::DecodeText(ReadImportText(input), encoding, kMaxImportBytes);
  const exchange::ImportedTable table =
      exchange::ReadImport(kind ? *kind : exchange::GuessKind(input, text), text, kWorkbookLimits);
  report::CheckImportedTableFits(table, input);
  // A link counts as a file there, even one that leads nowhere.
  if (std::filesystem::exists(std::filesystem::symlink_status(output)))
    throw std::runtime_error(msg::Format(msg::Cli::OutputExists, output));
  host::Application host;
  report::WriteImportedWorkbook(host, output, std::filesystem::path(input).stem().string(), table);
  host.Quit();
  return {static_cast<int>(table.varieties.size()), static_cast<int>(table.markers.size())};
}

}  // namespace app
