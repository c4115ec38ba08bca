// The whole session on a maximal workbook: 499 varieties by 249 SSR markers
// (about 12 alleles and 30 genotypes per marker, 5% missing), every option on.
// Reports open, compute and save times, cells written and peak memory, and the
// time libxlsxwriter needs to write as many cells: the floor for our save.
// Each measured run is a child process, so its peak memory is its own.
//
//   pipeline_bench [RUNS]   (default 5; medians are reported)
#include <fmt/format.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ChildProcess.h"
#include "MaximalSource.h"
#include "app/core/Session.h"
#include "host/Host.h"
#include "messages/InterfaceTexts.h"

namespace fs = std::filesystem;
using bench::Clock;
using bench::Seconds;

namespace {

constexpr int kVarieties = 499;
constexpr int kMarkers = 249;

struct Generated {
  long cells;
};

// The source workbook, written through our own host.
Generated Generate(const std::string& path) {
  return {bench::WriteMaximalSource(path, kVarieties, kMarkers)};
}

// Notes when the run announces each stage.
class TimingProgress : public report::Progress {
 public:
  void Stage(std::string_view text) override { Mark(std::string(text)); }
  void Comment(std::string_view) override {}
  void Mark(std::string what) { marks.push_back({std::move(what), Clock::now()}); }

  // Seconds from the mark `from` to the next mark after it.
  double StageSeconds(const std::string& from) const {
    for (size_t k = 0; k + 1 < marks.size(); ++k)
      if (marks[k].first == from) return Seconds(marks[k].second, marks[k + 1].second);
    return 0;
  }
  Clock::time_point At(const std::string& text) const {
    for (const auto& mark : marks)
      if (mark.first == text) return mark.second;
    return {};
  }

