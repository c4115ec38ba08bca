#pragma once
// Remembers everything a run reported: its stages and its comments.
#include <string>
#include <string_view>
#include <vector>

#include "report/Progress.h"

namespace testsupport {

class RecordingStatus : public report::Progress {
 public:
  void Stage(std::string_view text) override { stages.emplace_back(text); }
  void Comment(std::string_view text) override { comments.emplace_back(text); }

  std::vector<std::string> stages, comments;
};

}  // namespace testsupport
