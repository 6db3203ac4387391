// A file that appears whole or not at all: its temporary file, its failures, and what
// stays of an older file of the same name.
#include "writer/AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "WriterTestSupport.h"

namespace {

namespace fs = std::filesystem;

// The folder's files, with the name of each temporary file shown as its prefix alone.
std::vector<std::string> Listing(const std::string& dir) {
  std::vector<std::string> names = FilesIn(dir);
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

// A folder with an older file "x.st" of the content given, or none when it is empty.
std::string FolderWith(const std::string& older) {
  const std::string dir = MakeTempDir();
  if (!older.empty()) WriteFileAtomically(dir + "/x.st", older);
  return dir;
}

const std::vector<std::string> kOlders = {"", "older\r\n"};

// The folder holds the older file as it was, and nothing else.
void ExpectOlderOnly(const std::string& dir, const std::string& older) {
  if (older.empty()) {
    EXPECT_EQ(Listing(dir), std::vector<std::string>{});
    return;
  }
  EXPECT_EQ(Listing(dir), std::vector<std::string>{"x.st"});
  EXPECT_EQ(ReadWholeFile(dir + "/x.st"), older);
}

// The bytes stay in a temporary file beside the target until Commit, which puts
// them in place of the target, older file or not, and leaves nothing else.
TEST(AtomicFile, CommitPutsTheWholeFileInPlace) {
  for (const std::string& older : kOlders) {
    const std::string dir = FolderWith(older);
    AtomicFile file;
    file.Open(dir + "/x.st");
    file.Write("first ");
    file.Write("");
    file.Write(std::string(100000, 'b'));
    file.Write("\r\n");
    EXPECT_TRUE(file.IsOpen());
    const std::vector<std::string> whileWritten =
        older.empty() ? std::vector<std::string>{".plimko-"}
                      : std::vector<std::string>{".plimko-", "x.st"};
    EXPECT_EQ(Listing(dir), whileWritten);
    if (!older.empty()) {
      EXPECT_EQ(ReadWholeFile(dir + "/x.st"), older);
    }
    file.Commit();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"x.st"});
    EXPECT_EQ(ReadWholeFile(dir + "/x.st"), "first " + std::string(100000, 'b') + "\r\n");
    file.Commit();  // nothing left to commit
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"x.st"});
  }
}

// Every way of ending without Commit removes the temporary file and leaves the older
// file as it was.
TEST(AtomicFile, WithoutCommitNothingAppears) {
  struct Case {
    const char* how;
    std::function<void(AtomicFile&, const std::string&)> end;
  } cases[] = {
      {"discarded", [](AtomicFile& file, const std::string&) { file.Discard(); }},
      {"destroyed",
       [](AtomicFile& file, const std::string&) { AtomicFile gone = std::move(file); }},
      {"opened anew",
       [](AtomicFile& file, const std::string& dir) {
         file.Open(dir + "/y.st");
         file.Discard();
       }},
      {"replaced",
       [](AtomicFile& file, const std::string&) {
         file = AtomicFile();
         EXPECT_FALSE(file.IsOpen());
       }},
  };
  for (const Case& c : cases) {
    for (const std::string& older : kOlders) {
      const std::string dir = FolderWith(older);
      AtomicFile file;
      file.Open(dir + "/x.st");
      file.Write("new");
      SCOPED_TRACE(c.how);
      c.end(file, dir);
      ExpectOlderOnly(dir, older);
    }
  }
}

// A target that cannot be written says why, as strerror words it, and leaves nothing.
TEST(AtomicFile, OpenFailuresSayWhy) {
  const std::string dir = MakeTempDir();
  fs::create_directory(dir + "/folder.st");
  WriteFileAtomically(dir + "/plain", "");
  struct Case {
    std::string path, reason;
  } cases[] = {
      {dir + "/missing/x.st", "No such file or directory"},
      {dir + "/folder.st", "Is a directory"},
      {dir + "/plain/x.st", "Not a directory"},
      {dir + std::string("/x\0.st", 6), "Invalid argument"},
      {dir + "/" + std::string(300, 'n') + ".st", "File name too long"},
  };
  for (const Case& c : cases) {
    AtomicFile file;
    EXPECT_EQ(ErrorOf([&] { file.Open(c.path); }), "cannot open \"" + c.path + "\": " + c.reason);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ErrorOf([&] { file.Write("x"); }), "output file is not open");
  }
  EXPECT_EQ(Listing(dir), (std::vector<std::string>{"folder.st", "plain"}));
}