  std::vector<std::pair<std::string, Clock::time_point>> marks;
};

// Everything the run wrote, read back from the saved file.
void CountCells(const app::RunReport& report, const std::string& saved, long& textCells,
                long& numberCells) {
  host::Application reader;
  host::Workbook& book = reader.Open(saved);
  for (const std::string& name : report.sheetsWritten) {
    for (const auto& [row, cells] : book.SheetByName(name).Store().Rows())
      for (const host::Cell& cell : cells.cells) {
        if (std::holds_alternative<std::string>(cell.value)) ++textCells;
        if (std::holds_alternative<double>(cell.value)) ++numberCells;
      }
  }
}

// Stage texts of the run, in order, with a short name for the table.
const std::pair<msg::Ui, const char*> kStages[] = {
    {msg::Ui::Reading, "  read source"},
    {msg::Ui::ConvertingSsr, "  SSR conversion + stats"},
    {msg::Ui::ZeroOneRunning, "  0/1 matrices"},
    {msg::Ui::CombinationRunning, "  combination"},
    {msg::Ui::IdentificationRunning, "  Ukai"},
};
constexpr int kStageCount = sizeof kStages / sizeof kStages[0];

struct RunFigures {
  double open, compute, options, save;
  double stage[kStageCount];
  long textCells, numberCells;
  long peakKb;
  bool normal;
};

RunFigures RunSession(const std::string& path, bool everyOption) {
  TimingProgress progress;
  app::Session session;
  const auto t0 = Clock::now();
  session.Open(path);
  session.Classify("Bench.org");  // reads the source's first cells
  const auto opened = Clock::now();
  const app::RunOptions options{
      .zoo = everyOption, .combination = everyOption, .ukai = everyOption};
  const app::RunReport report = session.Run("Bench.org", options, progress);
  const app::SavedFile saved = session.Save();
  progress.Mark("listed");
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  RunFigures f{};
  f.open = Seconds(t0, opened);
  // Compute ends with the completion text, announced right before the save;
  // the save ends where the run returns with the saved workbook reopened.
  const auto completed = progress.At(std::string(msg::Text(msg::Ui::Completed)));
  f.compute = Seconds(opened, completed);
  f.options = everyOption
                  ? Seconds(progress.At(std::string(msg::Text(msg::Ui::ZeroOneRunning))), completed)
                  : 0;
  f.save = Seconds(completed, progress.At("listed"));
  for (int k = 0; k < kStageCount; ++k)
    f.stage[k] = progress.StageSeconds(std::string(msg::Text(kStages[k].first)));
  f.peakKb = usage.ru_maxrss;
  f.normal = !report.HasProblems();
  CountCells(report, saved.path, f.textCells, f.numberCells);
  return f;
}

struct FloorFigures {
  double save;
};

// libxlsxwriter writing as many cells, as many of them texts, in its fastest
// mode (rows streamed to disk, inline strings: what our writer does too).
FloorFigures WriteFloor(const std::string& path, long cells, long textCells) {
  const auto t0 = Clock::now();
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
  lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
  constexpr int kColumns = 250;
  for (long k = 0; k < cells; ++k) {
    const auto row = static_cast<lxw_row_t>(k / kColumns);
    const auto col = static_cast<lxw_col_t>(k % kColumns);
    if (k < textCells) {
      worksheet_write_string(sheet, row, col, "150/152", nullptr);
    } else {
      worksheet_write_number(sheet, row, col, static_cast<double>(k % 97), nullptr);
    }
  }
  if (workbook_close(book) != LXW_NO_ERROR) std::exit(4);
  return {Seconds(t0, Clock::now())};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Summary {
  std::vector<double> open, compute, options, save, floor, peak;
  std::vector<std::vector<double>> stages = std::vector<std::vector<double>>(kStageCount);
  long cellsWritten = 0, textCells = 0;
  bool normal = true;
};

Summary Measure(const fs::path& dir, const std::string& source, int runs, bool everyOption) {
  Summary m;
  for (int r = 0; r < runs; ++r) {
    const std::string copy = (dir / fmt::format("run{}.xlsx", r)).string();
    fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
    const RunFigures f =
        bench::InChild<RunFigures>([&] { return RunSession(copy, everyOption); }).first;
    m.open.push_back(f.open);
    m.compute.push_back(f.compute);
    m.options.push_back(f.options);
    m.save.push_back(f.save);
    m.peak.push_back(f.peakKb / 1024.0);
    for (int k = 0; k < kStageCount; ++k) m.stages[k].push_back(f.stage[k]);
    m.cellsWritten = f.textCells + f.numberCells;
    m.textCells = f.textCells;
    m.normal = m.normal && f.normal;
    const std::string floorPath = (dir / fmt::format("floor{}.xlsx", r)).string();
    m.floor.push_back(bench::InChild<FloorFigures>([&] {
                        return WriteFloor(floorPath, m.cellsWritten, m.textCells);
                      }).first.save);
  }
  return m;
}

void Report(const Summary& m, int runs, bool everyOption, double peakTarget) {
  const double mOpen = Median(m.open), mCompute = Median(m.compute), mOptions = Median(m.options),
               mSave = Median(m.save), mFloor = Median(m.floor), mPeak = Median(m.peak);
  auto verdict = [](bool ok) { return ok ? "ok" : "MISSED"; };
  fmt::print("\n{}: medians of {} runs; cells written: {} ({} texts){}\n",
             everyOption ? "every option (0/1, combination, Ukai)" : "no options", runs,
             m.cellsWritten, m.textCells, m.normal ? "" : " (the run reported data problems!)");
  fmt::print("{:<30}{:>10}  {:<16}{:>8}  {}\n", "measure", "median", "target", "ratio", "");
  fmt::print("{:<30}{:>9.3f}s  {:<16}{:>8}  \n", "open (file + source sheet)", mOpen, "-", "-");
  if (everyOption) {
    fmt::print("{:<30}{:>9.3f}s  {:<16}{:>8}  \n", "compute (open..save)", mCompute, "-", "-");
  } else {
    fmt::print("{:<30}{:>9.3f}s  {:<16}{:>8.2f}  {}\n", "compute (open..save)", mCompute, "< 0.5 s",
               mCompute / 0.5, verdict(mCompute < 0.5));
  }
  for (int k = 0; k < kStageCount; ++k) {
    const double t = Median(m.stages[k]);
    if (t > 0) fmt::print("{:<30}{:>9.3f}s\n", kStages[k].second, t);
  }
  if (everyOption) fmt::print("{:<30}{:>9.3f}s\n", "  options (0/1+cmb+Ukai)", mOptions);
  fmt::print("{:<30}{:>9.3f}s  {:<16}{:>8.2f}  {}\n", "save (incl. reopen)", mSave, "< 2 x floor",
             mSave / mFloor, verdict(mSave < 2 * mFloor));
  fmt::print("{:<30}{:>9.3f}s  {:<16}{:>8}  \n", "libxlsxwriter floor", mFloor, "-", "1.00");
  fmt::print("{:<30}{:>8.0f}MB  {:<16}{:>8.2f}  {}\n", "peak memory (ru_maxrss)", mPeak,
             fmt::format("< {} MB", peakTarget), mPeak / peakTarget, verdict(mPeak < peakTarget));
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::string pattern = (fs::temp_directory_path() / "allelescope-bench-XXXXXX").string();
  const fs::path dir = mkdtemp(pattern.data());
  const std::string source = (dir / "source.xlsx").string();

  const Generated generated = bench::InChild<Generated>([&] { return Generate(source); }).first;
  fmt::print("workbook: {} varieties x {} markers, {} typed cells, {:.1f} MB\n", kVarieties,
             kMarkers, generated.cells, fs::file_size(source) / 1e6);
  // The conversion alone, then with every option: the 0/1 sheets alone add
  // about five million cells. The pairwise check and Ukai computation on their
  // own are timed by options_bench.
  Report(Measure(dir, source, runs, false), runs, false, 300);
  Report(Measure(dir, source, runs, true), runs, true, 400);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}
