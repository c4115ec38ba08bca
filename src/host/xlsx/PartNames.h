#pragma once
// The part names a package uses, for choosing names of new parts.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/AsciiText.h"

namespace host::xlsx {

// Part names in use; they compare ignoring case.
class PartNames {
 public:
  explicit PartNames(const std::vector<std::string>& entryNames) {
    for (const std::string& n : entryNames) {
      taken_.insert(AsciiLower(n));
      exact_.insert(n);
      spelled_.emplace(AsciiLower(n), n);  // the first, as the look-up finds it
    }
  }
  // Claims `name`; false when it is taken.
  bool Take(const std::string& name) { return taken_.insert(AsciiLower(name)).second; }
  // Claims the first free `stem`1`suffix`, `stem`2`suffix`, ... and returns it.
  std::string TakeNumbered(const std::string& stem, const std::string& suffix) {
    for (int k = 1;; ++k) {
      std::string name = stem + std::to_string(k) + suffix;
      if (Take(name)) return name;
    }
  }
  // `name` as the package's entry of that part spells it.
  std::string Spelled(const std::string& name) const {
    if (exact_.count(name)) return name;
    auto it = spelled_.find(AsciiLower(name));
    return it == spelled_.end() ? name : it->second;
  }

 private:
  std::set<std::string> taken_, exact_;
  std::map<std::string, std::string> spelled_;
};

}  // namespace host::xlsx
