// `allelescope markers WORKBOOK`: the few markers that tell the varieties apart.
#include <ostream>

#include "analysis/MarkerSet.h"
#include "app/cli/Command.h"
#include "app/cli/RunWorkbook.h"
#include "app/cli/SourceProblems.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

void PrintChoice(const store::GenotypeStore& s, const analysis::MarkerChoice& choice,
                 std::ostream& out) {
  out << msg::Format(choice.method == analysis::SearchMethod::Exact ? msg::Cli::MarkersExact
                                                                    : msg::Cli::MarkersGreedy,
                     s.MarkerCount())
      << '\n';
  // With one variety there is no pair: neither "no marker tells" nor "every pair is told" holds.
  if (s.VarietyCount() < 2) {
    out << msg::Text(msg::Cli::MarkersOneVariety) << '\n';
    return;
  }
  if (choice.chosen.empty()) out << msg::Text(msg::Cli::NoPairToTell) << '\n';
  for (const analysis::ChosenMarker& c : choice.chosen)
    out << msg::Format(msg::Cli::MarkerLine, s.MarkerName(c.marker), c.pairsLeft) << '\n';
  out << msg::Text(msg::Cli::InseparableHead) << '\n';
  if (choice.inseparable.empty()) out << msg::Text(msg::Cli::InseparableNone) << '\n';
  for (const std::vector<int>& group : choice.inseparable) {
    std::vector<std::string> names;
    for (int v : group) names.push_back(s.VarietyName(v));
    out << msg::Format(msg::Cli::InseparableLine, fmt::join(names, "\t")) << '\n';
  }
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
    const CheckedSource source = ReadCheckedSource(request_, out, err);
    if (source.exitCode != kFinished) return source.exitCode;
    const report::GenotypeRead& read = source.read;
    const analysis::PairMarkerSets pairs = analysis::TellingMarkers(*read.store);
    PrintChoice(*read.store, analysis::SmallestMarkerSet(pairs), out);
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
