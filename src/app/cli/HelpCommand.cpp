// `allelescope help [COMMAND]`: the same help as `allelescope [COMMAND] --help`.
#include <ostream>

#include "app/cli/Command.h"
#include "app/cli/CommandLine.h"

namespace cli {
namespace {

class HelpCommand : public Command {
 public:
  explicit HelpCommand(CLI::App& root)
      : Command(root, "help", msg::Cli::HelpSummary, msg::Cli::HelpDescription), root_(root) {
    sub_->add_option("COMMAND", command_, HelpText(msg::Cli::HelpCommandArgument))->type_name("");
  }

 protected:
  int Run(std::ostream& out, std::ostream& err) override {
    // Through the formatter, not App::help, which would show the help of
    // the command chosen on this line: `help` itself.
    const auto& formatter = *root_.get_formatter();
    if (command_.empty()) {
      out << formatter.make_help(&root_, root_.get_name(), CLI::AppFormatMode::Normal);
      return kFinished;
    }
    for (const CLI::App* sub : root_.get_subcommands({})) {
      if (sub->get_name() == command_) {
        out << formatter.make_help(sub, root_.get_name() + " " + command_,
                                   CLI::AppFormatMode::Normal);
        return kFinished;
      }
    }
    return UsageFault(err, msg::Format(msg::Cli::UnknownCommand, command_), nullptr);
  }

 private:
  CLI::App& root_;
  std::string command_;
};

}  // namespace

std::unique_ptr<Command> MakeHelpCommand(CLI::App& root) {
  return std::make_unique<HelpCommand>(root);
}

}  // namespace cli
