#pragma once
// Packages whose parts expand enormously: small on disk, gigabytes once
// decompressed, written in a moment however large the part.
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A part of `head`, then `block` `repeat` times, then `tail`.
struct RepeatedPart {
  std::string name;
  std::string head, block, tail;
  uint64_t repeat = 0;
};

// Copies the package at `from` to `to` with `part` put in (replacing a part of
// that name). The uncompressed size must stay below 4 GiB.
void WriteWithRepeatedPart(const std::string& from, const std::string& to,
                           const RepeatedPart& part);

}  // namespace testsupport
