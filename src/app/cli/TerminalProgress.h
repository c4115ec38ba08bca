#pragma once
// A run's progress on a terminal: stage texts as lines on standard error, the
// running detail as one rewritten line when standard error is a terminal.
#include <chrono>
#include <ostream>
#include <string_view>

#include "app/core/Session.h"

namespace cli {

class TerminalProgress : public app::Progress {
 public:
  TerminalProgress(std::ostream& err, bool interactive);
  ~TerminalProgress() override;
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  void Stage(std::string_view text) override;
  void Comment(std::string_view text) override;
  // Ends a progress line so the next output starts on a clean line.
  void ClearProgress();

 private:
  std::ostream& err_;
  bool interactive_;
  bool progressShown_ = false;
  std::chrono::steady_clock::time_point lastProgress_{};
};

}  // namespace cli
