#include "app/core/Import.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "host/Host.h"
#include "messages/CliTexts.h"
#include "report/ImportedWorkbook.h"

namespace app {

ImportReport ImportFile(const std::string& input, const std::string& output,
                        std::optional<exchange::ImportKind> kind) {
  std::ifstream file(input, std::ios::binary);
  std::ostringstream bytes;
  if (file) bytes << file.rdbuf();
  if (!file)
    throw std::runtime_error(msg::Format(msg::Cli::CannotRead, input, std::strerror(errno)));
  const std::string text = bytes.str();
  const exchange::ImportedTable table =
      exchange::ReadImport(kind ? *kind : exchange::GuessKind(input, text), text);
  if (std::filesystem::exists(output))
    throw std::runtime_error(msg::Format(msg::Cli::OutputExists, output));
  host::Application host;
  report::WriteImportedWorkbook(host, output, std::filesystem::path(input).stem().string(), table);
  host.Quit();
  return {static_cast<int>(table.varieties.size()), static_cast<int>(table.markers.size())};
}

}  // namespace app
