// Writing a package into a Tonel source directory, merged with what the user wrote there.
#include "tonel/TonelWriter.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <unordered_set>
#include <utility>

#include "model/Charset.h"
#include "model/Error.h"
#include "tonel/ClassFileIndex.h"
#include "tonel/FileComparer.h"
#include "tonel/FileMerge.h"
#include "tonel/InputFile.h"
#include "tonel/ReadBack.h"
#include "tonel/StagedFiles.h"
#include "tonel/TonelLayout.h"
#include "tonel/TonelMerge.h"
#include "tonel/TonelReader.h"
#include "writer/TemporaryFile.h"

namespace {

namespace fs = std::filesystem;

// The exact bytes Pharo writes: no line end after the brace.
constexpr std::string_view kProperties = "{\n\t#format : #tonel\n}";

// Whether the class, laid out, gives the text, which is held already: compared a piece at
// a time as it is laid out, so that the class's text is not held as well.
bool LaysOutAs(const TonelClass& cls, std::string_view text) {
  class Comparer final : public TextSink {
   public:
    explicit Comparer(std::string_view text) : rest(text) {}
    void Take(std::string_view piece) override {
      same = same && rest.starts_with(piece);
      if (same) rest.remove_prefix(piece.size());
    }
    std::string_view rest;
    bool same = true;
  } comparer(text);
  LayOutClass(cls, comparer);
  return comparer.same && comparer.rest.empty();
}

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(fs::path(std::u8string(path.begin(), path.end())), error);
}

// Where a class's file is: its folder (the package it is in) and its path.
struct Location {
  std::string folder;
  std::string path;
  bool exists = false;
};

// A class's file and its copy, each opened once: compared with the class as it is
// composed, or read whole where it is to be merged. None where there is no file to read.
struct ClassFiles {
  std::optional<InputFile> file, copy;
};

// The file's bytes, from the file opened already or opened now; none when it is absent.
std::optional<std::string> Whole(std::optional<InputFile>& file, const std::string& path) {
  if (!file) file.emplace(path);
  return file->Whole();
}

// Where a class's laid-out text goes: the files it is written to, and those it is
// compared with.
class ClassOutputs final : public TextSink {
 public:
  void Take(std::string_view text) override {
    if (file) file->Take(text);
    if (copy) copy->Take(text);
    if (fileMatch) fileMatch->Take(text);
    if (copyMatch) copyMatch->Take(text);
  }

  std::optional<StagedFiles::Out> file, copy;        // where they are to be written
  std::optional<FileComparer> fileMatch, copyMatch;  // where they are there
};

// A class whose comment goes into its files as it is composed, before the rest of the
// class: the first write of a class, where neither its file nor its copy is there, and
// a regeneration, where both are there and are compared with it.
class StreamedClass final : public TextSink {
 public:
  StreamedClass(const std::string& className, const Location& where, ClassFiles opened = {})
      : name(className), where(where), files(std::move(opened)), comment_(outputs) {}

  void Take(std::string_view text) override { comment_.Take(text); }
  // The comment ends where the rest of the class starts.
  void Rest(const TonelClass& cls) {
    comment_.End();
    LayOutAfterComment(cls, outputs);
  }

  const std::string name;
  const Location where;
  ClassFiles files;  // compared by outputs, in a regeneration
  ClassOutputs outputs;

 private:
  CommentLayout comment_;
};

// A class whose files were opened while its comment was composed, and whose comment is
// held with the rest of it.
struct OpenedClass {
  std::string name;
  ClassFiles files;
};

class PackageWriter final : public ClassSink {
 public:
  PackageWriter(const std::string& dir, const TonelPackage& package)
      : dir_(dir),
        package_(package),
        copies_(dir + ".plimko/" + package.name + "/"),
        index_(dir),
        copied_(ClassFilesIn(copies_)) {}

  TonelSummary Write();
  TextSink* CommentOf(const std::string& className) override;
  void Take(const TonelClass& cls, const std::function<TonelClass()>& whole) override;

