// `allelescope markers WORKBOOK`: the few markers that tell the varieties apart.
#include <ostream>

#include "app/cli/Command.h"
#include "app/cli/RunWorkbook.h"
#include "app/cli/SourceProblems.h"
#include "app/core/MarkerSearch.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

class MarkersCommand : public Command {
 public:
  explicit MarkersCommand(CLI::App& parent)
      : Command(parent, "markers", msg::Cli::MarkersSummary, msg::Cli::MarkersDescription) {
    AddWorkbook(request_.workbook);
    AddSheet(request_.sheet);
    AddQuiet(request_.quiet);
  }

 protected:
  int Run(std::ostream& out, std::ostream& err) override {
    app::Session session;
    const std::string sheet = OpenSource(session, request_, err);
    if (sheet.empty()) return kUsage;
    const app::MarkerSearch search = app::SearchMarkers(session, sheet);
    if (ListProblems(search.problems, out)) return kDataProblems;
    out << app::DescribeChoice(search);
    return kFinished;
  }

 private:
  RunRequest request_;
};

}  // namespace

std::unique_ptr<Command> MakeMarkersCommand(CLI::App& parent) {
  return std::make_unique<MarkersCommand>(parent);
}

}  // namespace cli
