// Writing a diagram's package: the texts that a class file cannot hold as they are.
#include "tonel/TonelWriter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "CorpusSupport.h"
#include "model/Error.h"
#include "reader/ReaderTestSupport.h"
#include "support/BoundUser.h"
#include "support/HeldPackage.h"
#include "support/TempFile.h"
#include "tonel/TonelCollector.h"

namespace {

// The package of a diagram with one class panel, read as a run reads it from a file in
// the folder.
TonelPackage PackageOf(const std::string& name, const std::string& panel,
                       const std::string& folder = MakeTempDir()) {
  const std::string path = folder + "/" + name + ".uxf";
  std::ofstream(path, std::ios::binary) << reader_test::Document(reader_test::ClassElement(panel));
  return ComposePackageOf(path);
}

// Defaults stand in comments with their double quotes doubled, so that no quote,
// apostrophe or bracket of theirs opens anything: each class file reads back.
TEST(TonelPackage, DefaultsInCommentsReadBack) {
  const std::string kPanels[] = {"A\n--\n--\n+greet(msg: String = &quot;Don't&quot;)",
                                 "A\n--\n--\n+at(key: String = &quot;]&quot;)",
                                 "A\n--\n--\n_+at(key = &quot;a)_",
                                 "A\n--\n+name: String = O'Brien", "A\n--\n+x = ["};
  for (const std::string& panel : kPanels) {
    const std::string dir = MakeTempDir() + "/";
    EXPECT_EQ(SummaryLine("p", WriteTonelPackage(dir, PackageOf("p", panel))),
              "p: 1 class added, 0 updated, 0 unchanged, 0 removed; 0 methods kept as written")
        << panel;
  }
}

// A method text that would not end at its own "]" would leave a file that neither Pharo
// nor the next run can read: the run stops, with nothing written.
TEST(TonelPackage, RefusesMethodTextsThatAFileCannotHold) {
  const std::pair<std::string, std::string> kCases[] = {{"go\n  ^ 'open", "A>>#go"},
                                                        {"go\n  \"open", "A>>#go"},
                                                        {"go\n  ^ [", "A>>#go"},
                                                        {"go\n  ^ 1 ] x", "A>>#go"}};
  for (const auto& [source, method] : kCases) {
    TonelClass cls;
    cls.name = "A";
    cls.superclass = "Object";
    cls.category = "p";
    cls.package = "p";
    cls.methods = {{false, "public", "go", source}};
    const std::string dir = MakeTempDir() + "/";
    std::string error = "no error";
    try {
      WriteTonelPackage(dir, PackageOfClasses("p", {cls}));
    } catch (const PlimkoError& e) {
      error = e.what();
    }
    EXPECT_EQ(error, "cannot write " + method +
                         " in Tonel format: its text leaves a string, a comment or a bracket open")
        << source;
    EXPECT_EQ(ReadTree(dir).size(), 0u) << source;
  }
}

// A package is a folder inside the source directory: a diagram named "...uxf" makes none.
TEST(TonelPackage, RefusesPackagesOutsideTheDirectory) {
  for (const std::string name : {"", ".", "..", "a/b", "a\\b"}) {
    const std::string dir = MakeTempDir() + "/";
    std::string error = "no error";
    try {
      WriteTonelPackage(dir, {name});
    } catch (const PlimkoError& e) {
      error = e.what();
    }
    EXPECT_EQ(error, "cannot make a package named \"" + name + "\"");
    EXPECT_EQ(ReadTree(dir).size(), 0u) << name;
  }
}

// A carriage return that the diagram's text brings in (&#13;) is a line end to Pharo. The
// file has LF in its place, so that the next run finds the file as it wrote it.
TEST(TonelPackage, CarriageReturnsBecomeLineEnds) {
  const std::string dir = MakeTempDir() + "/";
  const TonelPackage package = PackageOf("cr", "A\n--\n+x: String = a&#13;b");
  EXPECT_EQ(SummaryLine("cr", WriteTonelPackage(dir, package)),
            "cr: 1 class added, 0 updated, 0 unchanged, 0 removed; 0 methods kept as written");
  EXPECT_EQ(ReadWholeFile(dir + "cr/A.class.st"),
            "\"\nA.  The comment should state the purpose of the class and also explain any "
            "unobvious aspects of the implementation.\n\nInstance Variables\n"
            "  x\t String  = a\nb Description...\n\nConstraints\n\n\"\n"
            "Class {\n\t#name : 'A',\n\t#superclass : 'Object',\n\t#instVars : [\n\t\t'x'\n\t],\n"
            "\t#category : 'cr',\n\t#package : 'cr'\n}\n\n"
            "{ #category : 'initialize-release' }\nA >> initialize [\n"
            "  \"Initialize a newly created instance. This method must answer the receiver.\"\n"
            "  super initialize.\n  x := nil \"optional String = a\nb\".\n  ^self\n]\n\n"
            "{ #category : 'accessing' }\nA >> x [\n  ^x\n]\n\n"
            "{ #category : 'accessing' }\nA >> x: aString [\n  x := aString\n]\n");
  EXPECT_EQ(SummaryLine("cr", WriteTonelPackage(dir, package)),
            "cr: 0 classes added, 0 updated, 1 unchanged, 0 removed; 0 methods kept as written");
}

// The composed text comes in pieces, which go where they stay as they come: a CR LF split
// between two pieces is one line end, as is a CR that ends a piece.
TEST(TonelPackage, ALineEndSplitBetweenPiecesIsOne) {
  TonelClass cls;
  std::vector<std::string> notes;
  const std::string package = "p";
  TonelCollector collector(cls, notes, package);
  collector.Definition({"A", "Object", {}, {}, {}});
  collector.BeginComment();
  for (const char* piece : {"a\r", "\nb\r", "c"}) collector.Take(piece);
  collector.End();
  collector.BeginMethod(false, "public");
  for (const char* piece : {"m\r", "\n\t^ 1"}) collector.Take(piece);
  collector.End();
  EXPECT_EQ(cls.comment, "a\nb\nc");
  EXPECT_EQ(cls.methods, TonelMethods({{false, "public", "m", "m\n\t^ 1"}}));
}

// A copy that cannot be written stops the run before any file is renamed into place: the
// class file already written under its temporary name goes again, and the package is as
// it was.
TEST(TonelPackage, AnUnwritableCopyFolderLeavesThePackageAsItWas) {
  AsBoundUser([](const std::string& root) {
    const std::string dir = root + "/src/";
    std::filesystem::create_directory(dir);
    WriteTonelPackage(dir, PackageOf("p", "A\n--\n+x: String", root));
    const std::map<std::string, std::string> before = ReadTree(dir);
    const std::string copies = dir + ".plimko/p";
    chmod(copies.c_str(), 0555);
    std::string error = "no error";
    try {
      WriteTonelPackage(dir, PackageOf("p", "A\n--\n+y: String", root));
    } catch (const PlimkoError& e) {
      error = e.what();
    }
    chmod(copies.c_str(), 0755);
    EXPECT_EQ(error, "cannot write in \"" + copies + "\": Permission denied");
    ExpectSameTree(before, ReadTree(dir), "after the failed run");
  });
}

}  // namespace
