// The Metacello baseline that lets a Tonel package be loaded in one line.
#include "tonel/Baseline.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "model/Charset.h"
#include "model/Error.h"
#include "model/FileOpen.h"
#include "model/Identifier.h"
#include "model/Unicode.h"
#include "tonel/TonelLayout.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "BaselineOf";

// The entries of the folder that the test takes, by UTF-8 path, sorted; none
// when it cannot be listed.
template <typename Test>
std::vector<std::string> EntriesOf(const std::string& folder, Test test) {
  std::vector<std::string> paths;
  std::error_code error;
  for (fs::directory_iterator entry(PathOf(folder), error), end; !error && entry != end;
       entry.increment(error)) {
    if (test(*entry)) paths.push_back(Utf8Of(entry->path()));
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

bool NamesPackage(const std::string& folder, const std::string& wanted) {
  const auto isSource = [](const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_regular_file(error) && entry.path().extension() == ".st";
  };
  for (const std::string& path : EntriesOf(folder, isSource)) {
    if (ReadFileText(path).find(wanted) != std::string::npos) return true;
  }
  return false;
}

// A string literal of Smalltalk code: its quotes doubled.
std::string SmalltalkString(const std::string& text) {
  std::string literal = "'";
  for (const char c : text) {
    literal += c;
    if (c == '\'') literal += c;
  }
  return literal + "'";
}

// Laid out as Pharo writes the class, so that a commit from Pharo changes nothing.
std::string BaselineClassText(const std::string& className, const std::string& packageName) {
  TonelClass cls;
  cls.name = className;
  cls.superclass = "BaselineOf";
  cls.category = className;
  cls.package = className;
  cls.methods.push_back(
      {false, "baselines", "baseline:",
       "baseline: spec\n\n\t<baseline>\n\tspec for: #common do: [ spec package: " +
           SmalltalkString(packageName) + " ]"});
  return TonelClassText(cls);
}

}  // namespace

std::string BaselineClassName(const std::string& packageName) {
  std::string name;
  std::size_t start = 0;
  for (std::size_t dash = packageName.find('-');; dash = packageName.find('-', start)) {
    std::string piece = packageName.substr(start, dash - start);
    UppercaseFirst(piece);
    name += piece;
    if (dash == std::string::npos) break;
    start = dash + 1;
  }
  return std::string(kPrefix) + MakeIdentifier(name);
}

BaselineFiles ComposeBaseline(const std::string& sourceDir, const std::string& packageName) {
  BaselineFiles result;
  const auto isBaseline = [](const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_directory(error) && Utf8Of(entry.path().filename()).starts_with(kPrefix);
  };
  const std::vector<std::string> baselines = EntriesOf(sourceDir, isBaseline);
  if (baselines.empty()) {
    const std::string name = BaselineClassName(packageName);
    result.files.emplace_back(name + "/package.st",
                              "Package { #name : " + StonString(name) + " }\n");
    result.files.emplace_back(name + "/" + name + ".class.st",
                              BaselineClassText(name, packageName));
    return result;
  }
  const std::string wanted = "package: " + SmalltalkString(packageName);
  if (std::any_of(baselines.begin(), baselines.end(),
                  [&](const std::string& folder) { return NamesPackage(folder, wanted); })) {
    return result;
  }
  for (const std::string& folder : baselines) {
    result.notes.push_back("the baseline " + WellFormedUtf8(Utf8Of(PathOf(folder).filename())) +
                           " does not name the package " + packageName + " (no " + wanted +
                           " in it): Metacello does not load it through that baseline");
  }
  return result;
}
