// The output file as a whole: header, notes, class order, footer, errors, stamp.
#include <unistd.h>

#include <ctime>
#include <string>
#include <vector>

#include "WriterTestSupport.h"
#include "model/ElemList.h"
#include "writer/AtomicFile.h"
#include "writer/FileWriter.h"
#include "writer/Notes.h"

namespace {

using FileWriterTest = WriterTest;

const std::string kUsage =
    "\"Usage: drag this file with mouse and drop it into the Pharo window.\"\r\n";

std::string Header(const std::string& fileName) {
  return "\"This is " + fileName + " import file generated from umlet by plimko utility.\"\r\n" +
         kUsage;
}

// The error message WriteImportFile raises, or "no error".
std::string ImportError(const std::string& dir, const std::string& baseName,
                        const Diagram& diagram) {
  try {
    WriteImportFile(dir, baseName, baseName, diagram.classes, diagram.relations, NewElemTable());
  } catch (const PlimkoError& error) {
    return error.what();
  }
  return "no error";
}

// The class names of the definition lines, in the order they were written.
std::vector<std::string> DefinedClasses(const std::string& text) {
  std::vector<std::string> names;
  const std::string marker = " subclass: #";
  for (std::size_t at = text.find(marker); at != std::string::npos;
       at = text.find(marker, at + 1)) {
    std::size_t start = at + marker.size();
    names.push_back(text.substr(start, text.find('\r', start) - start));
  }
  return names;
}

// Nothing but the header, three empty lines and the footer.
TEST_F(FileWriterTest, EmptyDiagram) {
  std::string dir = MakeTempDir() + "/";
  EXPECT_EQ(ImportError(dir, "empty", Diagram()), "no error");
  EXPECT_EQ(ReadWholeFile(dir + "empty.st"),
            Header(dir + "empty.st") + "\r\n\r\n\r\n\"end of import file\"\r\n");
}

// Classes follow the classes they depend on; cycles come last in table order;
// a self relation delays nothing; a headless line puts its later class first.
TEST_F(FileWriterTest, ClassOrder) {
  Diagram diagram;
  PClassType sub = diagram.AddClass("Sub");
  PClassType base = diagram.AddClass("Base");
  PClassType a = diagram.AddClass("A");
  PClassType b = diagram.AddClass("B");
  PClassType c = diagram.AddClass("C");
  diagram.AddClass("D");
  PClassType e = diagram.AddClass("E");
  PClassType f = diagram.AddClass("F");
  PClassType g = diagram.AddClass("G");
  diagram.Relate(sub, base, 2, 2);
  diagram.Relate(a, b, 1, 2);
  diagram.Relate(b, a, 1, 2);
  diagram.Relate(c, a, 1, 2);
  diagram.Relate(e, e, 1, 2);
  diagram.Relate(f, g, 0, 0);
  diagram.Connect();
  std::string dir = MakeTempDir() + "/";
  EXPECT_EQ(ImportError(dir, "order", diagram), "no error");
  EXPECT_EQ(DefinedClasses(ReadWholeFile(dir + "order.st")),
            (std::vector<std::string>{"Base", "D", "E", "G", "Sub", "F", "A", "B", "C"}));
}

// Loose relations name their ends as read; other elements are ignored.
TEST_F(FileWriterTest, Notes) {
  Diagram diagram;
  PClassType mine = diagram.AddClass(
      "my \xC4\x8C"
      "as");
  PClassType other = diagram.AddClass("Other");
  diagram.Relate(mine, nullptr, 2, 2);
  diagram.Relate(nullptr, nullptr, 0, 0, '-', "a!b");
  diagram.Relate(other, mine, 1, 1, '.', "back");
  diagram.Relate(mine, other, 1, 2, '-', "fine");
  diagram.Connect();
  PElemType unknown = NewElemType();
  unknown->SetName("CustomElementImpl");
  EXPECT_EQ(Captured([&](Composer& out) {
              for (const PElement& relation : ElementsOf(diagram.relations))
                WriteUnconnectedNote(out, relation);
              WriteIgnoredNote(out, unknown);
            }),
            "\" NOTE: # inherits from #my \xC4\x8C"
            "as to #DISCONNECTED is not connected to "
            "classes.\"\r\n"
            "\" NOTE: #a!!b associates from #DISCONNECTED to #DISCONNECTED is not connected to "
            "classes.\"\r\n"
            "\" NOTE: #CustomElementImpl is unrecognized element type and therefore it is "
            "IGNORED.\"\r\n");
}

// Names from the command line are shown like model text; "!" is doubled and
// the category literal doubles its quotes.
TEST_F(FileWriterTest, ChunkSafeNames) {
  Diagram diagram;
  diagram.AddClass("X");
  std::string dir = MakeTempDir() + "/";
  std::string baseName = "Bob's \xC5\xBD!";
  EXPECT_EQ(ImportError(dir, baseName, diagram), "no error");
  std::string text = ReadWholeFile(dir + baseName + ".st");
  EXPECT_EQ(text.substr(0, text.find("\r\n")),
            "\"This is " + dir +
                "Bob's \xC5\xBD!!.st import file generated from umlet by plimko "
                "utility.\"");
  EXPECT_NE(text.find("\r\n  category: 'Bob''s \xC5\xBD!!'!\r\n"), std::string::npos);
}

// A missing directory gives no file and says why; a later run still opens its own file.
TEST_F(FileWriterTest, CannotOpen) {
  std::string dir = MakeTempDir() + "/missing/";
  EXPECT_EQ(ImportError(dir, "x", Diagram()),
            "cannot write in \"" + dir.substr(0, dir.size() - 1) + "\": No such file or directory");
  EXPECT_NE(access(dir.c_str(), F_OK), 0);
  std::string good = MakeTempDir() + "/";
  EXPECT_EQ(ImportError(good, "x", Diagram()), "no error");
}

// A naming error leaves no file, or an older one of the name as it was, and nothing
// else in the folder; a later run writes its own file.
TEST_F(FileWriterTest, NamingErrorLeavesNoFile) {
  Diagram diagram;
  diagram.AddClass("Set");
  diagram.AddClass("");
  diagram.AddClass("Never");
  for (const std::string older : {"", "older output\r\n"}) {
    std::string dir = MakeTempDir() + "/";
    if (!older.empty()) WriteFileAtomically(dir + "part.st", older);
    EXPECT_EQ(ImportError(dir, "part", diagram), "name is empty");
    EXPECT_EQ(FilesIn(dir),
              older.empty() ? std::vector<std::string>{} : std::vector<std::string>{"part.st"});
    if (!older.empty()) {
      EXPECT_EQ(ReadWholeFile(dir + "part.st"), older);
    }
  }
  std::string again = MakeTempDir() + "/";
  EXPECT_EQ(ImportError(again, "again", Diagram()), "no error");
  EXPECT_EQ(ReadWholeFile(again + "again.st"),
            Header(again + "again.st") + "\r\n\r\n\r\n\"end of import file\"\r\n");
}

// A failed write is reported with the system's message and leaves no file.
TEST_F(FileWriterTest, WriteFailure) {
  std::string dir = MakeTempDir() + "/";
  {
    FileSizeLimit limit(64);
    EXPECT_EQ(ImportError(dir, "full", Diagram()), "File too large");
  }
  EXPECT_EQ(FilesIn(dir), std::vector<std::string>{});
  EXPECT_EQ(ImportError(dir, "fine", Diagram()), "no error");
  EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"fine.st"});
}

