#pragma once
// The read of a legacy workbook in a child process under a memory bound; its
// outcome and the sheets it read come back over a pipe.
#include <string>
#include <string_view>

#include "host/xls/XlsImport.h"

namespace host::xls {

// Reads `path` with `reader` in a child process bounded in memory and in
// processor time (the tests use a shorter bound); kRefused with the reason
// when no child can be made.
LegacyRead ReadInChild(const std::string& path, LegacyReader reader = ReadLegacyFile,
                       int cpuSeconds = kMaxLegacyReadSeconds);

// The outcome, then the error's parts each ended by a NUL, which no path or
// message holds, then the sheets. Bytes that are not such an outcome (none:
// the reader died before it answered) decode as kCrashed.
std::string EncodeLegacyRead(const LegacyRead& read);
LegacyRead DecodeLegacyRead(std::string_view bytes);

}  // namespace host::xls
