// The three-way merge of a class file from the bytes of its file and its copy as read.
#include "tonel/FileMerge.h"

#include <optional>

#include "tonel/ClassFile.h"
#include "tonel/ClassSplice.h"
#include "tonel/TonelReader.h"
#include "writer/TemporaryFile.h"

MergedFile MergeClassFile(const TonelClass& next, std::string_view current, const std::string* copy,
                          const std::string& path, const std::string& copyPath,
                          const std::string& folder) {
  const ClassFile file = ReadClassFile(current, path);
  std::optional<TonelClass> base;
  if (copy != nullptr) base = ReadClassFile(*copy, copyPath).cls;
  MergedFile merged;
  merged.merge =
      MergeClass(base ? &*base : nullptr, file.cls, next, {QuotedPath(path), QuotedPath(copyPath)});
  merged.text = SplicedClassText(file, merged.merge.cls, folder);
  return merged;
}
