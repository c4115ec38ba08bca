#pragma once
// The lines and CSV fields of an imported text, with what every reader
// checks first: an empty file, or one that is not text, is refused before any
// parsing.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

// The lines of a text one at a time, without their ends: "\n", "\r\n" or the
// lone "\r" of old Mac files. Reading them one at a time keeps the memory of
// an import to what its table holds, whatever the number of blank lines.
class TextLines {
 public:
  // Throws ImportError for an empty file (a byte-order mark and blanks at
  // most) or one that is not UTF-8 text a workbook can hold.
  explicit TextLines(std::string_view text);

  // The next line into `line`; false after the last.
  bool Next(std::string_view& line);
  // The number of the line Next gave last, from 1.
  int Number() const { return number_; }

 private:
  std::string_view rest_;
  int number_ = 0;
};

// `text` without a leading UTF-8 byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view text);

// One CSV row: fields split at the delimiter, "quoted" fields with "" for a quote.
struct CsvRow {
  std::vector<std::string> fields;  // the first `keep` of them
  size_t count = 0;                 // all fields
  size_t used = 0;    // up to the last one not blank, at least 1: spreadsheets pad rows
  bool blank = true;  // every field blank: a row of bare commas is a padding row
};

// Splits `line`, keeping at most `keep` fields: a row of a million commas
// takes no memory beyond the fields its table has room for.
CsvRow SplitCsv(std::string_view line, size_t keep, char delimiter = ',');

// The delimiter of a CSV by its first line: a comma, or the semicolon that
// spreadsheets write under many European locales, or a tab, whichever stands
// most often outside quotes (a comma when none does).
char CsvDelimiter(std::string_view firstLine);

std::string_view Trim(std::string_view s);

// A whole number (optional minus, digits only) within the int16 range of a size.
std::optional<int> WholeNumber(std::string_view s);
inline bool IsWholeNumber(std::string_view s) { return WholeNumber(s).has_value(); }

// A count (digits only) of any size: one past what a size holds reads as the
// largest size, so that a count too large for a sheet is told as such.
std::optional<size_t> Count(std::string_view s);

}  // namespace exchange
