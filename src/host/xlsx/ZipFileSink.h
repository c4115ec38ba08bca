#pragma once
// A new archive written straight into an open file. Given a path, libzip
// writes its own named temporary file beside it and renames it at the end,
// which a killed process leaves behind; given the descriptor of a file we
// made (see AtomicFile), it writes into that file and nowhere else.
#include <string>

#include "host/xlsx/Zip.h"

namespace host::xlsx {

// An empty archive whose Commit writes into `fd` from its start (the file is
// emptied first); the descriptor stays the caller's. On failure returns null
// with libzip's reason in `reason`.
ZipPtr CreateZipInFile(int fd, std::string& reason);

}  // namespace host::xlsx
