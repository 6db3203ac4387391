// Reads every diagram of the collected real-world files with the whole reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <regex>
#include <string>
#include <vector>

#include "ReaderTestSupport.h"

namespace {

using namespace reader_test;
namespace fs = std::filesystem;

// The messages the reader and the scanner under it may end a reading with.
bool IsReaderMessage(const std::string& message) {
  static const std::regex kMessages(
      "wrong zoom level|wrong [xywh] coordinate|LastDelimiter is empty|"
      "LookAheadFor reached end of file unexpectedly|end of file reached unexpectedly|"
      "missing \"[^\"]+\"|not a UMLet diagram: \".*\" has no <diagram> or <umlet_diagram> "
      "element|\".*\" is an invalid (integer|float)|"
      "\"[<>]\" mustnot occur in \".*\" xml PCData|wrong entity in \".*\"");
  return std::regex_match(message, kMessages);
}

// One element per "<element>" before the document's end tag.
int32_t ElementTags(const std::string& text) {
  const size_t end = std::min(text.find("</diagram>"), text.find("</umlet_diagram>"));
  const std::string body = text.substr(0, end);
  int32_t count = 0;
  for (size_t at = body.find("<element>"); at != std::string::npos;
       at = body.find("<element>", at + 1)) {
    ++count;
  }
  return count;
}

TEST(Corpus, EveryFileReadsOrFailsWithAReaderMessage) {
  const fs::path dir = CORPUS_DIR;
  if (!fs::is_directory(dir)) GTEST_SKIP() << "no corpus folder at " << dir;
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() == ".uxf") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty()) << "no .uxf file in " << dir;
  for (const fs::path& file : files) {
    const std::string name = file.filename().string();
    DiagramReader reader;
    reader.OpenInput(file.string());
    try {
      const PElemTable diagram = reader.ReadDiagram();
      EXPECT_EQ(diagram->Count(), ElementTags(ReadWholeFile(file.string()))) << name;
    } catch (const PlimkoError& error) {
      std::cout << name << ": " << error.what() << " at line=" << reader.Input().LineNo()
                << ", pos=" << reader.Input().LinePos() << "\n";
      EXPECT_TRUE(IsReaderMessage(error.what())) << name << ": " << error.what();
    }
    reader.CloseInput();
  }
}

}  // namespace
