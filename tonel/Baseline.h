// The Metacello baseline that lets a Tonel package be loaded in one line.
#pragma once

#include <string>
#include <utility>
#include <vector>

// What a source directory needs for a baseline of the package.
struct BaselineFiles {
  // Path relative to the source directory, and contents; none when the
  // directory has a baseline already.
  std::vector<std::pair<std::string, std::string>> files;
  // One a line: an existing baseline that does not name the package.
  std::vector<std::string> notes;
};

// "BaselineOf" and the package name with its first letter and each letter
// after a "-" made capital and the "-" signs dropped ("library-v2" gives
// "BaselineOfLibraryV2"); a character no class name may hold becomes "_".
std::string BaselineClassName(const std::string& packageName);

// The baseline's package and class files when the source directory (ending
// in a separator) holds no "BaselineOf..." folder. A baseline that is there is
// the user's and is never written; when none of its ".st" files holds
// "package: 'NAME'", a note says so. A file that cannot be read raises.
BaselineFiles ComposeBaseline(const std::string& sourceDir, const std::string& packageName);
