#include "app/cli/HelpFormatter.h"

#include <sstream>
#include <vector>

#include "text/Utf8.h"

namespace cli {
namespace {

// Where descriptions start; wide enough for "-o,--output FILE REQUIRED".
constexpr std::size_t kNameColumn = 30;

// A command's description is its summary line, a blank line and the details:
// the list of commands shows the summary, the command's own help the details.
constexpr std::string_view kDetails = "\n\n";

std::string Summary(const CLI::App& app) {
  const std::string description = app.get_description();
  return description.substr(0, description.find(kDetails));
}

std::string Details(const CLI::App& app) {
  const std::string description = app.get_description();
  const std::size_t split = description.find(kDetails);
  if (app.get_parent() == nullptr || split == std::string::npos) return description;
  return description.substr(split + kDetails.size());
}

// Columns a terminal gives the text: one per character, not per byte.
std::size_t Width(std::string_view text) { return utf8::Count(text); }

// The column a wrapped line continues at (see WrapLines).
std::size_t HangingIndent(std::string_view line) {
  const std::size_t indent = line.find_first_not_of(' ');
  if (indent == 0 || indent == std::string_view::npos) return 0;
  const std::size_t gap = line.find("  ", indent);
  if (gap == std::string_view::npos) return indent;
  const std::size_t text = line.find_first_not_of(' ', gap);
  return text == std::string_view::npos ? indent : text;
}

void WrapLine(std::string_view line, std::size_t width, std::string& out) {
  const std::size_t hang = HangingIndent(line);
  std::string current(line.substr(0, hang));
  bool empty = true;
  std::istringstream words{std::string(line.substr(hang))};
  for (std::string word; words >> word;) {
    if (!empty && Width(current) + 1 + Width(word) > width) {
      out += current + '\n';
      current.assign(hang, ' ');
      empty = true;
    }
    current += (empty ? "" : " ") + word;
    empty = false;
  }
  out += current + '\n';
}

}  // namespace

std::string WrapLines(std::string_view text, std::size_t width) {
  std::string out;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (Width(line) <= width)
      out.append(line).push_back('\n');
    else
      WrapLine(line, width, out);
    if (end == std::string_view::npos) {
      out.pop_back();  // the text had no newline at its end
      break;
    }
    text.remove_prefix(end + 1);
  }
  return out;
}

HelpFormatter::HelpFormatter() {
  column_width(kNameColumn);
  label("SUBCOMMAND", "COMMAND");
}

std::string HelpFormatter::make_help(const CLI::App* app, std::string name,
                                     CLI::AppFormatMode mode) const {
  if (mode == CLI::AppFormatMode::Sub) return make_expanded(app);
  std::string text = make_usage(app, std::move(name));
  if (const std::string details = Details(*app); !details.empty()) text += "\n" + details + "\n";
  text += make_positionals(app) + make_groups(app, mode) + make_subcommands(app, mode);
  text += "\n" + make_footer(app);
  return WrapLines(text, kHelpColumns);
}

std::string HelpFormatter::make_subcommand(const CLI::App* sub) const {
  return Entry(sub->get_name(), Summary(*sub));
}

std::string HelpFormatter::make_option(const CLI::Option* opt, bool positional) const {
  return Entry(make_option_name(opt, positional) + make_option_opts(opt), make_option_desc(opt));
}

// "  NAME  description", the description in its column; a name too wide for
// the column gets a line of its own, so two spaces always part the two.
std::string HelpFormatter::Entry(const std::string& name, std::string_view description) const {
  std::string line = "  " + name;
  if (description.empty()) return line + '\n';
  if (Width(line) + 2 > kNameColumn)
    line += '\n' + std::string(kNameColumn, ' ');
  else
    line.append(kNameColumn - Width(line), ' ');
  return line.append(description) + '\n';
}

}  // namespace cli
