#include "app/cli/TerminalProgress.h"

namespace cli {

namespace {
// Redrawing the progress line more often than this costs more than it tells.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
}  // namespace

TerminalProgress::TerminalProgress(std::ostream& err, bool interactive)
    : err_(err), interactive_(interactive) {}

TerminalProgress::~TerminalProgress() { ClearProgress(); }

void TerminalProgress::ClearProgress() {
  if (!progressShown_) return;
  err_ << "\r\x1b[K" << std::flush;
  progressShown_ = false;
}

void TerminalProgress::Stage(std::string_view text) {
  ClearProgress();
  err_ << text << '\n' << std::flush;
}

void TerminalProgress::Comment(std::string_view text) {
  if (!interactive_ || text.empty()) return;
  const auto now = std::chrono::steady_clock::now();
  if (progressShown_ && now - lastProgress_ < kProgressInterval) return;
  lastProgress_ = now;
  err_ << "\r\x1b[K  " << text << std::flush;
  progressShown_ = true;
}

}  // namespace cli
