#pragma once
// Helpers for tests that check our workbooks with independent software:
// Debian's Python with openpyxl and LibreOffice headless.
#include <string>
#include <vector>

namespace testsupport {

struct CommandResult {
  int exitCode = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// The argument in single quotes for the shell.
std::string Quote(const std::string& s);

// Runs a shell command (no standard input) and captures both output streams.
CommandResult RunCommand(const std::string& command);

// Runs `script` with /usr/bin/python3 (the interpreter that has openpyxl) and
// the given arguments. The script's standard output is returned as text;
// scripts that print JSON can be compared line by line.
CommandResult RunPython(const std::string& script, const std::vector<std::string>& args = {});

bool HaveOpenpyxl();
bool HaveLibreOffice();

// Converts a workbook with LibreOffice headless, using a private profile so
// parallel runs do not collide. `format` is "csv" (every sheet, raw values,
// files named <base>-<sheet>.csv), "csv-shown" (the same with each cell's text
// as its number format shows it), "pdf" (every sheet as printed) or "xlsx". ok is false when
// LibreOffice printed "Error:" or wrote nothing; log holds its output.
struct Conversion {
  bool ok = false;
  std::string log;
  std::vector<std::string> files;  // written files, sorted
};
Conversion ConvertWithLibreOffice(const std::string& input, const std::string& outDir,
                                  const std::string& format);

std::string ReadFileBytes(const std::string& path);
// The names of the entries of a folder, sorted.
std::vector<std::string> FileNames(const std::string& dir);
void WriteFileBytes(const std::string& path, const std::string& data);

// A fresh folder under /tmp, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace testsupport
