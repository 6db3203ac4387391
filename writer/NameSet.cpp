// The set of names behind a class's variable lists.
#include "writer/NameSet.h"

#include <algorithm>

void NameSet::Assign(const std::set<std::string>& names) {
  few_.clear();
  many_.clear();
  if (names.size() <= kFew) {
    few_.assign(names.begin(), names.end());
  } else {
    many_ = names;
  }
}

bool NameSet::Insert(const std::string& name) {
  if (many_.empty()) {
    if (std::find(few_.begin(), few_.end(), name) != few_.end()) return false;
    if (few_.size() < kFew) {
      few_.push_back(name);
      return true;
    }
    many_.insert(few_.begin(), few_.end());
    few_.clear();
  }
  return many_.insert(name).second;
}

bool NameSet::Contains(const std::string& name) const {
  if (many_.empty()) return std::find(few_.begin(), few_.end(), name) != few_.end();
  return many_.contains(name);
}
