#pragma once
// Hooks for tests of the package backend: failures that are hard to cause
// for real, and counters that show what the backend did.
#include <string>

namespace host::xlsx::testing {

// Makes the next save fail after its temporary file is written, the way a full
// disk or a lost device would; the save must then leave the target untouched.
void FailNextSave(const std::string& reason);
// Sheet parts parsed since the program started.
int SheetsParsed();

}  // namespace host::xlsx::testing