 private:
  Location Locate(const std::string& className) const;
  bool Copied(const std::string& className) const;
  void EndStreamed(const TonelClass& cls, const std::function<TonelClass()>& whole);
  void WriteClass(const TonelClass& next, ClassFiles& files);
  void Merge(const TonelClass& next, const Location& where, const std::string* copy,
             const std::string& current);
  void Placed(const std::string& className, const Location& where);
  void RemoveClass(const std::string& className);
  void WriteWhereAbsent(const std::string& path, std::string_view text);
  bool PackageLeftOut(const std::string& folder);

  const std::string& dir_;
  const TonelPackage& package_;
  const std::string copies_;
  const ClassFileIndex index_;
  const std::vector<std::string> copied_;  // the classes that have a copy, in name order
  StagedFiles staged_;
  TonelSummary summary_;
  int leftAsTheyAre_ = 0;  // by classes without a copy
  std::unordered_set<std::string> generated_;
  std::set<std::string> placedIn_;           // the folders of the diagram's class files
  std::unique_ptr<StreamedClass> streamed_;  // the class being composed, if streamed
  std::optional<OpenedClass> opened_;        // the class being composed, if held whole
};

Location PackageWriter::Locate(const std::string& className) const {
  const std::string file = className + kClassFileSuffix;
  const std::vector<std::string> folders = index_.FoldersOf(className);
  if (folders.size() > 1) {
    throw GenericError("the class " + className +
                       " has two files: " + QuotedPath(dir_ + folders[0] + "/" + file) + " and " +
                       QuotedPath(dir_ + folders[1] + "/" + file));
  }
  const std::string folder = folders.empty() ? package_.name : folders.front();
  return {folder, dir_ + folder + "/" + file, !folders.empty()};
}

bool PackageWriter::Copied(const std::string& className) const {
  return std::binary_search(copied_.begin(), copied_.end(), className);
}

// A location that cannot be told raises its error when the class comes whole, as it
// would have without streaming. Where the file and the copy are both there, each is
// opened here, once.
TextSink* PackageWriter::CommentOf(const std::string& className) {
  streamed_.reset();
  opened_.reset();
  Location where;
  try {
    where = Locate(className);
  } catch (const GenericError&) {
    return nullptr;
  }
  const std::string copyPath = copies_ + className + kClassFileSuffix;
  const bool copied = Copied(className);
  if (where.exists != copied) return nullptr;
  if (!copied) {
    streamed_ = std::make_unique<StreamedClass>(className, where);
    streamed_->outputs.file.emplace(staged_.Open(where.path));
    streamed_->outputs.copy.emplace(staged_.Open(copyPath));
    return streamed_.get();
  }
  ClassFiles files;
  files.file.emplace(where.path);
  files.copy.emplace(copyPath);
  // A file whose size is not its copy's was changed since plimko wrote it: whatever the
  // diagram gives, the class is merged, so it is composed whole, comment and all, and
  // each file is read once.
  if (files.file->Size() != files.copy->Size()) {
    opened_.emplace(OpenedClass{className, std::move(files)});
    return nullptr;
  }
  streamed_ = std::make_unique<StreamedClass>(className, where, std::move(files));
  streamed_->outputs.fileMatch.emplace(*streamed_->files.file);
  streamed_->outputs.copyMatch.emplace(*streamed_->files.copy);
  return streamed_.get();
}

void PackageWriter::Take(const TonelClass& cls, const std::function<TonelClass()>& whole) {
  generated_.insert(cls.name);
  if (streamed_ != nullptr && streamed_->name == cls.name) {
    EndStreamed(cls, whole);
  } else {
    ClassFiles none;
    WriteClass(cls, opened_ && opened_->name == cls.name ? opened_->files : none);
  }
  streamed_.reset();
  opened_.reset();
}

