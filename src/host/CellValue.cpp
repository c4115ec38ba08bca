#include "host/CellValue.h"

#include <cmath>
#include <cstdio>

namespace host {

std::string GeneralNumberText(double d) {
  // A spreadsheet cell never holds NaN or infinity; show what a formula would.
  if (!std::isfinite(d)) return "#NUM!";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", d);
  std::string text(buffer);
  if (text == "-0") return "0";
  return text;
}

std::string ValueText(const CellValue& v) {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(double d) const { return GeneralNumberText(d); }
    std::string operator()(const std::string& s) const { return s; }
    std::string operator()(bool b) const { return b ? "TRUE" : "FALSE"; }
    std::string operator()(const ErrorValue& e) const { return e.text; }
  };
  return std::visit(Visitor{}, v);
}

}  // namespace host
