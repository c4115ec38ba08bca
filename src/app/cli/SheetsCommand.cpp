// `allelescope sheets WORKBOOK`: what choosing each sheet would say.
#include <fmt/format.h>

#include <ostream>

#include "app/cli/Command.h"
#include "app/cli/TerminalStatus.h"

namespace cli {
namespace {

class SheetsCommand : public Command {
 public:
  explicit SheetsCommand(CLI::App& parent)
      : Command(parent, "sheets",
                "List the sheets of a workbook in order, each with what choosing it would say: "
                "the message and a gloss (not a source / no type / SSR data / character "
                "data). Output: NAME<TAB>MESSAGE<TAB>GLOSS, one sheet a line.") {
    sub_->add_option("WORKBOOK", workbook_, "the workbook (.xlsx, .xlsm or .xls)")->required();
  }

 protected:
  int Run(std::ostream& out, std::ostream& err) override {
    TerminalStatus status(err, false);
    app::Session session(status);
    session.Form_Load();
    session.filBook_Click(workbook_);
    // Copied: the choices below must not see a list the session might refill.
    const std::vector<std::string> names = session.SheetList();
    for (const auto& name : names) {
      const app::SheetOutcome outcome = session.lstSheet_Click(name);
      out << fmt::format("{}\t{}\t{}\n", name, status.LastMessage(), OutcomeGloss(outcome));
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
