#include "support/Interop.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {

namespace fs = std::filesystem;

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

TempDir::TempDir() {
  char pattern[] = "/tmp/allelescope-test-XXXXXX";
  if (!::mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // A test may have left the folder read-only.
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> FileNames(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void WriteFileBytes(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << data;
  if (!out) throw std::runtime_error("cannot write " + path);
}

CommandResult RunCommand(const std::string& command) {
  TempDir dir;
  std::string outPath = dir.File("out"), errPath = dir.File("err");
  std::string full =
      "( " + command + " ) >" + Quote(outPath) + " 2>" + Quote(errPath) + " </dev/null";
  int status = std::system(full.c_str());
  CommandResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadFileBytes(outPath);
  r.err = ReadFileBytes(errPath);
  return r;
}

CommandResult RunPython(const std::string& script, const std::vector<std::string>& args) {
  TempDir dir;
  std::string scriptPath = dir.File("script.py");
  WriteFileBytes(scriptPath, script);
  std::string command = "/usr/bin/python3 " + Quote(scriptPath);
  for (const auto& a : args) command += " " + Quote(a);
  return RunCommand(command);
}

bool HaveOpenpyxl() {
  static const bool have = RunCommand("/usr/bin/python3 -c 'import openpyxl'").exitCode == 0;
  return have;
}

bool HaveLibreOffice() {
  static const bool have = RunCommand("command -v soffice").exitCode == 0;
  return have;
}

Conversion ConvertWithLibreOffice(const std::string& input, const std::string& outDir,
                                  const std::string& format) {
  TempDir profile;
  fs::create_directories(outDir);
  // "csv-shown" writes each cell's text as its number format shows it.
  const bool shown = format == "csv-shown";
  const std::string extension = shown ? "csv" : format;
  std::string filter =
      format == "csv"
          ? "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"
      : shown ? "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1"
      : format == "pdf" ? "pdf:calc_pdf_Export"
                        : "xlsx:Calc MS Excel 2007 XML";
  std::string command = "timeout 180 soffice -env:UserInstallation=file://" + profile.Path() +
                        " --headless --norestore --infilter=" + Quote("Calc MS Excel 2007 XML") +
                        " --convert-to " + Quote(filter) + " --outdir " + Quote(outDir) + " " +
                        Quote(input);
  CommandResult r = RunCommand(command);
  Conversion c;
  c.log = r.out + r.err;
  for (const auto& e : fs::directory_iterator(outDir)) {
    std::string ext = e.path().extension().string();
    if (ext == "." + extension) c.files.push_back(e.path().string());
  }
  std::sort(c.files.begin(), c.files.end());
  bool error = c.log.find("\nError:") != std::string::npos || c.log.rfind("Error:", 0) == 0;
  c.ok = !error && !c.files.empty();
  return c;
}

}  // namespace testsupport
