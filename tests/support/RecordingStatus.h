#pragma once
// Remembers everything a run reported: as the progress of a session's run,
// and as the comment label the layout procedures write to.
#include <string>
#include <string_view>
#include <vector>

#include "app/core/StatusSink.h"
#include "report/Progress.h"

namespace testsupport {

class RecordingStatus : public app::StatusSink, public report::Progress {
 public:
  void SetComment(const std::string& text) override {
    comments.push_back(text);
    lastComment = text;
  }
  void Stage(std::string_view text) override { stages.emplace_back(text); }
  void Comment(std::string_view text) override { SetComment(std::string(text)); }

  std::vector<std::string> stages, comments;
  std::string lastComment;
};

}  // namespace testsupport
