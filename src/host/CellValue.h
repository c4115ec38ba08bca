#pragma once
// A cell's value as the procedures see it. Text is UTF-8.
#include <string>
#include <variant>

namespace host {

struct ErrorValue {
  std::string text;  // "#N/A", "#DIV/0!" ...
  bool operator==(const ErrorValue&) const = default;
};

// monostate = empty cell. Numbers are always doubles, as in the file format.
using CellValue = std::variant<std::monostate, double, std::string, bool, ErrorValue>;

inline bool IsEmpty(const CellValue& v) { return std::holds_alternative<std::monostate>(v); }

// The text the spreadsheet's General format shows for a number: up to 15
// significant digits, trailing zeros dropped, E notation for exponents >= 15
// or < -4 (180 -> "180", 0.1+0.2 -> "0.3", 1e15 -> "1E+15", -0 -> "0").
std::string GeneralNumberText(double d);

// A value read "as text": empty -> "", number -> GeneralNumberText,
// bool -> "TRUE"/"FALSE", error -> its text, text -> itself.
std::string ValueText(const CellValue& v);

}  // namespace host
