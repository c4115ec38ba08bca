// `allelescope import FILE -o WORKBOOK`: another program's genotypes as a
// new workbook with a source sheet.
#include <filesystem>
#include <map>
#include <ostream>

#include "app/cli/Command.h"
#include "app/core/Import.h"
#include "app/core/TextFile.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

class ImportCommand : public Command {
 public:
  explicit ImportCommand(CLI::App& parent)
      : Command(parent, "import", msg::Cli::ImportSummary, msg::Cli::ImportDescription) {
    const std::map<std::string, app::ImportKind> kinds{{"genepop", app::ImportKind::Genepop},
                                                       {"genalex", app::ImportKind::Genalex},
                                                       {"csv", app::ImportKind::Csv}};
    sub_->add_option("FILE", input_, HelpText(msg::Cli::ImportFileArgument))
        ->required()
        ->type_name("");
    AddOutput(output_, msg::Cli::ImportOutputOption);
    sub_->get_option("--output")->required();
    sub_->add_option("--format", kind_, HelpText(msg::Cli::ImportFormatOption))
        ->transform(CLI::CheckedTransformer(kinds, CLI::ignore_case))
        ->option_text(HelpText(msg::Cli::ImportFormatValues));
    sub_->add_option("--encoding", encoding_, HelpText(msg::Cli::ImportEncodingOption))
        ->type_name(HelpText(msg::Cli::NameValue));
  }

 protected:
  int Run(std::ostream& out, std::ostream& err) override {
    if (app::LowerExtension(output_) != ".xlsx") {
      Complain(err, msg::Format(msg::Cli::OutputKind, ".xlsx", output_));
      return kUsage;
    }
    if (!encoding_.empty() && !app::KnownEncoding(encoding_)) {
      Complain(err, msg::Format(msg::Cli::UnknownEncoding, encoding_));
      return kUsage;
    }
    try {
      const app::ImportReport done = app::ImportFile(input_, output_, kind_, encoding_);
      out << msg::Format(msg::Cli::ImportWritten, output_, done.varieties, done.markers) << '\n';
      return kFinished;
    } catch (const app::ImportError& e) {
      Complain(err, msg::Format(msg::Cli::ImportProblem, input_, e.Line(), e.Reason()));
    } catch (const std::runtime_error& e) {
      if (app::IsOutOfMemory(e)) throw;  // Guarded says it in the user's words
      Complain(err, e.what());
    }
    return kUnreadable;
  }

 private:
  std::string input_;
  std::string output_;
  std::optional<app::ImportKind> kind_;
  std::string encoding_;
};

}  // namespace

std::unique_ptr<Command> MakeImportCommand(CLI::App& parent) {
  return std::make_unique<ImportCommand>(parent);
}

}  // namespace cli
