#pragma once
// Runs the `allelescope` program and the scripts of the test tree.
#include <string>
#include <vector>

#include "support/Interop.h"

namespace e2e {

using testsupport::CommandResult;

// In English whatever the caller's locale: the tests hold its output against the catalogue.
inline CommandResult Cli(const std::vector<std::string>& args) {
  std::string command = "env -u LANGUAGE LC_ALL=C " + testsupport::Quote(ALLELESCOPE_CLI);
  for (const auto& arg : args) command += " " + testsupport::Quote(arg);
  return testsupport::RunCommand(command);
}

// A script under tests/ run with the interpreter that has openpyxl.
inline CommandResult Python(const std::string& script, const std::vector<std::string>& args) {
  std::string command =
      "/usr/bin/python3 " +
      testsupport::Quote(std::string(ALLELESCOPE_SOURCE_DIR) + "/tests/" + script);
  for (const auto& arg : args) command += " " + testsupport::Quote(arg);
  return testsupport::RunCommand(command);
}

}  // namespace e2e
