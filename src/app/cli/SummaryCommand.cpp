// `allelescope summary WORKBOOK`: the locus table of a source, for a
// terminal or for other programs.
#include <map>
#include <ostream>

#include "app/cli/Command.h"
#include "app/cli/RunWorkbook.h"
#include "app/cli/SourceProblems.h"
#include "app/core/LocusReport.h"
#include "app/core/TextFile.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

class SummaryCommand : public Command {
 public:
  explicit SummaryCommand(CLI::App& parent)
      : Command(parent, "summary", msg::Cli::SummarySummary, msg::Cli::SummaryDescription) {
    const std::map<std::string, app::TableFormat> formats{{"text", app::TableFormat::Text},
                                                          {"tsv", app::TableFormat::Tsv}};
    AddWorkbook(request_.workbook);
    AddSheet(request_.sheet);
    sub_->add_option("--format", format_, HelpText(msg::Cli::SummaryFormatOption))
        ->transform(CLI::CheckedTransformer(formats, CLI::ignore_case))
        ->option_text(HelpText(msg::Cli::SummaryFormatValues));
    AddOutput(output_, msg::Cli::SummaryOutputOption);
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
    const app::LocusReport report = app::SummarizeSource(session, sheet, format_);
    if (ListProblems(report.problems, out)) return kDataProblems;
    if (output_.empty()) {
      out << report.text;
      return kFinished;
    }
    if (const auto fault = app::WriteTextFile(output_, report.text)) {
      Complain(err, *fault);
      return kUnreadable;
    }
    if (!app::IsStandardOutput(output_))
      err << msg::Format(msg::Cli::ExportWritten, output_) << '\n';
    return kFinished;
  }

 private:
  RunRequest request_;
  app::TableFormat format_ = app::TableFormat::Text;
  std::string output_;
};

}  // namespace

std::unique_ptr<Command> MakeSummaryCommand(CLI::App& parent) {
  return std::make_unique<SummaryCommand>(parent);
}

}  // namespace cli
