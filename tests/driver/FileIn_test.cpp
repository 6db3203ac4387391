// Reading the output as Smalltalk files it in: the chunk reader of current Pharo
// takes exactly one method and one further chunk after each protocol header,
// while older readers take methods until an empty chunk. Both must find every
// method, and the chunk after a method must be the empty end of its section.
#include <gtest/gtest.h>
#include <filesystem>

#include "driver/RunPlimko.h"
#include "support/TempFile.h"

namespace {

namespace fs = std::filesystem;

// The chunks of a file: each ends at a "!" that is not doubled; "!!" stands
// for one "!" inside a chunk.
std::vector<std::string> Chunks(const std::string& text) {
  std::vector<std::string> chunks(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '!') {
      chunks.back() += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '!') {
      chunks.back() += '!';
      ++i;
    } else {
      chunks.emplace_back();
    }
  }
  return chunks;
}

bool IsBlank(const std::string& chunk) {
  return chunk.find_first_not_of(" \t\r\n") == std::string::npos;
}

// A method as "header | selector line": the header without its stamp, the
// first line of the method text.
std::string MethodName(const std::string& header, const std::string& method) {
  const size_t start = method.find_first_not_of("\r\n");
  const std::string selector = method.substr(start, method.find('\r', start) - start);
  return header.substr(0, header.find(" stamp:")) + " | " + selector;
}

struct Reading {
  std::vector<std::string> methods;
  // Chunks taken as a method's metadata that hold more than blanks: lost text.
  int swallowed = 0;
};

// A blank chunk announces a declaration; a protocol header is followed by
// exactly one method and one metadata chunk.
Reading ReadAsCurrentPharo(const std::vector<std::string>& chunks) {
  Reading reading;
  for (size_t i = 0; i < chunks.size(); ++i) {
    if (!IsBlank(chunks[i]) || i + 1 >= chunks.size()) continue;
    const std::string& header = chunks[i + 1];
    if (header.find("methodsFor:") == std::string::npos) continue;
    if (i + 2 < chunks.size()) reading.methods.push_back(MethodName(header, chunks[i + 2]));
    if (i + 3 < chunks.size() && !IsBlank(chunks[i + 3])) ++reading.swallowed;
    i += 3;
  }
  return reading;
}

// Older readers take methods after a header until a blank chunk.
std::vector<std::string> ReadAsOlderReaders(const std::vector<std::string>& chunks) {
  std::vector<std::string> methods;
  for (size_t i = 0; i + 1 < chunks.size(); ++i) {
    if (!IsBlank(chunks[i]) || chunks[i + 1].find("methodsFor:") == std::string::npos) continue;
    const std::string& header = chunks[i + 1];
    for (i += 2; i < chunks.size() && !IsBlank(chunks[i]); ++i) {
      methods.push_back(MethodName(header, chunks[i]));
    }
  }
  return methods;
}

// Every method of a class with accessors on both sides, several operations of
// one protocol and an interface, next to a class without public attributes.
TEST(FileIn, CurrentPharoFindsEveryMethod) {
  const std::string dir = MakeTempDir();
  fs::copy_file(fs::path(E2E_DIR) / "sections.uxf", fs::path(dir) / "sections.uxf");
  fs::create_directory(fs::path(dir) / "out");
  ASSERT_EQ(RunPlimko({"sections.uxf", "out"}, dir).exitStatus, 0);
  const std::vector<std::string> chunks = Chunks(ReadWholeFile(dir + "/out/sections.st"));

  const Reading reading = ReadAsCurrentPharo(chunks);
  const std::vector<std::string> expected = {
      "Vault methodsFor: 'initialize-release' | initialize",
      "Account methodsFor: 'initialize-release' | initialize",
      "Account methodsFor: 'accessing' | owner: aString",
      "Account methodsFor: 'accessing' | owner",
      "Account methodsFor: 'accessing' | balance: anInteger",
      "Account methodsFor: 'accessing' | balance",
      "Account methodsFor: 'accessing' | entries",
      "Account methodsFor: 'accessing' | vault: aVault",
      "Account methodsFor: 'accessing' | vault",
      "Account class methodsFor: 'accessing' | count: anInteger",
      "Account class methodsFor: 'accessing' | count",
      "Account class methodsFor: 'accessing' | limit: anInteger",
      "Account class methodsFor: 'accessing' | limit",
      "Account methodsFor: 'public' | depositAmount: anInteger",
      "Account methodsFor: 'public' | withdrawAmount: anInteger",
      "Account methodsFor: 'public' | close",
      "Account methodsFor: 'Auditable' | audit",
      "Account methodsFor: 'Auditable' | reportFormat: aString",
  };
  EXPECT_EQ(reading.methods, expected);
  EXPECT_EQ(reading.swallowed, 0);
  EXPECT_EQ(ReadAsOlderReaders(chunks), expected);
}

// Every expected output of the end-to-end cases reads the same both ways.
TEST(FileIn, EveryCaseReadsAlikeOldAndNew) {
  for (const fs::directory_entry& entry : fs::directory_iterator(E2E_DIR)) {
    if (entry.path().extension() != ".st") continue;
    const std::vector<std::string> chunks = Chunks(ReadWholeFile(entry.path().string()));
    const Reading reading = ReadAsCurrentPharo(chunks);
    EXPECT_EQ(reading.methods, ReadAsOlderReaders(chunks)) << entry.path();
    EXPECT_EQ(reading.swallowed, 0) << entry.path();
  }
}

}  // namespace
