#pragma once
// A StatusSink that remembers everything the run or the session reported.
#include <string>
#include <vector>

#include "app/core/StatusSink.h"

namespace testsupport {

struct OptionState {
  bool enabled = false, zoo = false, combination = false, ukai = false;
  bool operator==(const OptionState&) const = default;
};

class RecordingStatus : public app::StatusSink {
 public:
  void SetMessage(const std::string& text) override { messages.push_back(text); }
  void SetComment(const std::string& text) override {
    comments.push_back(text);
    lastComment = text;
  }
  void ShowClosingMessage(const std::string& text) override { closing.push_back(text); }
  void SetSheetList(const std::vector<std::string>& names) override { sheetList = names; }
  void SetStartEnabled(bool enabled) override { startEnabled = enabled; }
  void SetOptions(bool enabled, bool zoo, bool combination, bool ukai) override {
    options = {enabled, zoo, combination, ukai};
  }

  std::vector<std::string> messages, comments, closing, sheetList;
  std::string lastComment;
  bool startEnabled = false;
  OptionState options;
};

}  // namespace testsupport
