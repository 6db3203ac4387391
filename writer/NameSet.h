// The set of names behind a class's variable lists.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

// Holds its first few names in a list, whose search costs less than the
// nodes of a tree cost to make; once it holds more, all of them are in a tree,
// so that a class of very many variables is not searched name by name.
class NameSet {
 public:
  // Replaces the names by those given.
  void Assign(const std::set<std::string>& names);
  // Adds the name; answers whether it was not there yet.
  bool Insert(const std::string& name);
  bool Contains(const std::string& name) const;

 private:
  static constexpr std::size_t kFew = 16;
  std::vector<std::string> few_;
  std::set<std::string> many_;
};
