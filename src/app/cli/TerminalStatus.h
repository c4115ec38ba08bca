#pragma once
// The session's status reports on a terminal: stage texts as lines on
// standard error, the running detail as one rewritten progress line when
// standard error is a terminal.
#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "app/core/StatusSink.h"

namespace cli {

class TerminalStatus : public app::StatusSink {
 public:
  TerminalStatus(std::ostream& err, bool interactive);
  ~TerminalStatus() override;

  // Stage texts are echoed only during a run: the window's prompts ("choose a
  // file", "choose a sheet") mean nothing on a command line. The run ends with
  // the reopen of the saved workbook, which lists its sheets again.
  void BeginRun() { running_ = true; }

  void SetMessage(const std::string& text) override;
  void SetComment(const std::string& text) override;
  void ShowClosingMessage(const std::string& text) override;
  void SetSheetList(const std::vector<std::string>& names) override;
  void SetStartEnabled(bool enabled) override { startEnabled_ = enabled; }
  void SetOptions(bool, bool, bool, bool) override {}

  const std::string& LastMessage() const { return lastMessage_; }
  const std::string& ClosingMessage() const { return closingMessage_; }
  // Ends a progress line so the next output starts on a clean line.
  void ClearProgress();

 private:
  std::ostream& err_;
  bool interactive_;
  bool running_ = false;
  bool progressShown_ = false;
  bool startEnabled_ = false;
  std::chrono::steady_clock::time_point lastProgress_{};
  std::string lastMessage_;
  std::string closingMessage_;
};

// The closing message's lines: it ends each with a carriage return.
std::vector<std::string> MessageLines(const std::string& message);

}  // namespace cli
