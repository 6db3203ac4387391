// Writing a package into a Tonel source directory, merged with what the user wrote there.
#include "tonel/TonelWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <unordered_set>
#include <utility>

#include "model/Charset.h"
#include "model/Error.h"
#include "model/FileOpen.h"
#include "tonel/ClassFileIndex.h"
#include "tonel/ClassSplice.h"
#include "tonel/FileComparer.h"
#include "tonel/ReadBack.h"
#include "tonel/StagedFiles.h"
#include "tonel/TonelLayout.h"
#include "tonel/TonelMerge.h"
#include "tonel/TonelReader.h"

namespace {

namespace fs = std::filesystem;

// The exact bytes Pharo writes: no line end after the brace.
constexpr std::string_view kProperties = "{\n\t#format : #tonel\n}";

std::string Quoted(const std::string& path) {
  std::string quoted = "\"";
  quoted += WellFormedUtf8(path);
  quoted += '"';
  return quoted;
}

// The file's bytes, read at once; nothing when there is no file. A file that is there
// but cannot be read stops the run, rather than being taken for absent and written over.
std::optional<std::string> ReadIfPresent(const std::string& path) {
  std::FILE* file = OpenFileToRead(path);
  if (file == nullptr) {
    if (errno == ENOENT) return std::nullopt;
    throw GenericError("cannot open " + Quoted(path) + ": " + std::strerror(errno));
  }
  std::string text;
  std::size_t got = 0;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size > 0) text.resize(static_cast<std::size_t>(size));
    std::rewind(file);
  }
  // The file may have grown since; what is past its size comes in blocks.
  do {
    if (got == text.size()) text.resize(got + (1 << 16));
    got += std::fread(text.data() + got, 1, text.size() - got, file);
  } while (got == text.size() && !std::feof(file) && !std::ferror(file));
  text.resize(got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw GenericError("cannot read " + Quoted(path));
  return text;
}

Match Compare(const std::string& path, const TonelClass& cls) {
  FileComparer file(path);
  LayOutClass(cls, file);
  return file.End();
}

ClassFile Parse(const std::string& path, const std::string& text) {
  try {
    return ReadClassFile(text);
  } catch (const PlimkoError& error) {
    throw GenericError(Quoted(path) + " is not a Tonel class file: " + error.Message());
  }
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
  StreamedClass(const std::string& className, const Location& where)
      : name(className), where(where), comment_(outputs) {}

  void Take(std::string_view text) override { comment_.Take(text); }
  // The comment ends where the rest of the class starts.
  void Rest(const TonelClass& cls) {
    comment_.End();
    LayOutAfterComment(cls, outputs);
  }

  const std::string name;
  const Location where;
  ClassOutputs outputs;

 private:
  CommentLayout comment_;
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
  void EndStreamed(const TonelClass& cls, const std::function<TonelClass()>& whole);
  void WriteClass(const TonelClass& next);
  void MergeClassFile(const TonelClass& next, const Location& where, const std::string* copy,
                      const std::string& text);
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
};

Location PackageWriter::Locate(const std::string& className) const {
  const std::string file = className + kClassFileSuffix;
  const std::vector<std::string> folders = index_.FoldersOf(className);
  if (folders.size() > 1) {
    throw GenericError("the class " + className +
                       " has two files: " + Quoted(dir_ + folders[0] + "/" + file) + " and " +
                       Quoted(dir_ + folders[1] + "/" + file));
  }
  const std::string folder = folders.empty() ? package_.name : folders.front();
  return {folder, dir_ + folder + "/" + file, !folders.empty()};
}

// A location that cannot be told raises its error when the class comes whole, as it
// would have without streaming.
TextSink* PackageWriter::CommentOf(const std::string& className) {
  streamed_.reset();
  Location where;
  try {
    where = Locate(className);
  } catch (const GenericError&) {
    return nullptr;
  }
  const std::string copyPath = copies_ + className + kClassFileSuffix;
  const bool copied = std::binary_search(copied_.begin(), copied_.end(), className);
  if (where.exists != copied) return nullptr;
  streamed_ = std::make_unique<StreamedClass>(className, where);
  ClassOutputs& outputs = streamed_->outputs;
  if (copied) {
    outputs.fileMatch.emplace(where.path);
    outputs.copyMatch.emplace(copyPath);
  } else {
    outputs.file.emplace(staged_.Open(where.path));
    outputs.copy.emplace(staged_.Open(copyPath));
  }
  return streamed_.get();
}

