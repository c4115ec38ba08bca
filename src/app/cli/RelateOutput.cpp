#include "app/cli/RelateOutput.h"

#include <unistd.h>

#include <iostream>
#include <map>
#include <ostream>
#include <utility>

#include "app/cli/SourceProblems.h"
#include "app/cli/TerminalProgress.h"
#include "app/core/TextFile.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

void ListPairs(const std::vector<app::VarietyPair>& pairs, std::ostream& out) {
  for (const app::VarietyPair& p : pairs)
    out << msg::Format(msg::Cli::PairWithoutDistance, p.firstName, p.secondName) << '\n';
}

void ListNotes(const app::RelateResult& done, const app::RelateRequest& relate, std::ostream& out) {
  for (const auto& r : done.varieties)
    out << msg::Format(msg::Cli::RenamedVariety, r.from, r.to) << '\n';
  if (done.tiedJoins > 0) out << msg::Format(msg::Cli::TiedJoins, done.tiedJoins) << '\n';
  if (done.replicatesWithoutTree > 0)
    out << msg::Format(msg::Cli::BootstrapWithoutTree, done.replicatesWithoutTree, relate.bootstrap)
        << '\n';
  if (!done.withoutDistance.empty())
    out << msg::Format(msg::Cli::DistancesLeftEmpty, done.withoutDistance.size()) << '\n';
}

// Writes what `done` holds where `order` asks, with the notes the user needs.
int Deliver(const app::RelateResult& done, const RelateOrder& order, std::ostream& out,
            std::ostream& err) {
  const bool toStandardOutput = order.output.empty() || order.output == "-";
  // Beside a file sent to standard output, the notes would end up in it.
  std::ostream& notes = toStandardOutput || app::IsStandardOutput(order.output) ? err : out;
  ListPairs(done.withoutDistance, notes);
  if (done.text.empty()) {
    notes << msg::Text(msg::Cli::NeedsEveryDistance) << '\n';
    return kDataProblems;
  }
  if (toStandardOutput) {
    out << done.text;
  } else if (const auto fault = app::WriteTextFile(order.output, done.text)) {
    Complain(err, *fault);
    return kUnreadable;
  }
  ListNotes(done, order.relate, notes);
  if (!order.source.quiet && !toStandardOutput)
    err << msg::Format(msg::Cli::ExportWritten, order.output) << '\n';
  return done.withoutDistance.empty() ? kFinished : kDataProblems;
}

}  // namespace

RelateCommand::RelateCommand(CLI::App& parent, const std::string& name, msg::Cli summary,
                             msg::Cli details, std::vector<app::RelateFile> accepted)
    : Command(parent, name, summary, details) {
  const std::map<std::string, app::DistanceKind> kinds{{"alleles", app::DistanceKind::Alleles},
                                                       {"markers", app::DistanceKind::Markers}};
  order_.accepted = std::move(accepted);
  AddWorkbook(order_.source.workbook);
  AddSheet(order_.source.sheet);
  sub_->add_option("--distance", order_.relate.distance, HelpText(msg::Cli::DistanceOption))
      ->transform(CLI::CheckedTransformer(kinds, CLI::ignore_case))
      ->option_text(HelpText(msg::Cli::DistanceValues));
}

void RelateCommand::AddOutputLast(msg::Cli description, bool required) {
  AddOutput(order_.output, description);
  sub_->get_option("--output")->required(required);
  AddQuiet(order_.source.quiet);
}

int RelateCommand::Run(std::ostream& out, std::ostream& err) {
  return WriteRelation(order_, out, err);
}

int WriteRelation(RelateOrder& order, std::ostream& out, std::ostream& err) {
  const auto file = app::RelateFileOf(order.output, order.accepted);
  if (!file) {
    Complain(err, msg::Format(msg::Cli::OutputExtension, order.output,
                              app::RelateExtensions(order.accepted)));
    return kUsage;
  }
  order.relate.file = *file;
  app::Session session;
  const std::string sheet = OpenSource(session, order.source, err);
  if (sheet.empty()) return kUsage;
  // A replicate builds a whole tree: on a large source a bootstrap takes a while.
  TerminalProgress progress(
      err, !order.source.quiet && ::isatty(STDERR_FILENO) == 1 && &err == &std::cerr);
  order.relate.onReplicate = [&](int k) {
    progress.Comment(msg::Format(msg::Cli::BootstrapProgress, k, order.relate.bootstrap));
  };
  const app::RelateResult done = app::RelateSource(session, sheet, order.relate);
  progress.ClearProgress();
  if (ListProblems(done.problems, out)) return kDataProblems;
  return Deliver(done, order, out, err);
}

}  // namespace cli
