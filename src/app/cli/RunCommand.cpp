// `allelescope run WORKBOOK`: the whole analysis of one source sheet.
#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>

#include "app/cli/Command.h"

namespace cli {
namespace {

std::string Lower(const std::filesystem::path& extension) {
  std::string text = extension.string();
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

class RunCommand : public Command {
 public:
  explicit RunCommand(CLI::App& parent)
      : Command(parent, "run",
                "Analyse the source sheet of a workbook and write the result sheets into it "
                "(NAME.err, .ssr, .tssr, .pek, .chr, .all, .gnt and the options' .cmb, .ukai, "
                "MARKER.zoo). The workbook is saved in place (a legacy .xls to a new .xlsx "
                "beside it) or, with --output, to a copy. The closing message goes to standard "
                "output, one line each; stage texts to standard error. Options run only when "
                "the data have no problems.") {
    sub_->add_option("WORKBOOK", request_.workbook, "the workbook (.xlsx, .xlsm or .xls)")
        ->required();
    sub_->add_option("--sheet", request_.sheet,
                     "the source sheet (named NAME.org); needed when the workbook has several");
    sub_->add_option("--output", request_.output,
                     "save the results into this .xlsx/.xlsm file instead; the original stays "
                     "untouched");
    sub_->add_flag("--zoo", request_.zoo,
                   "also write the 0/1 matrices (one MARKER.zoo per marker)");
    sub_->add_flag("--no-combination", noCombination_,
                   "skip the pairwise combination check (NAME.cmb)");
    sub_->add_flag("--no-ukai", noUKai_, "skip the Ukai identification probability (NAME.ukai)");
  }

 protected:
  int Run(std::ostream& out, std::ostream& err) override {
    if (!request_.output.empty()) {
      // The copy keeps the package's kind: a macro workbook saved under .xlsx
      // (or a plain one under .xlsm) is a file the spreadsheet refuses to open.
      const std::string wanted =
          Lower(std::filesystem::path(request_.workbook).extension()) == ".xlsm" ? ".xlsm"
                                                                                 : ".xlsx";
      if (Lower(std::filesystem::path(request_.output).extension()) != wanted) {
        err << "allelescope: --output must name a " << wanted
            << " file for this workbook: " << request_.output << '\n';
        return kUsage;
      }
    }
    request_.combination = !noCombination_;
    request_.ukai = !noUKai_;
    return RunWorkbook(request_, out, err);
  }

 private:
  RunRequest request_;
  bool noCombination_ = false;
  bool noUKai_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeRunCommand(CLI::App& parent) {
  return std::make_unique<RunCommand>(parent);
}

}  // namespace cli
