#pragma once
// Reads a sheet part given as text, as the package reader streams it.
#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>

#include "host/xlsx/SharedStrings.h"
#include "host/xlsx/SheetExtra.h"
#include "host/xlsx/SheetReader.h"

namespace testsupport {

// Parses `xml` into `sheet` and `extra`, the source giving at most `step`
// bytes a call, with no shared strings.
inline void ReadSheetText(const std::string& xml, host::Worksheet& sheet,
                          host::xlsx::XlsxSheetExtra& extra, host::ReadBudget& budget,
                          size_t step = std::numeric_limits<size_t>::max()) {
  host::xlsx::SharedStringTable strings;
  size_t at = 0;
  host::xlsx::ReadSheet(
      [&](char* buffer, size_t size) {
        const size_t n = std::min({size, step, xml.size() - at});
        xml.copy(buffer, n, at);
        at += n;
        return n;
      },
      strings, sheet, extra, budget);
}

}  // namespace testsupport