// A first write is done once the rest is written; a regeneration that finds a file or a
// copy changed needs the class whole, to merge it.
void PackageWriter::EndStreamed(const TonelClass& cls, const std::function<TonelClass()>& whole) {
  StreamedClass& streamed = *streamed_;
  ClassOutputs& outputs = streamed.outputs;
  if (outputs.file) {
    Placed(cls.name, streamed.where);
    CheckReadsBack(cls);
    streamed.Rest(cls);
    outputs.file->Close();
    outputs.copy->Close();
    ++summary_.added;
    return;
  }
  streamed.Rest(cls);
  if (outputs.fileMatch->End() == Match::Same && outputs.copyMatch->End() == Match::Same) {
    Placed(cls.name, streamed.where);
    ++summary_.unchanged;
    return;
  }
  // The second pass that keeps a comment of any size out of memory: the comment was
  // compared as it was composed, and not kept, so the class is composed again, whole, to
  // be merged, and its files, opened once, are read again from their start. A class is
  // streamed only where its file has its copy's size, as it has while the user leaves it
  // alone: this pass is left to the classes that only the diagram changed, and to an edit
  // that keeps the file's size.
  WriteClass(whole(), streamed.files);
}

// Each file is read once, whole: the copy as read is the merge's base, and tells, compared
// with the class laid out, whether the diagram changed the class; the file is the merge's
// current text. What is written is laid out straight into its file.
void PackageWriter::WriteClass(const TonelClass& next, ClassFiles& files) {
  const Location where = Locate(next.name);
  Placed(next.name, where);
  const std::string copyPath = copies_ + next.name + kClassFileSuffix;
  const std::optional<std::string> copy =
      Copied(next.name) ? Whole(files.copy, copyPath) : std::nullopt;
  const bool copyIsText = copy && LaysOutAs(next, *copy);
  if (!copyIsText) CheckReadsBack(next);
  const std::optional<std::string> current =
      where.exists ? Whole(files.file, where.path) : std::nullopt;
  if (!current) {
    ++summary_.added;
    ClassOutputs outputs;
    outputs.file.emplace(staged_.Open(where.path));
    if (!copyIsText) outputs.copy.emplace(staged_.Open(copyPath));
    LayOutClass(next, outputs);
    if (outputs.copy) outputs.copy->Close();
    outputs.file->Close();
    return;
  }
  // A file as plimko last wrote it, from the same diagram.
  if (copyIsText && *current == *copy) {
    ++summary_.unchanged;
    return;
  }
  Merge(next, where, copy ? &*copy : nullptr, *current);
  if (!copyIsText) {
    StagedFiles::Out out = staged_.Open(copyPath);
    LayOutClass(next, out);
    out.Close();
  }
}

// The class file merged with the copy (null when there is none), both as read.
void PackageWriter::Merge(const TonelClass& next, const Location& where, const std::string* copy,
                          const std::string& current) {
  const MergedFile merged = MergeClassFile(next, current, copy, where.path,
                                           copies_ + next.name + kClassFileSuffix, where.folder);
  summary_.keptAsWritten += merged.merge.keptAsWritten;
  leftAsTheyAre_ += merged.merge.leftAsTheyAre;
  const std::vector<std::string>& notes = merged.merge.notes;
  summary_.notes.insert(summary_.notes.end(), notes.begin(), notes.end());
  if (merged.text == current) {
    ++summary_.unchanged;
  } else {
    ++summary_.updated;
    staged_.Write(where.path, merged.text);
  }
}

// A class found in another package's folder is merged there, on every run with a note.
void PackageWriter::Placed(const std::string& className, const Location& where) {
  placedIn_.insert(where.folder);
  if (where.folder != package_.name) {
    summary_.notes.push_back("the class " + className + " is in " +
                             QuotedPath(dir_ + where.folder) + ": it is merged there");
  }
}

// A class the diagram no longer has goes only when the user left its file as plimko
// wrote it; the copy goes either way, since the file is the user's now.
void PackageWriter::RemoveClass(const std::string& className) {
  const Location where = Locate(className);
  const std::string copyPath = copies_ + className + kClassFileSuffix;
  const std::optional<std::string> current = InputFile(where.path).Whole();
  const std::optional<std::string> copy = InputFile(copyPath).Whole();
  if (current && copy &&
      (*current == *copy ||
       SameClass(ReadClassFile(*current, where.path).cls, ReadClassFile(*copy, copyPath).cls))) {
    ++summary_.removed;
    staged_.Remove(where.path);
  } else if (current) {
    summary_.notes.push_back("the class " + className +
                             " is no longer in the diagram, but its file " +
                             QuotedPath(where.path) + " was changed: it is left as it is");
  }
  staged_.Remove(copyPath);
}

