// Where the class files of a Tonel source directory are: the package folder of each.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Lists every package folder of the source directory once: each folder whose name does
// not start with "." (Pharo reads none of those).
class ClassFileIndex {
 public:
  explicit ClassFileIndex(const std::string& dir);
  // The names of the folders that hold NAME.class.st, in name order; empty when none does.
  std::vector<std::string> FoldersOf(const std::string& className) const;

 private:
  std::vector<std::string> packages_;  // in name order
  // Class name and package index, sorted: a source directory may hold many thousands.
  std::vector<std::pair<std::string, std::uint32_t>> files_;
};

// Lists the class names of the files NAME.class.st in the folder, in name order; none
// when the folder cannot be listed.
std::vector<std::string> ClassFilesIn(const std::string& folder);

constexpr const char* kClassFileSuffix = ".class.st";
