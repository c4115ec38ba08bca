// `allelescope export WORKBOOK --format F -o FILE`: the source's genotypes
// for other programs.
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>

#include "app/cli/Command.h"
#include "app/cli/RunWorkbook.h"
#include "app/cli/SourceProblems.h"
#include "app/cli/TextFile.h"
#include "exchange/ExportFormat.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

void ListChanges(const store::GenotypeStore& s, const exchange::Exported& done, std::ostream& out) {
  for (const auto& r : done.varieties)
    out << msg::Format(msg::Cli::RenamedVariety, r.from, r.to) << '\n';
  for (const auto& r : done.markers)
    out << msg::Format(msg::Cli::RenamedMarker, r.from, r.to) << '\n';
  for (const auto& r : done.alleles) {
    std::vector<std::string> pairs;
    for (const auto& [number, allele] : r.alleles)
      pairs.push_back(msg::Format(msg::Cli::AlleleNumber, number, allele));
    out << msg::Format(msg::Cli::RenumberedAlleles, s.MarkerName(r.marker), fmt::join(pairs, " "))
        << '\n';
  }
}

// Each variety's population: its group on the Groups sheet, else the
// source's name, the one population of a workbook without that sheet.
std::vector<std::string> Populations(const report::GenotypeRead& read, const std::string& stem,
                                     size_t& ungrouped) {
  if (read.populations.empty()) return std::vector<std::string>(read.store->VarietyCount(), stem);
  std::vector<std::string> populations = read.populations;
  for (std::string& population : populations)
    if (population.empty()) {
      population = stem;
      ++ungrouped;
    }
  return populations;
}

class ExportCommand : public Command {
 public:
  explicit ExportCommand(CLI::App& parent)
      : Command(parent, "export", msg::Cli::ExportSummary, msg::Cli::ExportDescription) {
    const std::map<std::string, exchange::Format> formats{
        {"genepop", exchange::Format::Genepop},
        {"structure", exchange::Format::Structure},
        {"genalex", exchange::Format::Genalex}};
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
    if (NamesAWorkbook(output_)) {
      Complain(err, msg::Format(msg::Cli::OutputNamesWorkbook, output_));
      return kUsage;
    }
    const CheckedSource source = ReadCheckedSource(request_, out, err);
    if (source.exitCode != kFinished) return source.exitCode;
    const report::GenotypeRead& read = source.read;
    const std::string stem = source.sheet.substr(0, source.sheet.find('.'));
    size_t ungrouped = 0;
    const exchange::Exported done =
        exchange::Export(*read.store, format_, read.title.empty() ? stem : read.title,
                         Populations(read, stem, ungrouped));
    if (!WriteTextFile(output_, done.text, err)) return kUnreadable;
    // Beside an export sent to standard output, the list would end up in it.
    std::ostream& changes = IsStandardOutput(output_) ? err : out;
    ListChanges(*read.store, done, changes);
    // STRUCTURE files are written without a population column, as before.
    if (ungrouped > 0 && format_ != exchange::Format::Structure)
      changes << msg::Format(msg::Cli::UngroupedVarieties, ungrouped, stem) << '\n';
    if (!request_.quiet) err << msg::Format(msg::Cli::ExportWritten, output_) << '\n';
    return kFinished;
  }

 private:
  RunRequest request_;
  exchange::Format format_ = exchange::Format::Genepop;
  std::string output_;
};

}  // namespace

std::unique_ptr<Command> MakeExportCommand(CLI::App& parent) {
  return std::make_unique<ExportCommand>(parent);
}

}  // namespace cli
