// What a user waits for: the whole `allelescope run` process on a maximal
// source (500 varieties by 250 SSR markers) for four option sets, against a
// libxlsxwriter program in constant-memory mode that writes a workbook of the
// same cell shape as that run's result (the same sheets, the same numbers and
// texts per row). AlleleScope and libxlsxwriter runs alternate; the table shows
// medians, their ratio and the peak memory (ru_maxrss) of each child.
//
//   whole_process_bench [RUNS] [--cli PATH]   (default 5 runs; the CLI built with it)
//
// The parent stays small on purpose: a child's ru_maxrss starts from what it
// inherits, so generating the source and reading results happen in children.
#include <fcntl.h>
#include <fmt/format.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "MaximalSource.h"
#include "host/Host.h"

namespace fs = std::filesystem;
using bench::ChildFigures;
using bench::Clock;
using bench::InChild;
using bench::Reap;
using bench::Seconds;
extern char** environ;

namespace {

#ifndef ALLELESCOPE_CLI
#define ALLELESCOPE_CLI "allelescope"
#endif

constexpr int kVarieties = 500;
constexpr int kMarkers = 250;

struct OptionSet {
  const char* name;
  std::vector<std::string> flags;
  double peakTargetMb;
};
const OptionSet kOptionSets[] = {
    {"no options", {"--no-combination", "--no-ukai", "--no-summary"}, 150},
    {"default (combination, Ukai, summary)", {}, 60},
    {"every option (--zoo)", {"--zoo"}, 150},
    {"default and --relate", {"--relate"}, 150},
};

// Runs the command line as a user would, output to `log`.
ChildFigures RunCli(const std::string& cli, const std::string& workbook,
                    const std::vector<std::string>& flags, const std::string& log) {
  std::vector<std::string> args{cli, "run", workbook};
  args.insert(args.end(), flags.begin(), flags.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = 0;
  const auto started = Clock::now();
  if (posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", cli.c_str());
    std::exit(2);
  }
  posix_spawn_file_actions_destroy(&actions);
  return Reap(pid, started);
}

// The shape of a result, one record after the other:
//   'S' u16 length, name            a sheet
//   'R' u32 row, u32 cells          a row, then its cells:
//       u16 column, 'n' double | 't' u32 length, text | 'b' u8
//   'E'                             the end
class ShapeWriter {
 public:
  explicit ShapeWriter(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
    if (!file_) std::exit(2);
  }
  ~ShapeWriter() { std::fclose(file_); }
  template <typename T>
  void Put(T value) {
    std::fwrite(&value, sizeof value, 1, file_);
  }
  void Bytes(const std::string& s) { std::fwrite(s.data(), 1, s.size(), file_); }

 private:
  std::FILE* file_;
};

struct Shape {
  long cells = 0, texts = 0;
};

void PutCell(ShapeWriter& out, const host::Cell& cell, Shape& shape) {
  out.Put<uint16_t>(static_cast<uint16_t>(cell.column));
  if (const double* d = std::get_if<double>(&cell.value)) {
    out.Put<char>('n');
    out.Put<double>(*d);
  } else if (const bool* b = std::get_if<bool>(&cell.value)) {
    out.Put<char>('b');
    out.Put<uint8_t>(*b ? 1 : 0);
  } else {
    const std::string text = host::ValueText(cell.value);
    out.Put<char>('t');
    out.Put<uint32_t>(static_cast<uint32_t>(text.size()));
    out.Bytes(text);
    ++shape.texts;
  }
  ++shape.cells;
}

// Reads the result workbook and writes the shape of the sheets the run wrote
// (those the source workbook does not have).
Shape WriteShape(const std::string& source, const std::string& result, const std::string& path) {
  host::Application app;
  std::set<std::string> before;
  host::Workbook& original = app.Open(source);
  for (int s = 1; s <= original.SheetCount(); ++s) before.insert(original.Sheet(s).Name());
  host::Workbook& book = app.Open(result);
  ShapeWriter out(path);
  Shape shape;
  for (int s = 1; s <= book.SheetCount(); ++s) {
    host::Worksheet& sheet = book.Sheet(s);
    if (before.count(sheet.Name())) continue;
    out.Put<char>('S');
    out.Put<uint16_t>(static_cast<uint16_t>(sheet.Name().size()));
    out.Bytes(sheet.Name());
    for (const auto& [row, cells] : sheet.Store().Rows()) {
      std::vector<const host::Cell*> filled;
      for (const host::Cell& cell : cells.cells)
        if (!host::IsEmpty(cell.value)) filled.push_back(&cell);
      if (filled.empty()) continue;
      out.Put<char>('R');
      out.Put<uint32_t>(static_cast<uint32_t>(row));
      out.Put<uint32_t>(static_cast<uint32_t>(filled.size()));
      for (const host::Cell* cell : filled) PutCell(out, *cell, shape);
    }
  }
  out.Put<char>('E');
  return shape;
}

// Walks a shape file mapped into memory.
class ShapeReader {
 public:
  explicit ShapeReader(const char* at) : at_(at) {}
  template <typename T>
  T Get() {
    T value;
    std::memcpy(&value, at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  std::string Text(size_t length) {
    std::string s(at_, length);
    at_ += length;
    return s;
  }

 private:
  const char* at_;
};

void WriteRow(ShapeReader& in, lxw_worksheet* sheet) {
  const auto row = static_cast<lxw_row_t>(in.Get<uint32_t>() - 1);
  const uint32_t count = in.Get<uint32_t>();
  for (uint32_t k = 0; k < count; ++k) {
    const auto col = static_cast<lxw_col_t>(in.Get<uint16_t>() - 1);
    const char kind = in.Get<char>();
    if (kind == 'n') {
      worksheet_write_number(sheet, row, col, in.Get<double>(), nullptr);
    } else if (kind == 'b') {
      worksheet_write_boolean(sheet, row, col, in.Get<uint8_t>(), nullptr);
    } else {
      const std::string text = in.Text(in.Get<uint32_t>());
      worksheet_write_string(sheet, row, col, text.c_str(), nullptr);
    }
  }
}

// libxlsxwriter writing the shape in its fastest mode (rows streamed to disk,
// inline strings, as our writer does too). Returns the seconds it took; the
// shape is in memory before the clock starts.
double WriteFloor(const std::string& shapePath, const std::string& out) {
  const int fd = open(shapePath.c_str(), O_RDONLY);
  struct stat st {};
  if (fd < 0 || fstat(fd, &st) != 0) std::exit(2);
  const size_t size = static_cast<size_t>(st.st_size);
  void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  if (map == MAP_FAILED) std::exit(2);
  const auto started = Clock::now();
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  lxw_workbook* book = workbook_new_opt(out.c_str(), &options);
  ShapeReader in(static_cast<const char*>(map));
  lxw_worksheet* sheet = nullptr;
  for (char tag; (tag = in.Get<char>()) != 'E';) {
    if (tag == 'S') {
      const std::string name = in.Text(in.Get<uint16_t>());
      sheet = workbook_add_worksheet(book, name.c_str());
      if (!sheet) std::exit(4);
    } else {
      WriteRow(in, sheet);
    }
  }
  if (workbook_close(book) != LXW_NO_ERROR) std::exit(4);
  const double seconds = Seconds(started, Clock::now());
  munmap(map, size);
  close(fd);
  return seconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Series {
  Shape shape;
  std::vector<double> ours, floor, ourPeak, floorPeak;
  int exitCode = 0;
};

void Round(const std::string& cli, const fs::path& dir, const std::string& source, size_t set,
           Series& s) {
  const OptionSet& options = kOptionSets[set];
  const std::string copy = (dir / fmt::format("run{}.xlsx", set)).string();
  fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
  const ChildFigures ours = RunCli(cli, copy, options.flags, (dir / "run.log").string());
  if (ours.exitCode != 0) s.exitCode = ours.exitCode;
  s.ours.push_back(ours.seconds);
  s.ourPeak.push_back(ours.peakMb);
  const std::string shape = (dir / fmt::format("shape{}.bin", set)).string();
  if (s.ours.size() == 1)
    s.shape = InChild<Shape>([&] { return WriteShape(source, copy, shape); }).first;
  const std::string floorOut = (dir / fmt::format("floor{}.xlsx", set)).string();
  const auto [seconds, floor] = InChild<double>([&] { return WriteFloor(shape, floorOut); });
  s.floor.push_back(seconds);
  s.floorPeak.push_back(floor.peakMb);
}

void Report(const std::vector<Series>& series, int runs) {
  fmt::print("\nmedians of {} runs, AlleleScope and libxlsxwriter alternating\n", runs);
  fmt::print("| {:<29}| {:>13} | {:>11} | {:>14} | {:>6} | {:>10} | {:>10} |\n", "run",
             "cells written", "AlleleScope", "libxlsxwriter", "ratio", "peak (ours)", "peak (lxw)");
  fmt::print("|{:-<30}|{:->15}|{:->13}|{:->16}|{:->8}|{:->13}|{:->12}|\n", "", "", "", "", "", "",
             "");
  for (size_t k = 0; k < series.size(); ++k) {
    const Series& s = series[k];
    const double ours = Median(s.ours), floor = Median(s.floor), peak = Median(s.ourPeak);
    fmt::print(
        "| {:<29}| {:>11.2f} M | {:>9.2f} s | {:>12.2f} s | {:>5.2f}x | {:>8.0f} MB | {:>7.0f} MB "
        "|{}{}{}\n",
        kOptionSets[k].name, s.shape.cells / 1e6, ours, floor, ours / floor, peak,
        Median(s.floorPeak), ours <= floor ? "" : " time MISSED",
        peak <= kOptionSets[k].peakTargetMb ? "" : " memory MISSED",
        s.exitCode == 0 ? "" : fmt::format(" (exit status {})", s.exitCode));
  }
  fmt::print("targets: ratio <= 1.00; peak <= 150 MB, <= 60 MB with the default options\n");
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  std::string cli = ALLELESCOPE_CLI;
  for (int k = 1; k < argc; ++k) {
    if (std::string(argv[k]) == "--cli" && k + 1 < argc) {
      cli = argv[++k];
    } else {
      runs = std::max(1, std::atoi(argv[k]));
    }
  }
  std::string pattern = (fs::temp_directory_path() / "allelescope-whole-XXXXXX").string();
  const fs::path dir = mkdtemp(pattern.data());
  const std::string source = (dir / "source.xlsx").string();
  const long typed =
      InChild<long>([&] { return bench::WriteMaximalSource(source, kVarieties, kMarkers); }).first;
  fmt::print("source: {} varieties x {} markers, {} typed cells, {:.1f} MB; CLI {}\n", kVarieties,
             kMarkers, typed, static_cast<double>(fs::file_size(source)) / 1e6, cli);
  std::vector<Series> series(std::size(kOptionSets));
  for (int r = 0; r < runs; ++r)
    for (size_t set = 0; set < series.size(); ++set) Round(cli, dir, source, set, series[set]);
  Report(series, runs);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}
