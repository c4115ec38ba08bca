#pragma once
// How the session reports to its front end: the window implements it with
// widgets, the command line with terminal output, tests with a recorder.
#include <string>
#include <vector>

namespace app {

class StatusSink {
 public:
  virtual ~StatusSink() = default;
  virtual void SetMessage(const std::string& text) = 0;  // lblMessage
  virtual void SetComment(const std::string& text) = 0;  // lblComment (progress details)
  // The closing message box (title "AlleleScope", OK only); returns when closed.
  virtual void ShowClosingMessage(const std::string& text) = 0;
  virtual void SetSheetList(const std::vector<std::string>& names) = 0;  // lstSheet
  // Start, and the three options: enabled state and tick.
  virtual void SetStartEnabled(bool enabled) = 0;
  virtual void SetOptions(bool enabled, bool zoo, bool combination, bool ukai) = 0;
};

// Does nothing; for callers that need no report.
class NullStatus : public StatusSink {
 public:
  void SetMessage(const std::string&) override {}
  void SetComment(const std::string&) override {}
  void ShowClosingMessage(const std::string&) override {}
  void SetSheetList(const std::vector<std::string>&) override {}
  void SetStartEnabled(bool) override {}
  void SetOptions(bool, bool, bool, bool) override {}
};

}  // namespace app
