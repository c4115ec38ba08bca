#pragma once
// Making a new workbook from another program's genotype file.
#include <cstddef>
#include <optional>
#include <string>

#include "app/core/Failure.h"
#include "exchange/ImportFormat.h"
#include "exchange/TextEncoding.h"

namespace app {

using ImportKind = exchange::ImportKind;
// A malformed input: the line it was found on and the reason.
using ImportError = exchange::ImportError;
// Whether an encoding named by the user is one an import can read.
using exchange::KnownEncoding;

// The largest file an import reads: as much text as a workbook may hold
// (the read limits' text budget), far beyond any real genotype file.
inline constexpr std::size_t kMaxImportBytes = std::size_t(256) << 20;

struct ImportReport {
  int varieties = 0;
  int markers = 0;
};

// Reads `input` (of `kind`, or the kind its name and first row suggest; in
// `encoding`, or UTF-8 or UTF-16 by its byte-order mark when that is empty)
// and writes the workbook `output`, which must not exist yet. Nothing is written
// when the input is malformed (exchange::ImportError, with its line), cannot
// be read (not a regular file, larger than kMaxImportBytes), does not fit a
// sheet, or `output` exists (std::runtime_error with the user's text).
ImportReport ImportFile(const std::string& input, const std::string& output,
                        std::optional<ImportKind> kind, const std::string& encoding = {});

}  // namespace app
