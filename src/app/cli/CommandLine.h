#pragma once
// The program's command line as users expect of a Unix tool: help and the
// version on standard output; a usage fault named on standard error with the
// program's prefix, a hint where to read more, and exit status 2.
#include <CLI/CLI.hpp>
#include <iosfwd>
#include <optional>
#include <string_view>

namespace cli {

// The program's own options, help layout and footer; before any command is added,
// since commands inherit them.
void SetUpProgram(CLI::App& root);

// Empty when a command was chosen and its arguments are in place; otherwise
// the exit status, after the help, the version or a usage fault was printed.
std::optional<int> ParseCommandLine(CLI::App& root, int argc, char** argv, std::ostream& out,
                                    std::ostream& err);

// Prints a usage fault and where to read more (the command's help, or the
// program's when `command` is null); returns kUsage.
int UsageFault(std::ostream& err, std::string_view text, const CLI::App* command);

}  // namespace cli
