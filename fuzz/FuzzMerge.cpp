// libFuzzer target: the merge of a class file. The input holds, split at lines "%%", the
// user's class file, plimko's copy (none when empty) and the diagram's class, the last
// two as class files too. The merged file must hold what the merge answers, and a
// regeneration from the same diagram, whose copy is then the diagram's text, must change
// no byte of it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Error.h"
#include "tonel/ClassSplice.h"
#include "tonel/TonelLayout.h"
#include "tonel/TonelMerge.h"
#include "tonel/TonelReader.h"

namespace {

constexpr std::string_view kSeparator = "\n%%\n";
constexpr const char* kPackage = "p";

std::vector<std::string_view> Parts(std::string_view input) {
  std::vector<std::string_view> parts;
  while (parts.size() < 2) {
    const std::size_t at = input.find(kSeparator);
    if (at == std::string_view::npos) break;
    parts.push_back(input.substr(0, at));
    input.remove_prefix(at + kSeparator.size());
  }
  parts.push_back(input);
  return parts;
}

std::optional<ClassFile> Read(std::string_view text) {
  try {
    return ReadClassFile(text);
  } catch (const PlimkoError&) {
    return std::nullopt;
  }
}

void SortMethods(TonelClass& cls) {
  std::vector<TonelMethod> methods(cls.methods.begin(), cls.methods.end());
  std::sort(methods.begin(), methods.end(), [](const auto& a, const auto& b) {
    return std::tie(a.classSide, a.selector) < std::tie(b.classSide, b.selector);
  });
  TonelMethods sorted;
  for (const TonelMethod& method : methods) sorted.push_back(method);
  cls.methods = std::move(sorted);
}

// What the class file says of the class, against what the merge answered: the package's
// entries are the splice's own, the rest must be the merge's.
bool Holds(const TonelClass& read, TonelClass merged) {
  TonelClass got = read;
  got.category = merged.category;
  got.package = merged.package;
  SortMethods(got);
  SortMethods(merged);
  return got == merged;
}

// The diagram's class as a run composes it: a class of the package, whose text the
// layout writes so that it reads back the same (the writer refuses any other).
std::optional<TonelClass> DiagramClass(std::string_view text, const std::string& name) {
  std::optional<ClassFile> file = Read(text);
  if (!file) return std::nullopt;
  TonelClass next = std::move(file->cls);
  next.kind = "Class";
  next.name = name;
  next.category = next.package = kPackage;
  next.otherEntries.clear();
  std::optional<ClassFile> laidOut = Read(TonelClassText(next));
  if (!laidOut || !Holds(laidOut->cls, next)) return std::nullopt;
  return next;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string_view> parts =
      Parts(std::string_view(reinterpret_cast<const char*>(data), size));
  if (parts.size() < 3) return 0;
  const std::optional<ClassFile> current = Read(parts[0]);
  if (!current) return 0;
  std::optional<ClassFile> copy;
  if (!parts[1].empty() && !(copy = Read(parts[1]))) return 0;
  const std::optional<TonelClass> next = DiagramClass(parts[2], current->cls.name);
  if (!next) return 0;

  const TonelClass* base = copy ? &copy->cls : nullptr;
  const MergedClass merged = MergeClass(base, current->cls, *next, {"file", "copy"});
  const std::string spliced = SplicedClassText(*current, merged.cls, kPackage);
  const std::optional<ClassFile> written = Read(spliced);
  if (!written || !Holds(written->cls, merged.cls)) std::abort();

  const MergedClass again = MergeClass(&*next, written->cls, *next, {"file", "copy"});
  if (SplicedClassText(*written, again.cls, kPackage) != spliced) std::abort();
  return 0;
}
