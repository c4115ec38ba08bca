#pragma once
// How a run tells its front end where it is: the stage (the message label)
// and the details within it (the comment label). Front ends throttle repaints.
#include <string_view>

namespace report {

class Progress {
 public:
  virtual ~Progress() = default;
  virtual void Stage(std::string_view text) = 0;
  virtual void Comment(std::string_view text) = 0;
};

// For callers that want no report.
class NoProgress : public Progress {
 public:
  void Stage(std::string_view) override {}
  void Comment(std::string_view) override {}
};

}  // namespace report
