#pragma once
// The lines and CSV fields of an imported text, with what every reader
// checks first: an empty or binary file is refused before any parsing.
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

// Lines without their end ("\n" or "\r\n"); throws ImportError for an empty
// file or one that is not UTF-8 text.
std::vector<std::string_view> TextLines(std::string_view text);

// One CSV row: fields split at commas, "quoted" fields with "" for a quote.
std::vector<std::string> CsvFields(std::string_view line);

std::string_view Trim(std::string_view s);

// A whole number (optional sign, digits only) within the int16 range of a size.
bool IsWholeNumber(std::string_view s);

}  // namespace exchange
