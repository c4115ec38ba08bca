#pragma once
// Writing a command's text output (an export) to the file the user named, and
// telling what a path the user named leads to.
#include <optional>
#include <string>
#include <string_view>

namespace app {

// Whether `path`, as spelt or where its links lead, has a workbook's
// extension (.xlsx, .xlsm, .xls): a text written there would pass for a
// workbook that no spreadsheet program opens.
bool NamesAWorkbook(const std::string& path);

// Whether `path` leads to what this process's standard output writes to (the
// same file, pipe or terminal, by any name: /dev/stdout, /proc/self/fd/1).
bool IsStandardOutput(const std::string& path);

// Writes all of `text` to `fd`, a short write followed by the rest; throws
// std::runtime_error with the reason when it cannot.
void WriteAll(int fd, std::string_view text);

// Writes `text` to `path`, decided by the file the path leads to, never by
// its spelling. A regular file (or a new one) is replaced whole, through its
// links, so that it is either the old or the complete new file whatever
// happens, and one that holds a workbook is refused. Standard output or
// error is written as the shell opened it (">>" adds to a log); a terminal,
// pipe or character device is opened and written. A folder, disk or socket is
// refused. When nothing was written, the message that says why.
std::optional<std::string> WriteTextFile(const std::string& path, const std::string& text);

// The extension of `path` in lower case, with its dot (".xlsx").
std::string LowerExtension(const std::string& path);

// Whether two paths lead to one file: decided by the file, so "./book.xlsx",
// a link or a hard link count as the same.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace app
