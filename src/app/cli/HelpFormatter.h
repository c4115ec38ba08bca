#pragma once
// The help of `allelescope` and its commands as a terminal shows it: the usage
// line first, then what the command does, its arguments and options, every
// line wrapped to the terminal's width, all in the user's language.
#include <CLI/CLI.hpp>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The width when standard output is no terminal, or one that does not say.
inline constexpr std::size_t kHelpColumns = 80;

// The columns of the terminal that standard output writes to (COLUMNS, else
// what the terminal says), never fewer than the description column needs;
// kHelpColumns when it is no terminal (a pipe, a file).
std::size_t HelpColumns();

class HelpFormatter : public CLI::Formatter {
 public:
  explicit HelpFormatter(std::size_t columns = kHelpColumns);
  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override;
  // Headings as the catalogue has them, colon included.
  std::string make_group(std::string group, bool positional,
                         std::vector<const CLI::Option*> opts) const override;
  std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const override;
  // In the list of commands only the summary of each.
  std::string make_subcommand(const CLI::App* sub) const override;
  std::string make_option(const CLI::Option* opt, bool positional) const override;

 private:
  std::string Entry(const std::string& name, std::string_view description) const;

  std::size_t columns_;
};

// `text` with each line wider than `width` columns broken between words, or
// between two Japanese characters (a wide character takes two columns; no
// line starts with a closing mark). A continuation keeps the line's indent,
// or for an entry ("  NAME  text") the column its text starts at, so wrapped
// descriptions stay in their column.
std::string WrapLines(std::string_view text, std::size_t width);

}  // namespace cli