void PackageWriter::WriteWhereAbsent(const std::string& path, std::string_view text) {
  if (!Exists(path)) staged_.Write(path, text);
}

// Where every class of the diagram is in other packages' folders and no package of the
// run's name is there, none is made: it would stay empty, and its baseline would name
// it. The note says where the classes are.
bool PackageWriter::PackageLeftOut(const std::string& folder) {
  if (placedIn_.empty() || placedIn_.count(package_.name) != 0 || Exists(folder + "package.st")) {
    return false;
  }
  std::string where;
  for (const std::string& other : placedIn_) {
    where += where.empty() ? "" : ", ";
    where += QuotedPath(dir_ + other);
  }
  summary_.notes.push_back(
      placedIn_.size() == 1
          ? "every class of the diagram is in " + where + ": no package " + package_.name +
                " was made; name that package with --package " + WellFormedUtf8(*placedIn_.begin())
          : "every class of the diagram is in another package (" + where + "): no package " +
                package_.name + " was made; name one of them with --package");
  return true;
}

TonelSummary PackageWriter::Write() {
  // A package written for the first time is renamed into place whole.
  const std::string folder = dir_ + package_.name + "/";
  if (!Exists(folder)) staged_.StageFolder(folder);
  if (!Exists(copies_)) staged_.StageFolder(copies_);
  std::vector<std::string> compositionNotes;
  if (package_.composeClasses) package_.composeClasses(*this, compositionNotes);
  summary_.notes.insert(summary_.notes.begin(), compositionNotes.begin(), compositionNotes.end());
  for (const std::string& name : copied_)
    if (generated_.count(name) == 0) RemoveClass(name);
  WriteWhereAbsent(dir_ + ".properties", kProperties);
  const bool packageMade = !PackageLeftOut(folder);
  if (packageMade) {
    WriteWhereAbsent(folder + "package.st",
                     "Package { #name : " + StonString(package_.name) + " }\n");
    for (const auto& [path, text] : package_.baseline.files) WriteWhereAbsent(dir_ + path, text);
  }
  staged_.Commit();
  if (leftAsTheyAre_ > 0) {
    std::string folder = copies_;
    folder.pop_back();
    summary_.notes.push_back(
        "no copy of plimko's last output in " + QuotedPath(folder) +
        ": nothing was removed or replaced; " + std::to_string(leftAsTheyAre_) +
        (leftAsTheyAre_ == 1 ? " method that differs from the diagram is left as it is"
                             : " methods that differ from the diagram are left as they are"));
  }
  if (packageMade) {
    const std::vector<std::string>& notes = package_.baseline.notes;
    summary_.notes.insert(summary_.notes.end(), notes.begin(), notes.end());
  }
  return summary_;
}

}  // namespace

TonelSummary WriteTonelPackage(const std::string& dir, const TonelPackage& package) {
  // The package is a folder of the source directory, never the directory itself
  // or one above it.
  if (package.name.empty() || package.name == "." || package.name == ".." ||
      package.name.find_first_of("/\\") != std::string::npos) {
    throw GenericError("cannot make a package named \"" + package.name + "\"");
  }
  return PackageWriter(dir, package).Write();
}

std::string SummaryLine(const std::string& package, const TonelSummary& summary) {
  auto count = [](int number, const char* one, const char* many) {
    return std::to_string(number) + " " + (number == 1 ? one : many);
  };
  return package + ": " + count(summary.added, "class", "classes") + " added, " +
         std::to_string(summary.updated) + " updated, " + std::to_string(summary.unchanged) +
         " unchanged, " + std::to_string(summary.removed) + " removed; " +
         count(summary.keptAsWritten, "method", "methods") + " kept as written";
}
