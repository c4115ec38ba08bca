// `allelescope sheets WORKBOOK`: what choosing each sheet would say.
#include <ostream>

#include "app/cli/Command.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

// A sheet that is not a source is told how one becomes a source, rather than
// that its kind of data is unknown (the window's words for a name without a type).
std::string_view Message(app::SheetKind kind) {
  if (kind == app::SheetKind::Ssr || kind == app::SheetKind::Character)
    return app::ChoiceText(kind);
  return msg::Text(msg::Cli::NotSourceMessage);
}

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
      out << msg::Format(msg::Cli::SheetLine, sheet.name, Message(sheet.kind), Gloss(sheet.kind))
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
