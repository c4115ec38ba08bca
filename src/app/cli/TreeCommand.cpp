// `allelescope tree WORKBOOK -o FILE`: a tree of the source's varieties.
#include <map>

#include "app/cli/RelateOutput.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

// Enough for a stable support figure; more only costs time (each replicate
// builds a whole tree).
constexpr int kMostReplicates = 100000;

class TreeCommand : public RelateCommand {
 public:
  explicit TreeCommand(CLI::App& parent)
      : RelateCommand(
            parent, "tree", msg::Cli::TreeSummary, msg::Cli::TreeDescription,
            {app::RelateFile::Newick, app::RelateFile::TreeSvg, app::RelateFile::TreePng}) {
    const std::map<std::string, app::TreeMethod> methods{{"nj", app::TreeMethod::NeighbourJoining},
                                                         {"upgma", app::TreeMethod::Upgma}};
    sub_->add_option("--method", order_.relate.method, HelpText(msg::Cli::MethodOption))
        ->transform(CLI::CheckedTransformer(methods, CLI::ignore_case))
        ->option_text(HelpText(msg::Cli::MethodValues));
    sub_->add_option("--bootstrap", order_.relate.bootstrap, HelpText(msg::Cli::BootstrapOption))
        ->check(CLI::Range(0, kMostReplicates).description(""))
        ->type_name("N");
    AddOutputLast(msg::Cli::TreeOutputOption, true);
  }
};

}  // namespace

std::unique_ptr<Command> MakeTreeCommand(CLI::App& parent) {
  return std::make_unique<TreeCommand>(parent);
}

}  // namespace cli
