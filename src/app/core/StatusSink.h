#pragma once
// The comment label as the layout procedures still report to it through
// host::RunContext. Front ends hear a run through report::Progress instead.
#include <string>

namespace app {

class StatusSink {
 public:
  virtual ~StatusSink() = default;
  virtual void SetComment(const std::string& text) = 0;
};

// Does nothing; for callers that need no report.
class NullStatus : public StatusSink {
 public:
  void SetComment(const std::string&) override {}
};

}  // namespace app
