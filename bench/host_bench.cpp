// Writing and saving workbooks: our host against libxlsxwriter, the fastest
// write-only library, on the same cells. Each run is a child process so its
// peak memory is its own. Usage: host_bench [runs]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "host/Host.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFormattedRows = 500, kFormattedColumns = 250;
constexpr int kPlainSheets = 8, kPlainRows = 1000, kPlainColumns = 250;  // 2 million cells

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

struct Result {
  double fill = 0, save = 0, cells = 0, peakMb = 0;
};

// Runs inside the child: prints "fill save cells".
int RunScenario(const std::string& name, const std::string& path) {
  auto start = Clock::now();
  double fill = 0, save = 0, cells = 0;
  if (name == "host-formatted" || name == "host-plain") {
    host::Application app;
    host::Workbook& book = app.AddWorkbook(path);
    if (name == "host-formatted") {
      host::Worksheet& sheet = book.Sheet(1);
      for (int r = 1; r <= kFormattedRows; ++r)
        for (int c = 1; c <= kFormattedColumns; ++c) sheet.Cell(r, c).SetValue(r * 0.5 + c);
      host::Range all =
          sheet.GetRange(sheet.Cell(1, 1), sheet.Cell(kFormattedRows, kFormattedColumns));
      for (host::Edge edge :
           {host::Edge::Left, host::Edge::Top, host::Edge::Bottom, host::Edge::Right,
            host::Edge::InsideVertical, host::Edge::InsideHorizontal}) {
        all.SetBorderLineStyle(edge, host::LineStyle::Continuous);
        all.SetBorderWeight(edge, host::BorderWeight::Thin);
      }
      for (int r = 1; r <= kFormattedRows; r += 2)
        sheet.GetRange(sheet.Cell(r, 1), sheet.Cell(r, kFormattedColumns))
            .SetInteriorColorIndex(host::PaletteIndex(6));
      cells = double(kFormattedRows) * kFormattedColumns;
    } else {
      for (int s = 1; s < kPlainSheets; ++s) book.AddSheet();
      for (int s = 1; s <= kPlainSheets; ++s) {
        host::Worksheet& sheet = book.Sheet(s);
        for (int r = 1; r <= kPlainRows; ++r)
          for (int c = 1; c <= kPlainColumns; ++c) sheet.Cell(r, c).SetValue(r * 1000.25 + c);
      }
      cells = double(kPlainSheets) * kPlainRows * kPlainColumns;
    }
    fill = Seconds(start);
    auto saveStart = Clock::now();
    book.Save();
    save = Seconds(saveStart);
  } else {
    lxw_workbook* wb = workbook_new(path.c_str());
    if (name == "xlsxwriter-formatted") {
      lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
      lxw_format* plain = workbook_add_format(wb);
      format_set_border(plain, LXW_BORDER_THIN);
      lxw_format* filled = workbook_add_format(wb);
      format_set_border(filled, LXW_BORDER_THIN);
      format_set_bg_color(filled, 0xFFFF00);
      format_set_pattern(filled, LXW_PATTERN_SOLID);
      for (int r = 0; r < kFormattedRows; ++r)
        for (int c = 0; c < kFormattedColumns; ++c)
          worksheet_write_number(ws, r, static_cast<lxw_col_t>(c), (r + 1) * 0.5 + c + 1,
                                 r % 2 == 0 ? filled : plain);
      cells = double(kFormattedRows) * kFormattedColumns;
    } else {
      for (int s = 0; s < kPlainSheets; ++s) {
        lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
        for (int r = 0; r < kPlainRows; ++r)
          for (int c = 0; c < kPlainColumns; ++c)
            worksheet_write_number(ws, r, static_cast<lxw_col_t>(c), (r + 1) * 1000.25 + c + 1,
                                   nullptr);
      }
      cells = double(kPlainSheets) * kPlainRows * kPlainColumns;
    }
    fill = Seconds(start);
    auto saveStart = Clock::now();
    if (workbook_close(wb) != LXW_NO_ERROR) return 1;
    save = Seconds(saveStart);
  }
  std::printf("%f %f %f\n", fill, save, cells);
  return 0;
}

Result RunChild(const std::string& scenario, const std::string& path) {
  int fds[2];
  if (pipe(fds) != 0) std::exit(2);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    execl("/proc/self/exe", "host_bench", "--child", scenario.c_str(), path.c_str(),
          static_cast<char*>(nullptr));
    _exit(3);
  }
  close(fds[1]);
  std::string out;
  char buf[256];
  ssize_t n;
  while ((n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Result r;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      std::sscanf(out.c_str(), "%lf %lf %lf", &r.fill, &r.save, &r.cells) != 3) {
    std::fprintf(stderr, "%s failed\n", scenario.c_str());
    std::exit(1);
  }
  r.peakMb = usage.ru_maxrss / 1024.0;
  return r;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--child") == 0) return RunScenario(argv[2], argv[3]);
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  std::string dir = std::filesystem::temp_directory_path() / "allelescope-host-bench";
  std::filesystem::create_directories(dir);

  std::printf("%-22s %10s %9s %9s %12s %9s %9s\n", "scenario", "cells", "fill s", "save s",
              "cells/s", "peak MB", "MB file");
  for (const char* base : {"formatted", "plain"}) {
    double hostSave = 0, writerTotal = 0;
    for (const std::string prefix : {"host-", "xlsxwriter-"}) {
      std::string scenario = prefix + base;
      std::string path = dir + "/" + scenario + ".xlsx";
      std::vector<double> fill, save, peak;
      double cells = 0;
      for (int i = 0; i < runs; ++i) {
        std::filesystem::remove(path);
        Result r = RunChild(scenario, path);
        fill.push_back(r.fill);
        save.push_back(r.save);
        peak.push_back(r.peakMb);
        cells = r.cells;
      }
      double f = Median(fill), s = Median(save);
      double size = std::filesystem::file_size(path) / 1048576.0;
      std::printf("%-22s %10.0f %9.3f %9.3f %12.0f %9.1f %9.2f\n", scenario.c_str(), cells, f, s,
                  cells / (f + s), Median(peak), size);
      if (prefix == "host-")
        hostSave = s;
      else
        writerTotal = f + s;
    }
    std::printf("  %s: our save takes %.2fx libxlsxwriter's whole write\n", base,
                hostSave / writerTotal);
  }
  std::filesystem::remove_all(dir);
  return 0;
}
