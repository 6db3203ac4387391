// Reading with a second thread gives what reading with one thread gives: the same
// elements, or the same failure, and the scanner left at the same place.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "ReaderTestSupport.h"
#include "model/Connection.h"

namespace {

using namespace reader_test;
namespace fs = std::filesystem;

std::string DescribeElement(const PElement& element) {
  const PElemType item = ToElemType(element);
  std::string text = std::to_string(item->GetX()) + "," + std::to_string(item->GetY()) + "," +
                     std::to_string(item->GetW()) + "," + std::to_string(item->GetH()) + " ";
  if (IsClassType(element)) {
    text += DescribeClass(ToClassType(element));
    for (const std::string& member : DescribeMembers(ToClassType(element))) text += "\n " + member;
  } else if (const auto rel = std::dynamic_pointer_cast<TRelType>(element)) {
    for (const LinePoint& point : {rel->StartPoint(), rel->EndPoint()}) {
      text += std::to_string(point.x) + ";" + std::to_string(point.y) + " ";
    }
    text += DescribeRelation(rel);
  } else {
    text += "other " + Quoted(item->GetName());
  }
  return text;
}

// The elements or the failure, then everything the scanner shows afterwards.
std::string ReadAll(const std::string& path, const SplitSettings& settings, int& taken) {
  SetSplitSettings(settings);
  OpenInput(path);
  std::string text;
  try {
    for (const PElement& element : ElementsOf(ReadDiagram())) {
      text += DescribeElement(element) + "\n";
    }
  } catch (const std::exception& error) {
    text = std::string("failure: ") + error.what() + "\n";
  }
  text += "line=" + std::to_string(LineNo()) + " pos=" + std::to_string(LinePos()) +
          (AtEof() ? " eof" : "") + " delimiter=" + Quoted(LastDelimiter()) + "\n" + CurLine();
  taken += LastReadWasSplit() ? 1 : 0;
  CloseInput();
  SetSplitSettings(SplitSettings{});
  return text;
}

// Reads the file alone, in evenly spread pieces, in one piece per line (every
// few lines and each element line of a long file), and split once at each line
// (at most about 40 of them); answers how many split readings took the second
// thread's result, or -1 when none could: the file has no line that begins with
// an element tag, or its prologue fails.
int CheckSplitReadings(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  std::vector<int64_t> starts;  // also those behind a Ctrl-Z, which the scanner never reaches
  std::vector<int64_t> elementLines;
  for (size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] != '\n' && (bytes[i] != '\r' || bytes[i + 1] == '\n')) continue;
    starts.push_back(static_cast<int64_t>(i) + 1);
    const size_t text = std::min(bytes.find_first_not_of(" \t", i + 1), bytes.size());
    if (bytes.compare(text, 9, "<element>") == 0) {
      elementLines.push_back(starts.back());
    }
  }
  // Pieces are looked for from the byte before a line start, which is never a
  // start itself, inside a CR LF pair included.
  const auto cutsBefore = [](const std::vector<int64_t>& lines) {
    SplitSettings settings{.minInputSize = 0, .firstText = "", .secondTakesAll = true};
    for (const int64_t start : lines) settings.cutsFrom.push_back(start - 1);
    return settings;
  };
  std::vector<int64_t> many = elementLines;
  for (size_t k = 0; k < starts.size(); k += starts.size() / 400 + 1) many.push_back(starts[k]);
  std::sort(many.begin(), many.end());
  std::vector<SplitSettings> variants = {cutsBefore(many), {.minInputSize = 0}};
  for (size_t k = 0; k < starts.size(); k += starts.size() / 40 + 1) {
    variants.push_back(cutsBefore({starts[k]}));
  }
  int taken = 0;
  const SplitSettings oneThread{.minInputSize = std::numeric_limits<int64_t>::max()};
  const std::string alone = ReadAll(path, oneThread, taken);
  for (const SplitSettings& settings : variants) {
    EXPECT_EQ(ReadAll(path, settings, taken), alone)
        << path << " split at " << ::testing::PrintToString(settings.cutsFrom);
  }
  const bool canHandOver = !elementLines.empty() && !alone.starts_with("failure: wrong zoom");
  return canHandOver ? taken : -1;
}

TEST(SplitRead, EndToEndInputsAndCorpus) {
  for (const fs::path& dir : {fs::path(E2E_DIR), fs::path(CORPUS_DIR)}) {
    if (!fs::is_directory(dir)) continue;  // the corpus is not everywhere
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
      if (entry.path().extension() == ".uxf") {
        EXPECT_NE(CheckSplitReadings(entry.path().string()), 0) << entry.path();
      }
    }
  }
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Broken documents, with the damage before, at or after the places where the
// reading is split.
TEST(SplitRead, BrokenDocuments) {
  const std::string cls = ClassElement("Zürich\n--\n-a: T = 1\n--\n+f(p: T): R");
  const std::string rel = RelationElement("lt=&lt;-\nm1=0..n");
  const std::string other = Element("Note", "text\n<element>\n<id>UMLClass</id>", "");
  const std::string body = cls + rel + other + cls + rel + cls;
  const std::string badX = Replaced(cls, "<x>10</x>", "<x>1O</x>");
  const std::string badEntity = ClassElement("Zürich&zz;");
  const std::vector<std::string> documents = {
      Document(body),
      Document(badX + body),
      Document(body + badX),
      Document(body + badEntity + rel),
      Document(cls + other + Element("UMLClass", "C\n<element>\nx", "") + body),
      Document(Replaced(body, "</element>\n  <element>", "</element><element>")),
      Replaced(Document(body), "\n", "\r\n"),
      Replaced(Document(body + badX), "\n", "\r"),
      Replaced(Document(body + badEntity), "\n", "\n\r\n\r"),
      Document(cls + rel + "\x1a" + body),
      Document(body + cls + "\x1a" + rel),
      Document(cls + rel + "</diagram>\n" + body),
      Document(cls + rel + std::string(1, '\0') + "\n" + body),
      Document(body).substr(0, Document(body).size() - 12),
      Document(body + Element("Relation", "lt=-", "    <additional_attributes>1;2</"), "7"),
  };
  for (const std::string& document : documents) {
    EXPECT_GT(CheckSplitReadings(WriteTempFile(document)), 0) << document;
  }
}

}  // namespace
