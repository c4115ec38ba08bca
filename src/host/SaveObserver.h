#pragma once
// Watches a save at the moment its new file is complete and checked but has
// not yet replaced the target. An observer that throws there stands for what
// is hard to cause for real (a full disk, a lost device): the save fails with
// its reason and the target must stay exactly as it was.
#include <string>

namespace host {

class SaveObserver {
 public:
  virtual ~SaveObserver() = default;
  virtual void BeforeReplace(const std::string& target) = 0;
};

}  // namespace host
