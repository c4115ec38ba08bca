#pragma once
// docProps/app.xml, the document properties: its lists of sheet names.
#include <string>
#include <vector>

namespace host::xlsx {

// Keeps HeadingPairs and TitlesOfParts of docProps/app.xml in step with the
// sheet names; when the lists cannot be matched both are removed, which
// readers accept, rather than leaving counts that disagree.
std::string UpdateAppProperties(const std::string& xml, const std::vector<std::string>& oldNames,
                                const std::vector<std::string>& newNames);

}  // namespace host::xlsx
