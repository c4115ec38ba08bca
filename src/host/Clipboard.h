#pragma once
// What Copy put on the host clipboard: values and formats of a rectangle.
#include <vector>

#include "host/CellValue.h"

namespace host {

class Workbook;

struct ClipboardContent {
  int rows = 0, columns = 0;
  std::vector<CellValue> values;  // row-major
  std::vector<int> styles;        // row-major xf indexes of the source workbook
  const Workbook* sourceBook = nullptr;
};

}  // namespace host