// SOURCE_DATE_EPOCH fixes the stamp in UTC, whatever the local time zone; an
// unusable value reads the clock.
TEST_F(FileWriterTest, Stamp) {
  setenv("TZ", "EST5", 1);
  tzset();
  EXPECT_EQ(MakeStampSuffix(), kStamp);
  unsetenv("TZ");
  tzset();
  setenv("SOURCE_DATE_EPOCH", "0", 1);
  EXPECT_EQ(MakeStampSuffix(), "' stamp: 'Tessaloom 1/1/1970 0:0'!");
  setenv("SOURCE_DATE_EPOCH", "951827696", 1);
  EXPECT_EQ(MakeStampSuffix(), "' stamp: 'Tessaloom 2/29/2000 12:34'!");
  for (const char* unusable :
       {"", "-1", "12a", "+5", " 5", "99999999999999999999999", "67768036191676800"}) {
    unsetenv("SOURCE_DATE_EPOCH");
    std::string before = MakeStampSuffix();
    setenv("SOURCE_DATE_EPOCH", unusable, 1);
    std::string stamp = MakeStampSuffix();
    unsetenv("SOURCE_DATE_EPOCH");
    std::string after = MakeStampSuffix();
    EXPECT_TRUE(stamp == before || stamp == after) << unusable << ": " << stamp;
    EXPECT_NE(stamp, "' stamp: 'Tessaloom 1/1/1970 0:0'!") << unusable;
  }
  // Each output file reads the stamp's settings anew.
  Diagram diagram;
  diagram.AddClass("Clock");
  diagram.Connect();
  std::string dir = MakeTempDir() + "/";
  setenv("SOURCE_DATE_EPOCH", "0", 1);
  EXPECT_EQ(ImportError(dir, "first", diagram), "no error");
  setenv("SOURCE_DATE_EPOCH", "951827696", 1);
  setenv("PLIMKO_AUTHOR", "Ann", 1);
  EXPECT_EQ(ImportError(dir, "second", diagram), "no error");
  unsetenv("PLIMKO_AUTHOR");
  EXPECT_NE(ReadWholeFile(dir + "first.st").find("' stamp: 'Tessaloom 1/1/1970 0:0'!"),
            std::string::npos);
  EXPECT_NE(ReadWholeFile(dir + "second.st").find("' stamp: 'Ann 2/29/2000 12:34'!"),
            std::string::npos);
}

}  // namespace
