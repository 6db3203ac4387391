// The classes of a Tonel package folder, read for a diagram to be drawn from them.
#include "drawing/PackageClasses.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "model/Error.h"
#include "model/FileOpen.h"
#include "tonel/ClassFileIndex.h"
#include "tonel/TonelReader.h"
#include "writer/TemporaryFile.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTraitSuffix = ".trait.st";
constexpr std::string_view kExtensionSuffix = ".extension.st";

// The path in quotes, without the separator a folder's path ends with.
std::string Shown(std::string path) {
  if (path.ends_with('/')) path.pop_back();
  return QuotedPath(path);
}

// The names of the folder's files, in name order; the folder must be there.
std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator entry(PathOf(folder), error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code kind;
    if (!entry->is_directory(kind)) names.push_back(Utf8Of(entry->path().filename()));
  }
  if (error) throw GenericError("cannot read the folder " + Shown(folder) + ": " + error.message());
  std::sort(names.begin(), names.end());
  return names;
}

// The name without the suffix; empty when it does not end with it after a name.
std::string Stem(const std::string& name, std::string_view suffix) {
  return name.size() > suffix.size() && name.ends_with(suffix)
             ? name.substr(0, name.size() - suffix.size())
             : "";
}

}  // namespace

PackageClasses ReadPackageClasses(const std::string& folder) {
  std::error_code error;
  if (!fs::is_directory(PathOf(folder), error)) {
    throw GenericError("the package folder " + Shown(folder) + " does not exist");
  }
  PackageClasses package;
  for (const std::string& name : FileNames(folder)) {
    if (const std::string trait = Stem(name, kTraitSuffix); !trait.empty()) {
      package.traits.push_back(trait);
    } else if (!Stem(name, kExtensionSuffix).empty()) {
      package.extensions.push_back(name);
    } else if (!Stem(name, kClassFileSuffix).empty()) {
      const std::string path = folder + name;
      const std::string text = ReadFileText(path);
      TonelClass cls;
      try {
        cls = ReadTonelClass(text);
      } catch (const GenericError& failure) {
        throw GenericError(Shown(path) + " is not a Tonel class file: " + failure.Message());
      }
      if (cls.kind == "Trait") {
        package.traits.push_back(cls.name);
      } else if (cls.kind == "Extension") {
        package.extensions.push_back(name);
      } else {
        package.classes.push_back(std::move(cls));
      }
    }
  }
  if (package.classes.empty()) {
    throw GenericError("the package folder " + Shown(folder) + " holds no class");
  }
  return package;
}
