#pragma once
// The help of `allelescope` and its commands as a terminal shows it: the usage
// line first, then what the command does, its arguments and options, every
// line wrapped to 80 columns.
#include <CLI/CLI.hpp>
#include <cstddef>
#include <string>
#include <string_view>

namespace cli {

inline constexpr std::size_t kHelpColumns = 80;

class HelpFormatter : public CLI::Formatter {
 public:
  HelpFormatter();
  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override;
  // In the list of commands only the summary of each.
  std::string make_subcommand(const CLI::App* sub) const override;
  std::string make_option(const CLI::Option* opt, bool positional) const override;

 private:
  std::string Entry(const std::string& name, std::string_view description) const;
};

// `text` with each line longer than `width` characters broken between words.
// A continuation keeps the line's indent, or for an entry ("  NAME  text") the
// column its text starts at, so wrapped descriptions stay in their column.
std::string WrapLines(std::string_view text, std::size_t width);

}  // namespace cli
