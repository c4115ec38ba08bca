#include "app/cli/HelpFormatter.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iterator>
#include <system_error>
#include <vector>

#include "messages/CliTexts.h"
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

// Whether a terminal gives the character two columns: the East Asian wide
// and full-width blocks (kana, kanji, full-width forms, hangul).
bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Marks that Japanese never puts at the start of a line, and at its end.
constexpr std::string_view kClosingMarks[] = {"、", "。", "，", "．", "）", "」", "』",
                                              "】", "：", "；", "！", "？", "ー", "・"};
constexpr std::string_view kOpeningMarks[] = {"（", "「", "『", "【"};

bool OneOf(std::string_view glyph, const auto& marks) {
  return std::find(std::begin(marks), std::end(marks), glyph) != std::end(marks);
}

// Columns a terminal gives the text.
std::size_t Width(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size();) {
    const utf8::Decoded glyph = utf8::DecodeAt(text, i);
    n += IsWide(glyph.character) ? 2 : 1;
    i += glyph.length;
  }
  return n;
}

// What a line may be broken between: words parted by spaces, and each wide
// character on its own, a closing mark kept with what it closes and an
// opening one with what it opens.
struct Piece {
  std::string text;
  std::size_t columns = 0;
  bool spaced = false;  // a space parts it from the piece before
};

std::vector<Piece> Pieces(std::string_view text) {
  std::vector<Piece> pieces;
  bool spaced = false;
  bool joins = false;  // a narrow character belongs to the last piece
  bool opens = false;  // the last piece ends with an opening mark
  for (std::size_t i = 0; i < text.size();) {
    const utf8::Decoded decoded = utf8::DecodeAt(text, i);
    const std::string_view glyph = text.substr(i, decoded.length);
    i += decoded.length;
    if (glyph == " " || glyph == "\t") {
      spaced = true;
      continue;
    }
    const bool wide = IsWide(decoded.character);
    const bool glued =
        !pieces.empty() && !spaced && ((joins && !wide) || opens || OneOf(glyph, kClosingMarks));
    if (!glued) pieces.push_back({{}, 0, spaced});
    pieces.back().text += glyph;
    pieces.back().columns += wide ? 2 : 1;
    joins = !wide;
    opens = OneOf(glyph, kOpeningMarks);
    spaced = false;
  }
  return pieces;
}

// Where a wrapped line continues, in bytes of the line (see WrapLines).
std::size_t HangingIndent(std::string_view line) {
  const std::size_t indent = line.find_first_not_of(' ');
  if (indent == 0 || indent == std::string_view::npos) return 0;
  const std::size_t gap = line.find("  ", indent);
  if (gap == std::string_view::npos) return indent;
  const std::size_t text = line.find_first_not_of(' ', gap);
  return text == std::string_view::npos ? indent : text;
}

void WrapLine(std::string_view line, std::size_t width, std::string& out) {
  const std::string_view head = line.substr(0, HangingIndent(line));
  const std::size_t hang = Width(head);
  std::string current(head);
  std::size_t columns = hang;
  bool empty = true;
  for (const Piece& piece : Pieces(line.substr(head.size()))) {
    if (!empty && columns + (piece.spaced ? 1 : 0) + piece.columns > width) {
      out += current + '\n';
      current.assign(hang, ' ');
      columns = hang;
      empty = true;
    }
    if (!empty && piece.spaced) {
      current += ' ';
      ++columns;
    }
    current += piece.text;
    columns += piece.columns;
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

std::size_t HelpColumns() {
  // Narrower than this, a description would get a few columns beside its name.
  constexpr std::size_t kFewest = kNameColumn + 20;
  if (::isatty(STDOUT_FILENO) != 1) return kHelpColumns;
  std::size_t columns = 0;
  if (const char* env = std::getenv("COLUMNS")) {
    const std::string_view text(env);
    const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), columns);
    if (fault != std::errc() || end != text.data() + text.size()) columns = 0;
  }
  winsize size{};
  if (columns == 0 && ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0) columns = size.ws_col;
  return columns == 0 ? kHelpColumns : std::max(columns, kFewest);
}

HelpFormatter::HelpFormatter(std::size_t columns) : columns_(columns) {
  column_width(kNameColumn);
  // The parser's own words in the help, in the user's language.
  label("Usage", std::string(msg::Text(msg::Cli::HelpUsageLabel)));
  label("OPTIONS", std::string(msg::Text(msg::Cli::HelpOptionsLabel)));
  label("SUBCOMMAND", std::string(msg::Text(msg::Cli::HelpCommandLabel)));
  label("Positionals", std::string(msg::Text(msg::Cli::HelpArgumentsHead)));
  label("REQUIRED", std::string(msg::Text(msg::Cli::HelpRequiredLabel)));
}

std::string HelpFormatter::make_help(const CLI::App* app, std::string name,
                                     CLI::AppFormatMode mode) const {
  if (mode == CLI::AppFormatMode::Sub) return make_expanded(app);
  std::string text = make_usage(app, std::move(name));
  if (const std::string details = Details(*app); !details.empty()) text += "\n" + details + "\n";
  text += make_positionals(app) + make_groups(app, mode) + make_subcommands(app, mode);
  text += "\n" + make_footer(app);
  return WrapLines(text, columns_);
}

std::string HelpFormatter::make_group(std::string group, bool positional,
                                      std::vector<const CLI::Option*> opts) const {
  std::string text = "\n" + group + "\n";
  for (const CLI::Option* opt : opts) text += make_option(opt, positional);
  return text;
}

std::string HelpFormatter::make_subcommands(const CLI::App* app, CLI::AppFormatMode) const {
  std::string text;
  for (const CLI::App* sub : app->get_subcommands({})) text += make_subcommand(sub);
  if (text.empty()) return text;
  return "\n" + std::string(msg::Text(msg::Cli::HelpCommandsHead)) + "\n" + text;
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
