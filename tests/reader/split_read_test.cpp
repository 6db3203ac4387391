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

std::string DescribePoint(const LinePoint& point) {
  return std::to_string(point.x) + ";" + std::to_string(point.y);
}

std::string DescribeElement(const PElement& element) {
  const PElemType item = ToElemType(element);
  std::string text = std::to_string(item->GetX()) + "," + std::to_string(item->GetY()) + "," +
                     std::to_string(item->GetW()) + "," + std::to_string(item->GetH()) + " ";
  if (IsClassType(element)) {
    text += DescribeClass(ToClassType(element));
    for (const std::string& member : DescribeMembers(ToClassType(element))) text += "\n " + member;
  } else if (IsRelType(element)) {
    const auto rel = std::dynamic_pointer_cast<TRelType>(element);
    text += DescribeRelation(rel) + " from " + DescribePoint(rel->StartPoint()) + " to " +
            DescribePoint(rel->EndPoint());
  } else {
    text += "other " + Quoted(item->GetName());
  }
  return text;
}

// The elements or the failure, then everything the scanner shows afterwards.
std::string ReadAll(const std::string& path, const SplitSettings& settings, bool& split) {
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
  split = LastReadWasSplit();
  CloseInput();
  SetSplitSettings(SplitSettings{});
  return text;
}

// The offsets at which a new line starts, also those the scanner never comes to
// behind a Ctrl-Z.
std::vector<int64_t> LineStarts(const std::string& bytes) {
  std::vector<int64_t> starts;
  for (size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && bytes[i + 1] != '\n')) {
      starts.push_back(static_cast<int64_t>(i) + 1);
    }
  }
  return starts;
}

// The starts of the lines that begin with an element tag, where a reading of a
// diagram in UMLet's layout can hand over.
std::vector<int64_t> ElementLines(const std::string& bytes) {
  std::vector<int64_t> lines;
  for (const int64_t start : LineStarts(bytes)) {
    const size_t text = bytes.find_first_not_of(" \t", static_cast<size_t>(start));
    if (text != std::string::npos && bytes.compare(text, 9, "<element>") == 0) {
      lines.push_back(start);
    }
  }
  return lines;
}

// Pieces are looked for from the byte before a line start, which is never a
// start itself, inside a CR LF pair included.
SplitSettings CutsBefore(const std::vector<int64_t>& starts) {
  SplitSettings settings;
  settings.minInputSize = 0;
  settings.firstText = "";
  settings.secondTakesAll = true;
  for (const int64_t start : starts) settings.cutsFrom.push_back(start - 1);
  return settings;
}

// Reads the file alone, in evenly spread pieces, in one piece per line (every
// few lines and each element line of a long file), and split once at each line
// (at most about 40 of them); answers how many of the split readings took the
// second thread's result, and what the reading alone gave.
int CheckSplitReadings(const std::string& path, std::string& alone) {
  SplitSettings oneThread;
  oneThread.minInputSize = std::numeric_limits<int64_t>::max();
  SplitSettings evenly;
  evenly.minInputSize = 0;
  evenly.pieces = 7;
  bool split = false;
  alone = ReadAll(path, oneThread, split);
  EXPECT_FALSE(split);
  const std::string bytes = ReadWholeFile(path);
  const std::vector<int64_t> starts = LineStarts(bytes);
  std::vector<int64_t> many = ElementLines(bytes);
  for (size_t k = 0; k < starts.size(); k += starts.size() / 400 + 1) many.push_back(starts[k]);
  std::sort(many.begin(), many.end());
  std::vector<SplitSettings> variants = {evenly, CutsBefore(many)};
  const size_t step = starts.size() / 40 + 1;
  for (size_t k = 0; k < starts.size(); k += step) variants.push_back(CutsBefore({starts[k]}));
  int taken = 0;
  for (const SplitSettings& settings : variants) {
    EXPECT_EQ(ReadAll(path, settings, split), alone)
        << path << " split at " << ::testing::PrintToString(settings.cutsFrom);
    taken += split ? 1 : 0;
  }
  return taken;
}

std::vector<fs::path> DiagramsIn(const fs::path& dir) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() == ".uxf") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Diagrams with an element line hand over, unless their prologue fails.
void CheckDiagramsIn(const fs::path& dir) {
  for (const fs::path& file : DiagramsIn(dir)) {
    std::string alone;
    const int taken = CheckSplitReadings(file.string(), alone);
    if (!ElementLines(ReadWholeFile(file.string())).empty() &&
        !alone.starts_with("failure: wrong zoom level")) {
      EXPECT_GT(taken, 0) << file;
    }
  }
}

TEST(SplitRead, EndToEndInputs) {
  CheckDiagramsIn(E2E_DIR);
}

TEST(SplitRead, Corpus) {
  if (!fs::is_directory(CORPUS_DIR)) GTEST_SKIP() << "no corpus folder at " << CORPUS_DIR;
  CheckDiagramsIn(CORPUS_DIR);
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
  const std::string oneLine = Replaced(body, "</element>\n  <element>", "</element><element>");
  const std::string badX = Replaced(cls, "<x>10</x>", "<x>1O</x>");
  const std::string badEntity = ClassElement("Zürich&zz;");
  const std::vector<std::string> documents = {
      Document(body),
      Document(badX + body),
      Document(body + badX),
      Document(body + badEntity + rel),
      Document(cls + other + Element("UMLClass", "C\n<element>\nx", "") + body),
      Document(oneLine),
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
    std::string alone;
    EXPECT_GT(CheckSplitReadings(WriteTempFile(document), alone), 0) << document;
  }
}

}  // namespace
