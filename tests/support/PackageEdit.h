#pragma once
// Reading and replacing single parts of a package, to give tests damaged or
// unusual parts inside an otherwise sound workbook.
#include <string>

namespace testsupport {

// Replaces (or adds) one part of a package; a failure fails the test.
void ReplacePart(const std::string& path, const std::string& name, const std::string& content);
// The bytes of one part of a package, empty if it has none of that name.
std::string PartText(const std::string& path, const std::string& name);

}  // namespace testsupport
