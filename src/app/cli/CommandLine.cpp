#include "app/cli/CommandLine.h"

#include <memory>
#include <ostream>
#include <string>

#include "app/cli/Command.h"
#include "app/cli/HelpFormatter.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

const CLI::App* ChosenCommand(const CLI::App& root) {
  const std::vector<CLI::App*> chosen = root.get_subcommands();
  return chosen.empty() ? nullptr : chosen.front();
}

// The first argument nobody took: an unknown command or option, or one
// argument too many. Arguments are collected rather than refused by the
// parser, so the message can name them. The parser keeps a "--" among them;
// it only ends the options, and what follows it is never an option.
std::optional<std::string> LeftOver(const CLI::App& root, const CLI::App* chosen) {
  for (const CLI::App* app : {chosen, &root}) {
    if (app == nullptr) continue;
    bool optionsEnded = false;
    for (const std::string& arg : app->remaining()) {
      if (arg == "--" && !optionsEnded) {
        optionsEnded = true;
        continue;
      }
      if (!optionsEnded && arg.size() > 1 && arg.front() == '-')
        return msg::Format(msg::Cli::UnknownOption, arg.substr(0, arg.find('=')));
      return msg::Format(
          chosen == nullptr ? msg::Cli::UnknownCommand : msg::Cli::UnexpectedArgument, arg);
    }
  }
  return std::nullopt;
}

// The parser's fault in our words, naming the argument or option concerned.
std::string Describe(const CLI::App& root, const CLI::App* chosen, const CLI::ParseError& e) {
  if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
    if (chosen == nullptr) return std::string(msg::Text(msg::Cli::NoCommand));
    for (const CLI::Option* opt : chosen->get_options())
      if (opt->get_required() && opt->count() == 0)
        return msg::Format(msg::Cli::Required, opt->get_name());
  }
  // The parser's messages start with the option's name: "--sheet: 1 required TEXT missing".
  const std::string what = e.what();
  const CLI::App& app = chosen == nullptr ? root : *chosen;
  if (const CLI::Option* opt = app.get_option_no_throw(what.substr(0, what.find(':')))) {
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr)
      return msg::Format(msg::Cli::MissingValue, opt->get_name());
    if (dynamic_cast<const CLI::ValidationError*>(&e) != nullptr ||
        dynamic_cast<const CLI::ConversionError*>(&e) != nullptr)
      return msg::Format(msg::Cli::InvalidValue, opt->get_name());
  }
  return msg::Format(msg::Cli::UsageFault, what);
}

}  // namespace

void SetUpProgram(CLI::App& root) {
  auto text = [](msg::Cli id) { return std::string(msg::Text(id)); };
  root.formatter(std::make_shared<HelpFormatter>(HelpColumns()));
  // Before any option: each takes its group's heading from here.
  root.option_defaults()->group(text(msg::Cli::HelpOptionsHead));
  root.set_help_flag("-h,--help", text(msg::Cli::HelpOption));
  root.set_version_flag("--version", msg::Format(msg::Cli::VersionLine, ALLELESCOPE_VERSION),
                        text(msg::Cli::VersionOption));
  root.footer(text(msg::Cli::ProgramFooter));
  root.require_subcommand(1);
  root.allow_extras();
}

std::optional<int> ParseCommandLine(CLI::App& root, int argc, char** argv, std::ostream& out,
                                    std::ostream& err) {
  try {
    root.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help, --version
    return root.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    // An unknown word usually explains the other fault (a misspelt option
    // leaves its argument over), so it is named first.
    const CLI::App* chosen = ChosenCommand(root);
    return UsageFault(err, LeftOver(root, chosen).value_or(Describe(root, chosen, e)), chosen);
  }
  const CLI::App* chosen = ChosenCommand(root);
  if (const auto fault = LeftOver(root, chosen)) return UsageFault(err, *fault, chosen);
  return std::nullopt;
}

int UsageFault(std::ostream& err, std::string_view text, const CLI::App* command) {
  Complain(err, text);
  err << (command == nullptr ? std::string(msg::Text(msg::Cli::HelpHint))
                             : msg::Format(msg::Cli::CommandHelpHint, command->get_name()))
      << '\n';
  return kUsage;
}

}  // namespace cli
