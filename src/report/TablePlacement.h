#pragma once
// Whether a source sheet holds its table where a run reads it, and where the
// filled cells suggest the user put it instead. The usual first mistake is a
// table whose heads stand in row 1 and whose names stand in column A.
#include <optional>
#include <string>

#include "host/Host.h"

namespace report {

struct TablePlacement {
  bool hasMarkers = false;    // a marker name right of the corner
  bool hasVarieties = false;  // a variety name below the corner
  // The corner of a table found elsewhere on the sheet ("A1"), when the
  // expected places hold nothing of it.
  std::optional<std::string> seemsAt;

  bool Readable() const { return hasMarkers && hasVarieties; }
};

// Checks the names next to the table's corner; only when one is missing are
// the sheet's cells searched for the corner of a table elsewhere.
TablePlacement CheckTablePlacement(host::Worksheet& source);

}  // namespace report
