#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "report/Formatting.h"

namespace report {

namespace {

// Row offsets are 16-bit; a table that would need more rows than that is a
// caller's error, reported rather than wrapped round.
int16_t ToInt16(int value, const char* what) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
    throw std::overflow_error(std::string(what) + " " + std::to_string(value) +
                              " does not fit in 16 bits");
  }
  return static_cast<int16_t>(value);
}

// Int() of the quotient: rounds down, also for negative numerators.
int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

}  // namespace

void FillBandedCell(host::Worksheet& sheet, int i, int j, Palette colour, int varietyCount) {
  constexpr int kBandWidth = 250;
  // Tables wider than a band continue below, varietyCount + 2 rows further down.
  const int16_t r = ToInt16(FloorDiv(j - 1, kBandWidth) * (varietyCount + 2) + i, "row offset");
  const int16_t c = ToInt16((j - 1) % kBandWidth + 1, "column offset");
  FillCell(Anchor(sheet).Offset(r, c), colour);
}

}  // namespace report
