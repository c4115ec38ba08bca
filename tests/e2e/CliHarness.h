#pragma once
// Runs the `allelescope` program and the independent readers (openpyxl,
// LibreOffice headless) for the end-to-end tests.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace e2e {

inline const std::string kPython = "/usr/bin/python3";  // the one with openpyxl
inline const std::string kScripts = std::string(ALLELESCOPE_SOURCE_DIR) + "/tests/e2e/";

inline std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TempDir {
 public:
  TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "allelescope-e2e-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct Outcome {
  int code = -1;
  std::string out, err;
};

// Runs a shell command line, capturing both output streams.
inline Outcome Shell(const std::string& command) {
  TempDir capture;
  const std::string line = command + " >" + Quote(capture.File("out")) + " 2>" +
                           Quote(capture.File("err")) + " </dev/null";
  const int status = std::system(line.c_str());
  Outcome result;
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadFile(capture.File("out"));
  result.err = ReadFile(capture.File("err"));
  return result;
}

inline Outcome Cli(const std::vector<std::string>& args) {
  std::string command = Quote(ALLELESCOPE_CLI);
  for (const auto& arg : args) command += " " + Quote(arg);
  return Shell(command);
}

inline Outcome Python(const std::string& script, const std::vector<std::string>& args) {
  std::string command = Quote(kPython) + " " + Quote(kScripts + script);
  for (const auto& arg : args) command += " " + Quote(arg);
  return Shell(command);
}

// Loads the workbook in LibreOffice headless (a private profile per run) and
// exports every sheet as CSV. Returns the CSV files, or an error text.
struct OfficeLoad {
  bool ran = false;  // soffice present
  std::string error;
  std::vector<std::filesystem::path> csv;
};

inline OfficeLoad LoadInLibreOffice(const std::string& workbook, const TempDir& outDir) {
  OfficeLoad load;
  if (std::system("command -v soffice >/dev/null 2>&1") != 0) return load;
  load.ran = true;
  TempDir profile;
  const Outcome office =
      Shell("timeout 180 soffice -env:UserInstallation=file://" + profile.Path().string() +
            " --headless --norestore --infilter='Calc MS Excel 2007 XML' --convert-to "
            "'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' "
            "--outdir " +
            Quote(outDir.Path().string()) + " " + Quote(workbook));
  if (office.code != 0) load.error = "soffice ended with " + std::to_string(office.code);
  for (const std::string& text : {office.out, office.err})
    if (text.rfind("Error:", 0) == 0 || text.find("\nError:") != std::string::npos)
      load.error += text;
  for (const auto& entry : std::filesystem::directory_iterator(outDir.Path()))
    if (entry.path().extension() == ".csv") load.csv.push_back(entry.path());
  return load;
}

}  // namespace e2e
