// Where the class files of a Tonel source directory are: the package folder of each.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

// Lists every package folder of the source directory once: each folder whose name does
// not start with "." (Pharo reads none of those).
class ClassFileIndex {
 public:
  explicit ClassFileIndex(const std::string& dir);
  // The names of the folders that hold NAME.class.st, in name order; empty when none does.
  const std::vector<std::string>& FoldersOf(const std::string& className) const;

 private:
  std::unordered_map<std::string, std::vector<std::string>> folders_;
};

constexpr const char* kClassFileSuffix = ".class.st";