void PackageWriter::Take(const TonelClass& cls, const std::function<TonelClass()>& whole) {
  generated_.insert(cls.name);
  if (streamed_ != nullptr && streamed_->name == cls.name) {
    EndStreamed(cls, whole);
  } else {
    WriteClass(cls);
  }
  streamed_.reset();
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
  WriteClass(whole());
}

// The class's text goes straight into its files, and is compared with what is there
// a block at a time: only a class that is to be merged is held as text.
void PackageWriter::WriteClass(const TonelClass& next) {
  const Location where = Locate(next.name);
  Placed(next.name, where);
  const std::string copyPath = copies_ + next.name + kClassFileSuffix;
  const bool copyIsText = std::binary_search(copied_.begin(), copied_.end(), next.name) &&
                          Compare(copyPath, next) == Match::Same;
  if (!copyIsText) CheckReadsBack(next);
  const Match current = where.exists ? Compare(where.path, next) : Match::Absent;
  if (current == Match::Absent) {
    ++summary_.added;
    ClassOutputs outputs;
    outputs.file.emplace(staged_.Open(where.path));
    if (!copyIsText) outputs.copy.emplace(staged_.Open(copyPath));
    LayOutClass(next, outputs);
    if (outputs.copy) outputs.copy->Close();
    outputs.file->Close();
    return;
  }
  // Compared before parsing: a file as plimko last wrote it, from the same diagram.
  if (copyIsText && current == Match::Same) {
    ++summary_.unchanged;
    return;
  }
  const std::string text = TonelClassText(next);
  if (copyIsText) {
    MergeClassFile(next, where, &text, text);
    return;
  }
  const std::optional<std::string> copy =
      std::binary_search(copied_.begin(), copied_.end(), next.name) ? ReadIfPresent(copyPath)
                                                                    : std::nullopt;
  MergeClassFile(next, where, copy ? &*copy : nullptr, text);
  staged_.Write(copyPath, text);
}

// The class file merged with the copy (null when there is none); text is the diagram's.
void PackageWriter::MergeClassFile(const TonelClass& next, const Location& where,
                                   const std::string* copy, const std::string& text) {
  const std::optional<std::string> current = ReadIfPresent(where.path);
  if (!current) {
    ++summary_.added;
    staged_.Write(where.path, text);
    return;
  }
  const std::string copyPath = copies_ + next.name + kClassFileSuffix;
  const ClassFile file = Parse(where.path, *current);
  std::optional<TonelClass> base;
  if (copy != nullptr) base = Parse(copyPath, *copy).cls;
  const MergedClass merged =
      MergeClass(base ? &*base : nullptr, file.cls, next, {Quoted(where.path), Quoted(copyPath)});
  summary_.keptAsWritten += merged.keptAsWritten;
  leftAsTheyAre_ += merged.leftAsTheyAre;
  summary_.notes.insert(summary_.notes.end(), merged.notes.begin(), merged.notes.end());
  // In the file's own line ends.
  const std::string spliced = SplicedClassText(file, merged.cls, where.folder);
  if (spliced == *current) {
    ++summary_.unchanged;
  } else {
    ++summary_.updated;
    staged_.Write(where.path, spliced);
  }
}

// A class found in another package's folder is merged there, on every run with a note.
void PackageWriter::Placed(const std::string& className, const Location& where) {
  placedIn_.insert(where.folder);
  if (where.folder != package_.name) {
    summary_.notes.push_back("the class " + className + " is in " + Quoted(dir_ + where.folder) +
                             ": it is merged there");
  }
}

// A class the diagram no longer has goes only when the user left its file as plimko
// wrote it; the copy goes either way, since the file is the user's now.
void PackageWriter::RemoveClass(const std::string& className) {
  const Location where = Locate(className);
  const std::string copyPath = copies_ + className + kClassFileSuffix;
  const std::optional<std::string> current = ReadIfPresent(where.path);
  const std::optional<std::string> copy = ReadIfPresent(copyPath);
  if (current && copy &&
      (*current == *copy ||
       SameClass(Parse(where.path, *current).cls, Parse(copyPath, *copy).cls))) {
    ++summary_.removed;
    staged_.Remove(where.path);
  } else if (current) {
    summary_.notes.push_back("the class " + className +
                             " is no longer in the diagram, but its file " + Quoted(where.path) +
                             " was changed: it is left as it is");
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
    where += Quoted(dir_ + other);
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
  for (const TonelClass& next : package_.classes) Take(next, nullptr);
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
        "no copy of plimko's last output in " + Quoted(folder) +
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
