// A file that appears whole or not at all: its temporary file, its failures, and what
// stays of an older file of the same name.
#include "writer/AtomicFile.h"

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "WriterTestSupport.h"

namespace {

namespace fs = std::filesystem;

using Names = std::vector<std::string>;

// The folder's files, each temporary file shown as its prefix alone.
Names Listing(const std::string& dir) {
  Names names = FilesIn(dir);
  for (std::string& name : names) {
    if (name.starts_with(".plimko-")) name = ".plimko-";
  }
  return names;
}

// The message that the action raises, or "no error".
std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const PlimkoError& error) {
    return error.Message();
  }
  return "no error";
}

// x.st holds the text, and nothing else is in the folder; an empty text: no file at all.
void ExpectOnly(const std::string& dir, const std::string& text) {
  EXPECT_EQ(Listing(dir), text.empty() ? Names{} : Names{"x.st"});
  if (!text.empty()) {
    EXPECT_EQ(ReadWholeFile(dir + "/x.st"), text);
  }
}

// Until Commit the bytes stay in a temporary file beside the target, and an older file
// stays as it was; Commit puts them in its place. Every other end removes them.
TEST(AtomicFile, AppearsOnlyOnCommit) {
  struct Case {
    const char* how;
    std::function<void(AtomicFile&)> end;
    bool appears;
  } cases[] = {
      {"committed", [](AtomicFile& file) { file.Commit(); }, true},
      {"discarded", [](AtomicFile& file) { file.Discard(); }, false},
      {"destroyed", [](AtomicFile& file) { AtomicFile gone = std::move(file); }, false},
      {"replaced", [](AtomicFile& file) { file = AtomicFile(); }, false},
  };
  const std::string text = "new " + std::string(100000, 'b') + "\r\n";
  for (const Case& c : cases) {
    for (const std::string older : {"", "older\r\n"}) {
      SCOPED_TRACE(c.how + older);
      const std::string dir = MakeTempDir();
      if (!older.empty()) WriteFileAtomically(dir + "/x.st", older);
      AtomicFile file;
      file.Open(dir + "/x.st");
      file.Write("new ");
      file.Write(text.substr(4));
      EXPECT_EQ(Listing(dir), (older.empty() ? Names{".plimko-"} : Names{".plimko-", "x.st"}));
      c.end(file);
      EXPECT_FALSE(file.IsOpen());
      ExpectOnly(dir, c.appears ? text : older);
    }
  }
}

// A target that cannot be written says why, as strerror words it, and leaves nothing: the
// folder is named where it takes no new file, the target where it may not be replaced.
TEST(AtomicFile, OpenFailuresSayWhy) {
  const std::string dir = MakeTempDir();
  fs::create_directory(dir + "/folder.st");
  WriteFileAtomically(dir + "/plain", "");
  const std::string withNul = dir + std::string("/x\0.st", 6);
  const std::string longName = dir + "/" + std::string(300, 'n') + ".st";
  struct Case {
    std::string path, message;
  } cases[] = {
      {dir + "/missing/x.st", "cannot write in \"" + dir + "/missing\": No such file or directory"},
      {dir + "/folder.st", "cannot open \"" + dir + "/folder.st\": Is a directory"},
      {dir + "/plain/x.st", "cannot open \"" + dir + "/plain/x.st\": Not a directory"},
      {withNul, "cannot open \"" + withNul + "\": Invalid argument"},
      {longName, "cannot open \"" + longName + "\": File name too long"},
  };
  for (const Case& c : cases) {
    AtomicFile file;
    EXPECT_EQ(ErrorOf([&] { file.Open(c.path); }), c.message);
    EXPECT_EQ(ErrorOf([&] { file.Write("x"); }), "output file is not open");
  }
  EXPECT_EQ(Listing(dir), (Names{"folder.st", "plain"}));
}

// A failed write, whether Write meets it or Commit (which writes what the stream still
// holds), raises the system's text and discards the file; the older file stays.
TEST(AtomicFile, WriteFailureLeavesNothing) {
  for (const size_t bytes : {size_t{100}, size_t{1} << 20}) {
    for (const std::string older : {"", "older\r\n"}) {
      const std::string dir = MakeTempDir();
      if (!older.empty()) WriteFileAtomically(dir + "/x.st", older);
      AtomicFile file;
      file.Open(dir + "/x.st");
      std::string error;
      {
        FileSizeLimit limit(50);
        error = ErrorOf([&] {
          file.Write(std::string(bytes, 'w'));
          file.Commit();
        });
      }
      EXPECT_EQ(error, "File too large");
      EXPECT_FALSE(file.IsOpen());
      ExpectOnly(dir, older);
    }
  }
}

// A rename that fails at the end names the target that cannot be replaced, or, where no
// target is, the folder that took no new name; the temporary file goes.
TEST(AtomicFile, ReplaceFailure) {
  struct Case {
    const char* how;
    std::function<void(const std::string& folder)> change;
    std::string failure, shown, reason;  // the message, the path it names below the directory
    std::string listed;                  // a folder below the directory, and what it holds after
    Names left;
  } cases[] = {
      {"the target became a folder",
       [](const std::string& folder) { fs::create_directories(folder + "/x.st/inside"); },
       "cannot replace", "/sub/x.st", "Is a directory", "/sub", Names{"x.st"}},
      {"the folder went", [](const std::string& folder) { fs::remove_all(folder); },
       "cannot write in", "/sub", "No such file or directory", "", Names{}},
  };
  for (const Case& c : cases) {
    const std::string dir = MakeTempDir();
    fs::create_directory(dir + "/sub");
    AtomicFile file;
    file.Open(dir + "/sub/x.st");
    file.Write("text");
    c.change(dir + "/sub");
    EXPECT_EQ(ErrorOf([&] { file.Commit(); }),
              c.failure + " \"" + dir + c.shown + "\": " + c.reason)
        << c.how;
    EXPECT_EQ(Listing(dir + c.listed), c.left) << c.how;
  }
}

// Several files, as a writer of a package makes them, kept in a vector that moves them:
// each has a temporary file of its own, two for one target included; all appear on
// Commit, none when they are dropped.
TEST(AtomicFile, SeveralFiles) {
  for (const bool commit : {true, false}) {
    const std::string dir = MakeTempDir();
    {
      std::vector<AtomicFile> files;
      for (const std::string name : {"a", "b", "a"}) {
        files.emplace_back().Open(dir + "/" + name);
        files.back().Write(name + std::to_string(files.size()));
      }
      EXPECT_EQ(Listing(dir), Names(3, ".plimko-"));
      for (AtomicFile& file : files) {
        if (commit) file.Commit();
      }
    }
    EXPECT_EQ(Listing(dir), (commit ? Names{"a", "b"} : Names{}));
    if (commit) {
      EXPECT_EQ(ReadWholeFile(dir + "/a") + ReadWholeFile(dir + "/b"), "a3b2");
    }
  }
}

}  // namespace
