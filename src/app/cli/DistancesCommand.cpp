// `allelescope distances WORKBOOK [-o FILE]`: the distance between every two
// varieties of the source.
#include "app/cli/RelateOutput.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

class DistancesCommand : public RelateCommand {
 public:
  explicit DistancesCommand(CLI::App& parent)
      : RelateCommand(parent, "distances", msg::Cli::DistancesSummary,
                      msg::Cli::DistancesDescription,
                      {app::RelateFile::DistanceTable, app::RelateFile::PhylipMatrix}) {
    AddOutputLast(msg::Cli::DistancesOutputOption, false);
  }
};

}  // namespace

std::unique_ptr<Command> MakeDistancesCommand(CLI::App& parent) {
  return std::make_unique<DistancesCommand>(parent);
}

}  // namespace cli
