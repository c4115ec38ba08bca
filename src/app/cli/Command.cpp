#include "app/cli/Command.h"

#include <fmt/format.h>

#include <ostream>
#include <sstream>

#include "messages/CliTexts.h"
#include "messages/HostFailureTexts.h"

namespace cli {

Command::Command(CLI::App& parent, const std::string& name, msg::Cli summary, msg::Cli details)
    : sub_(parent.add_subcommand(name, HelpText(summary) + "\n\n" + HelpText(details))) {
  // The exit statuses and limits are the program's, told once in its help.
  sub_->footer(HelpText(msg::Cli::CommandFooter));
  // The parser gives a command its help flag before the heading of its group:
  // made again, the flag stands under the same heading as the other options.
  sub_->set_help_flag("-h,--help", HelpText(msg::Cli::HelpOption));
}

void Command::AddWorkbook(std::string& path) {
  sub_->add_option("WORKBOOK", path, HelpText(msg::Cli::WorkbookArgument))
      ->required()
      ->type_name("");
}

void Command::AddSheet(std::string& sheet) {
  sub_->add_option("-s,--sheet", sheet, HelpText(msg::Cli::SheetOption))
      ->type_name(HelpText(msg::Cli::NameValue));
}

void Command::AddOutput(std::string& path, msg::Cli description) {
  sub_->add_option("-o,--output", path, HelpText(description))
      ->type_name(HelpText(msg::Cli::FileValue));
}

void Command::AddQuiet(bool& quiet) {
  sub_->add_flag("-q,--quiet", quiet, HelpText(msg::Cli::QuietOption));
}

int Command::Execute(std::ostream& out, std::ostream& err) {
  return Guarded(err, [&] { return Run(out, err); });
}

int Guarded(std::ostream& err, const std::function<int()>& body) {
  try {
    return body();
  } catch (const app::TableNotFound& e) {
    // Data in the wrong place is a data problem, not a failure to read.
    std::istringstream lines(e.what());
    for (std::string line; std::getline(lines, line);) Complain(err, line);
    return kDataProblems;
  } catch (const app::HostError& e) {
    Complain(err, Describe(e));
  } catch (const std::exception& e) {
    Complain(err, app::IsOutOfMemory(e) ? std::string(msg::Text(msg::Cli::OutOfMemory))
                                        : msg::Format(msg::Cli::RunStopped, e.what()));
  }
  return kUnreadable;
}

void Complain(std::ostream& err, std::string_view text) {
  err << msg::Format(msg::Cli::ErrorLine, text) << '\n';
}

std::string HelpText(msg::Cli id) { return std::string(msg::Text(id)); }

std::string Describe(const app::HostError& e) {
  return msg::FailureLine(e.Cause(), e.Operation(), e.File(), e.Reason());
}

std::string_view Gloss(app::SheetKind kind) {
  switch (kind) {
    case app::SheetKind::UnknownType:
      return msg::Text(msg::Cli::GlossNoType);
    case app::SheetKind::NotSource:
      return msg::Text(msg::Cli::GlossNotSource);
    case app::SheetKind::Ssr:
      return msg::Text(msg::Cli::GlossSsr);
    case app::SheetKind::Character:
      return msg::Text(msg::Cli::GlossCharacter);
  }
  return {};
}

}  // namespace cli