// A folder that may not be written, and a file the user protected, stop it at Open.
TEST(AtomicFile, PermissionsAreHeeded) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser may write anywhere";
  const std::string dir = MakeTempDir();
  fs::create_directory(dir + "/locked");
  fs::permissions(dir + "/locked", fs::perms::owner_read | fs::perms::owner_exec);
  WriteFileAtomically(dir + "/x.st", "protected");
  fs::permissions(dir + "/x.st", fs::perms::owner_read);
  for (const std::string& path : {dir + "/locked/x.st", dir + "/x.st"}) {
    AtomicFile file;
    EXPECT_EQ(ErrorOf([&] { file.Open(path); }), "cannot open \"" + path + "\": Permission denied");
  }
  EXPECT_EQ(Listing(dir), (std::vector<std::string>{"locked", "x.st"}));
  EXPECT_EQ(ReadWholeFile(dir + "/x.st"), "protected");
  fs::permissions(dir + "/locked", fs::perms::owner_all);
}

// A failed write, whether Write or Commit meets it, raises the system's text and
// discards the file; the older file stays.
TEST(AtomicFile, WriteFailureLeavesNothing) {
  struct Case {
    size_t bytes;     // written at once: a small piece waits in the stream until Commit
    bool failsWrite;  // whether Write itself fails, or Commit
  } cases[] = {{100, false}, {1 << 20, true}};
  for (const Case& c : cases) {
    for (const std::string& older : kOlders) {
      const std::string dir = FolderWith(older);
      AtomicFile file;
      file.Open(dir + "/x.st");
      {
        FileSizeLimit limit(50);
        const std::string text(c.bytes, 'w');
        EXPECT_EQ(ErrorOf([&] { file.Write(text); }), c.failsWrite ? "File too large" : "no error");
        EXPECT_EQ(ErrorOf([&] { file.Commit(); }), c.failsWrite ? "no error" : "File too large");
      }
      EXPECT_FALSE(file.IsOpen());
      ExpectOlderOnly(dir, older);
    }
  }
}

// A target that becomes a folder while the file is written cannot be replaced: Commit
// says so and leaves no temporary file.
TEST(AtomicFile, ReplaceFailure) {
  const std::string dir = MakeTempDir();
  AtomicFile file;
  file.Open(dir + "/x.st");
  file.Write("text");
  fs::create_directories(dir + "/x.st/inside");
  EXPECT_EQ(ErrorOf([&] { file.Commit(); }), "cannot replace \"" + dir + "/x.st\": Is a directory");
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(Listing(dir), std::vector<std::string>{"x.st"});
  EXPECT_TRUE(fs::is_directory(dir + "/x.st"));
}

// Several files, as a writer of a package makes them: each has a temporary file of its
// own, two for one target included; they survive moves; none appears before its Commit,
// and none at all when they are dropped.
TEST(AtomicFile, SeveralFiles) {
  for (const bool commit : {true, false}) {
    const std::string dir = MakeTempDir();
    {
      std::vector<AtomicFile> files;
      for (const char* name : {"a.st", "b.st", "c.st", "a.st"}) {
        files.emplace_back();
        files.back().Open(dir + "/" + name);
        files.back().Write(std::string(name) + std::to_string(files.size()));
      }
      EXPECT_EQ(Listing(dir), std::vector<std::string>(4, ".plimko-"));
      if (commit) {
        for (AtomicFile& file : files) file.Commit();
      }
    }
    EXPECT_EQ(Listing(dir), commit ? (std::vector<std::string>{"a.st", "b.st", "c.st"})
                                   : std::vector<std::string>{});
    if (commit) {
      EXPECT_EQ(ReadWholeFile(dir + "/a.st"), "a.st4");
      EXPECT_EQ(ReadWholeFile(dir + "/c.st"), "c.st3");
    }
  }
}

// The one-call form writes the whole text, or raises and writes nothing.
TEST(AtomicFile, WriteFileAtomically) {
  const std::string dir = MakeTempDir();
  WriteFileAtomically(dir + "/x.st", "whole\r\n");
  WriteFileAtomically(dir + "/empty.st", "");
  EXPECT_EQ(ErrorOf([&] { WriteFileAtomically(dir + "/no/x.st", "text"); }),
            "cannot open \"" + dir + "/no/x.st\": No such file or directory");
  EXPECT_EQ(Listing(dir), (std::vector<std::string>{"empty.st", "x.st"}));
  EXPECT_EQ(ReadWholeFile(dir + "/x.st"), "whole\r\n");
  EXPECT_EQ(ReadWholeFile(dir + "/empty.st"), "");
}

}  // namespace
