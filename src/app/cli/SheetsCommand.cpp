// `allelescope sheets WORKBOOK`: what choosing each sheet would say.
#include <ostream>

#include "app/cli/Command.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

class SheetsCommand : public Command {
 public:
  explicit SheetsCommand(CLI::App& parent)
      : Command(parent, "sheets", msg::Cli::SheetsSummary, msg::Cli::SheetsDescription) {
    AddWorkbook(workbook_);
  }

 protected:
  int Run(std::ostream& out, std::ostream&) override {
    app::Session session;
    session.Open(workbook_);
    for (const app::SheetInfo& sheet : session.Sheets()) {
      out << msg::Format(msg::Cli::SheetLine, sheet.name, app::ChoiceText(sheet.kind),
                         Gloss(sheet.kind))
          << '\n';
    }
    return kFinished;
  }

 private:
  std::string workbook_;
};

}  // namespace

std::unique_ptr<Command> MakeSheetsCommand(CLI::App& parent) {
  return std::make_unique<SheetsCommand>(parent);
}

}  // namespace cli
