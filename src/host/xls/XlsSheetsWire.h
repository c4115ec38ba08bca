#pragma once
// The sheets of a legacy workbook as the child process that
// read them sends them to the program, which never reads the file itself:
// names and values, rows ascending and columns ascending within a row.
#include <string>
#include <string_view>

#include "host/Workbook.h"

namespace host::xls {

std::string EncodeSheets(const Workbook& book);

// Appends the sheets of `bytes` to `book`. Throws HostError("Open", path, ...)
// for bytes that are not such sheets (names not legal and distinct as the
// child makes them included), and for sheets past the read limits.
void DecodeSheets(std::string_view bytes, Workbook& book, const std::string& path);

}  // namespace host::xls
