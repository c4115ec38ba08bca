// `allelescope pcoa WORKBOOK -o FILE`: the varieties placed on the first two
// principal coordinates of their distances.
#include "app/cli/RelateOutput.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

class PcoaCommand : public RelateCommand {
 public:
  explicit PcoaCommand(CLI::App& parent)
      : RelateCommand(
            parent, "pcoa", msg::Cli::PcoaSummary, msg::Cli::PcoaDescription,
            {app::RelateFile::CoordinateTable, app::RelateFile::MapSvg, app::RelateFile::MapPng}) {
    AddOutputLast(msg::Cli::PcoaOutputOption, true);
  }
};

}  // namespace

std::unique_ptr<Command> MakePcoaCommand(CLI::App& parent) {
  return std::make_unique<PcoaCommand>(parent);
}

}  // namespace cli
