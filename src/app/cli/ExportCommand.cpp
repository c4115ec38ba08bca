// `allelescope export WORKBOOK --format F -o FILE`: the source's genotypes
// for other programs.
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>

#include "app/cli/Command.h"
#include "app/cli/RunWorkbook.h"
#include "app/cli/SourceProblems.h"
#include "app/core/Export.h"
#include "app/core/TextFile.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

class ExportCommand : public Command {
 public:
  explicit ExportCommand(CLI::App& parent)
      : Command(parent, "export", msg::Cli::ExportSummary, msg::Cli::ExportDescription) {
    const std::map<std::string, app::ExportFormat> formats{
        {"genepop", app::ExportFormat::Genepop},
        {"structure", app::ExportFormat::Structure},
        {"genalex", app::ExportFormat::Genalex}};
    AddWorkbook(request_.workbook);
    AddSheet(request_.sheet);
    sub_->add_option("--format", format_, HelpText(msg::Cli::ExportFormatOption))
        ->required()
        ->transform(CLI::CheckedTransformer(formats, CLI::ignore_case))
        ->option_text(HelpText(msg::Cli::ExportFormatValues));
    AddOutput(output_, msg::Cli::ExportOutputOption);
    sub_->get_option("--output")->required();
    AddQuiet(request_.quiet);
  }

 protected:
  int Run(std::ostream& out, std::ostream& err) override {
    if (app::NamesAWorkbook(output_)) {
      Complain(err, msg::Format(msg::Cli::OutputNamesWorkbook, output_));
      return kUsage;
    }
    app::Session session;
    const std::string sheet = OpenSource(session, request_, err);
    if (sheet.empty()) return kUsage;
    const app::ExportResult done = app::ExportSource(session, sheet, format_);
    if (ListProblems(done.problems, out)) return kDataProblems;
    if (const auto fault = app::WriteTextFile(output_, done.text)) {
      Complain(err, *fault);
      return kUnreadable;
    }
    // Beside an export sent to standard output, the list would end up in it.
    std::ostream& changes = app::IsStandardOutput(output_) ? err : out;
    changes << app::DescribeChanges(done, format_);
    if (!request_.quiet) err << msg::Format(msg::Cli::ExportWritten, output_) << '\n';
    return kFinished;
  }

 private:
  RunRequest request_;
  app::ExportFormat format_ = app::ExportFormat::Genepop;
  std::string output_;
};

}  // namespace

std::unique_ptr<Command> MakeExportCommand(CLI::App& parent) {
  return std::make_unique<ExportCommand>(parent);
}

}  // namespace cli
