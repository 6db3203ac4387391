// The baseline's class name, its files, and an existing baseline left alone.
#include "tonel/Baseline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TempFile.h"
#include "tonel/TonelReader.h"

namespace {

namespace fs = std::filesystem;

TEST(Baseline, ClassName) {
  const std::pair<std::string, std::string> kCases[] = {
      {"school", "BaselineOfSchool"},
      {"library-v2", "BaselineOfLibraryV2"},
      {"My-web-shop", "BaselineOfMyWebShop"},
      // Characters no class name holds.
      {"shop.v1", "BaselineOfShop_v1"},
      {"škola", "BaselineOfSkola"},
  };
  for (const auto& [package, expected] : kCases) EXPECT_EQ(BaselineClassName(package), expected);
}

const char* const kSchoolBaseline =
    "Class {\n"
    "\t#name : 'BaselineOfSchool',\n"
    "\t#superclass : 'BaselineOf',\n"
    "\t#category : 'BaselineOfSchool',\n"
    "\t#package : 'BaselineOfSchool'\n"
    "}\n"
    "\n"
    "{ #category : 'baselines' }\n"
    "BaselineOfSchool >> baseline: spec [\n"
    "\n"
    "\t<baseline>\n"
    "\tspec for: #common do: [ spec package: 'school' ]\n"
    "]\n";

struct DirCase {
  std::vector<std::pair<std::string, std::string>> present;  // files the directory holds
  std::vector<std::pair<std::string, std::string>> files;
  std::vector<std::string> notes;
};

TEST(Baseline, WrittenOnlyWhereThereIsNone) {
  const std::string note =
      "the baseline BaselineOfShop does not name the package school (no package: 'school' in "
      "it): Metacello does not load it through that baseline";
  const std::vector<DirCase> cases = {
      {{},
       {{"BaselineOfSchool/package.st", "Package { #name : 'BaselineOfSchool' }\n"},
        {"BaselineOfSchool/BaselineOfSchool.class.st", kSchoolBaseline}},
       {}},
      // A file of that name is no baseline package.
      {{{"BaselineOfShop.st", "package: 'other'"}, {"school/package.st", ""}},
       {{"BaselineOfSchool/package.st", "Package { #name : 'BaselineOfSchool' }\n"},
        {"BaselineOfSchool/BaselineOfSchool.class.st", kSchoolBaseline}},
       {}},
      {{{"BaselineOfShop/BaselineOfShop.class.st", "spec package: 'school'"}}, {}, {}},
      {{{"BaselineOfShop/BaselineOfShop.class.st", "spec package: 'schools'"}}, {}, {note}},
      // Any baseline that names it will do.
      {{{"BaselineOfShop/BaselineOfShop.class.st", ""},
        {"BaselineOfAll/BaselineOfAll.class.st", "spec package: 'school'"}},
       {},
       {}},
  };
  for (const DirCase& c : cases) {
    const std::string dir = MakeTempDir() + "/";
    for (const auto& [path, text] : c.present) {
      fs::create_directories(fs::path(dir + path).parent_path());
      std::ofstream(dir + path, std::ios::binary) << text;
    }
    const BaselineFiles baseline = ComposeBaseline(dir, "school");
    EXPECT_EQ(baseline.files, c.files);
    EXPECT_EQ(baseline.notes, c.notes);
  }
}

// Its class file is one that a Tonel reader reads as the baseline class.
TEST(Baseline, ClassFileReadsBack) {
  const TonelClass cls = ReadTonelClass(kSchoolBaseline);
  EXPECT_EQ(cls.name, "BaselineOfSchool");
  EXPECT_EQ(cls.superclass, "BaselineOf");
  ASSERT_EQ(cls.methods.size(), 1u);
  EXPECT_EQ(cls.methods[0].selector, "baseline:");
  EXPECT_EQ(cls.methods[0].category, "baselines");
}

}  // namespace
