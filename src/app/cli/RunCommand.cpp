// `allelescope run WORKBOOK`: the whole analysis of one source sheet.
#include <ostream>
#include <string>

#include "app/cli/Command.h"
#include "app/cli/RunWorkbook.h"
#include "app/core/TextFile.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

class RunCommand : public Command {
 public:
  explicit RunCommand(CLI::App& parent)
      : Command(parent, "run", msg::Cli::RunSummary, msg::Cli::RunDescription) {
    AddWorkbook(request_.workbook);
    AddSheet(request_.sheet);
    AddOutput(request_.output, msg::Cli::OutputOption);
    sub_->add_flag("--zoo", request_.options.zoo, HelpText(msg::Cli::ZeroOneOption));
    sub_->add_flag("--no-combination", noCombination_, HelpText(msg::Cli::NoCombinationOption));
    sub_->add_flag("--no-ukai", skipIdentification_, HelpText(msg::Cli::NoIdentificationOption));
    sub_->add_flag("--no-summary", noSummary_, HelpText(msg::Cli::NoSummaryOption));
    sub_->add_flag("--relate", request_.options.relate, HelpText(msg::Cli::RelateOption));
    sub_->add_flag("--ignore-lock", request_.ignoreLock, HelpText(msg::Cli::IgnoreLockOption));
    AddQuiet(request_.quiet);
  }

 protected:
  int Run(std::ostream& out, std::ostream& err) override {
    if (!request_.output.empty()) {
      // The copy keeps the package's kind: a macro workbook saved under .xlsx
      // (or a plain one under .xlsm) is a file the spreadsheet refuses to open.
      const std::string wanted =
          app::LowerExtension(request_.workbook) == ".xlsm" ? ".xlsm" : ".xlsx";
      if (app::LowerExtension(request_.output) != wanted) {
        Complain(err, msg::Format(msg::Cli::OutputKind, wanted, request_.output));
        return kUsage;
      }
      // The copy would replace the very workbook it promises to leave untouched.
      if (app::SameFile(request_.output, request_.workbook)) {
        Complain(err, msg::Format(msg::Cli::OutputIsInput, request_.output));
        return kUsage;
      }
    }
    request_.options.combination = !noCombination_;
    request_.options.ukai = !skipIdentification_;
    request_.options.summary = !noSummary_;
    return RunWorkbook(request_, out, err);
  }

 private:
  RunRequest request_;
  bool noCombination_ = false;
  bool skipIdentification_ = false;
  bool noSummary_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeRunCommand(CLI::App& parent) {
  return std::make_unique<RunCommand>(parent);
}

}  // namespace cli
