// `allelescope markers WORKBOOK`: the few markers that tell the varieties apart.
#include <ostream>

#include "app/cli/Command.h"
#include "app/cli/RunWorkbook.h"
#include "app/cli/SourceProblems.h"
#include "app/core/MarkerSearch.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

void PrintChoice(const app::MarkerSearch& search, std::ostream& out) {
  out << msg::Format(search.exact ? msg::Cli::MarkersExact : msg::Cli::MarkersGreedy,
                     search.markers)
      << '\n';
  // With one variety there is no pair: neither "no marker tells" nor "every pair is told" holds.
  if (search.varieties < 2) {
    out << msg::Text(msg::Cli::MarkersOneVariety) << '\n';
    return;
  }
  if (search.chosen.empty()) out << msg::Text(msg::Cli::NoPairToTell) << '\n';
  for (const app::TellingMarker& c : search.chosen)
    out << msg::Format(msg::Cli::MarkerLine, c.name, c.pairsLeft) << '\n';
  out << msg::Text(msg::Cli::InseparableHead) << '\n';
  if (search.inseparable.empty()) out << msg::Text(msg::Cli::InseparableNone) << '\n';
  for (const std::vector<std::string>& names : search.inseparable)
    out << msg::Format(msg::Cli::InseparableLine, fmt::join(names, "\t")) << '\n';
}

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
    PrintChoice(search, out);
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
