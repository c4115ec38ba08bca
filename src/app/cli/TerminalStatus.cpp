#include "app/cli/TerminalStatus.h"

namespace cli {

namespace {
// Redrawing the progress line more often than this costs more than it tells.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
}  // namespace

TerminalStatus::TerminalStatus(std::ostream& err, bool interactive)
    : err_(err), interactive_(interactive) {}

TerminalStatus::~TerminalStatus() { ClearProgress(); }

void TerminalStatus::ClearProgress() {
  if (!progressShown_) return;
  err_ << "\r\x1b[K" << std::flush;
  progressShown_ = false;
}

void TerminalStatus::SetMessage(const std::string& text) {
  lastMessage_ = text;
  if (!running_) return;
  ClearProgress();
  err_ << text << '\n' << std::flush;
}

void TerminalStatus::SetComment(const std::string& text) {
  if (!running_ || !interactive_ || text.empty()) return;
  const auto now = std::chrono::steady_clock::now();
  if (progressShown_ && now - lastProgress_ < kProgressInterval) return;
  lastProgress_ = now;
  err_ << "\r\x1b[K  " << text << std::flush;
  progressShown_ = true;
}

void TerminalStatus::ShowClosingMessage(const std::string& text) { closingMessage_ = text; }

void TerminalStatus::SetSheetList(const std::vector<std::string>&) {
  ClearProgress();
  running_ = false;
}

std::vector<std::string> MessageLines(const std::string& message) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : message) {
    if (c == '\r' || c == '\n') {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace cli
