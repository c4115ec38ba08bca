#pragma once
// Runs the `allelescope` program and the scripts of the test tree.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/CliTexts.h"
#include "messages/InterfaceTexts.h"
#include "support/Interop.h"

namespace e2e {

using testsupport::CommandResult;
using testsupport::TempDir;

inline std::string Says(msg::Ui id) { return std::string(msg::Text(id)); }
inline std::string Says(msg::Cli id) { return std::string(msg::Text(id)); }
inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// In English whatever the caller's locale, run in `dir` when one is given
// (paths through /proc/self/cwd then lead there); `head` and `tail` stand
// before and after it on the shell's command line (a limit, a redirection).
inline CommandResult CliIn(const std::string& dir, const std::vector<std::string>& args,
                           const std::string& tail = "", const std::string& head = "") {
  std::string command = head + (dir.empty() ? "" : "cd " + testsupport::Quote(dir) + " && ") +
                        "exec env -u LANGUAGE LC_ALL=C " + testsupport::Quote(ALLELESCOPE_CLI);
  for (const auto& arg : args) command += " " + testsupport::Quote(arg);
  return testsupport::RunCommand(command + tail);
}
inline CommandResult Cli(const std::vector<std::string>& args) { return CliIn("", args); }

// A line of `sheets`: the name, what choosing it says, the gloss.
template <typename Message>
std::string Listed(const std::string& sheet, Message message, msg::Cli gloss) {
  return sheet + "\t" + Says(message) + "\t" + Says(gloss) + "\n";
}

// A script under tests/ run with the interpreter that has openpyxl.
inline CommandResult Python(const std::string& script, const std::vector<std::string>& args) {
  std::string command =
      "/usr/bin/python3 " +
      testsupport::Quote(std::string(ALLELESCOPE_SOURCE_DIR) + "/tests/" + script);
  for (const auto& arg : args) command += " " + testsupport::Quote(arg);
  return testsupport::RunCommand(command);
}

// `dir`/NAME.xlsx imported from the CSV `table`.
inline std::string Imported(const TempDir& dir, const std::string& table,
                            const std::string& name = "t") {
  testsupport::WriteFileBytes(dir.File(name + ".csv"), table);
  EXPECT_EQ(Cli({"import", dir.File(name + ".csv"), "-o", dir.File(name + ".xlsx")}).exitCode, 0);
  return dir.File(name + ".xlsx");
}

// A copy in `dir` of a file of the source tree.
inline std::string CopyOf(const TempDir& dir, const std::string& relative) {
  const std::string path = dir.File(relative.substr(relative.rfind('/') + 1));
  testsupport::WriteFileBytes(
      path, testsupport::ReadFileBytes(std::string(ALLELESCOPE_SOURCE_DIR) + "/" + relative));
  return path;
}

}  // namespace e2e
