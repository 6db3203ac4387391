// Diagrams for the Tonel tests, the corpus of real ones above all, read and written as the
// driver reads and writes them.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "model/Error.h"
#include "tonel/TonelClass.h"
#include "tonel/TonelWriter.h"

// The corpus's diagram files by name; a placeholder when the folder is absent, so that
// each case can skip.
std::vector<std::string> CorpusDiagrams();
bool HaveCorpus();
std::string CorpusCaseName(const testing::TestParamInfo<std::string>& info);
// Whether the diagram is known to end in a reading error instead of converting.
bool IsUnreadable(const std::string& file);
// The diagram's file name without ".uxf": the chunk file's base name and the package's name.
std::string PackageNameOf(const std::string& file);

std::string CorpusPath(const std::string& file);

// Each reads the diagram at the path afresh, as one run of the program does, and raises
// what the reader raises. dir ends with "/".
void WriteChunkFileOf(const std::string& path, const std::string& dir);
// The diagram's classes, composed at once and each held whole.
std::vector<TonelClass> ComposeClassesOf(const std::string& path);
// The diagram's package, whose classes are composed at once and handed to the writer
// whole (support/HeldPackage.h).
TonelPackage ComposePackageOf(const std::string& path);
// Writes the diagram's package into the source directory as a run does: each class
// composed while it is written, its comment straight into its files.
TonelSummary WriteTonelPackageOf(const std::string& path, const std::string& dir);

// Every file below dir, by its path relative to dir.
std::map<std::string, std::string> ReadTree(const std::string& dir);
// The same paths with the same bytes; what names the comparison.
void ExpectSameTree(const std::map<std::string, std::string>& expected,
                    const std::map<std::string, std::string>& actual, const std::string& what);

// The class as one text: its definition, comment and methods, these sorted by side and
// selector, so that two classes compare whole and differ readably.
std::string Describe(const TonelClass& cls);

// A corpus diagram as a test's parameter: skipped when the corpus is absent. A diagram
// known not to read is checked to fail, and answers true from Unreadable.
class CorpusCase : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (!HaveCorpus()) GTEST_SKIP() << "corpus folder " << CORPUS_DIR << " is absent";
  }
  bool Unreadable() const {
    if (!IsUnreadable(GetParam())) return false;
    EXPECT_THROW(ComposePackageOf(CorpusPath(GetParam())), PlimkoError);
    return true;
  }
};
