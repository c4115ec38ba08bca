#pragma once
// Writing a command's text output (an export) to the file the user named.
#include <iosfwd>
#include <string>
#include <string_view>

namespace cli {

// Whether `path` is a pipe, a terminal or a name for one of the process's
// streams (/dev/stdout, /proc/self/fd/1, even when the shell sent it to a
// file): written as it is, never replaced.
bool NamesAStream(const std::string& path);

// Writes all of `text` to `fd`, a short write followed by the rest; throws
// std::runtime_error with the reason when it cannot.
void WriteAll(int fd, std::string_view text);

// Writes `text` to `path`: a regular file (or a new one) is replaced whole,
// through its links, so that it is either the old or the complete new file
// whatever happens; a pipe or terminal (-o /dev/stdout) is written as it is.
// A file that holds a workbook is never replaced. A message on `err` and
// false when nothing was written.
bool WriteTextFile(const std::string& path, const std::string& text, std::ostream& err);

}  // namespace cli
