// Writes the translation template (po/allelescope.pot) from the catalogue
// tables, so the template always lists exactly the texts the programs show.
// Run through scripts/update-po.sh.
#include <iostream>
#include <string>
#include <string_view>

#include "messages/Language.h"

namespace {

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\t')
      out += "\\t";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

// A text as a PO file writes it: a text with line breaks is split after
// each, one quoted piece a line, the way msgmerge lays it out.
std::string Quoted(std::string_view text) {
  const auto firstBreak = text.find('\n');
  if (firstBreak == std::string_view::npos || firstBreak + 1 == text.size())
    return '"' + Escaped(text) + '"';
  std::string out = "\"\"";
  while (!text.empty()) {
    const auto cut = text.find('\n');
    const auto piece = cut == std::string_view::npos ? text.size() : cut + 1;
    out += "\n\"" + Escaped(text.substr(0, piece)) + '"';
    text.remove_prefix(piece);
  }
  return out;
}

}  // namespace

int main() {
  std::cout << "# Texts of the AlleleScope window and command line.\n"
               "# \"{}\" marks where a value goes; keep as many in the translation.\n"
               "msgid \"\"\n"
               "msgstr \"\"\n"
               "\"Project-Id-Version: allelescope " ALLELESCOPE_VERSION
               "\\n\"\n"
               "\"MIME-Version: 1.0\\n\"\n"
               "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
               "\"Content-Transfer-Encoding: 8bit\\n\"\n";
  for (std::string_view text : msg::TranslatableTexts())
    std::cout << "\nmsgid " << Quoted(text) << "\nmsgstr \"\"\n";
  return 0;
}
