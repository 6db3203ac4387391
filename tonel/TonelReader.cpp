// Reading a class file: its comment, its definition (a STON map), then its methods.
#include "tonel/TonelReader.h"

#include <set>
#include <string>
#include <utility>

#include "model/Error.h"
#include "tonel/Lexis.h"
#include "tonel/MethodBody.h"
#include "tonel/Pattern.h"
#include "tonel/Ston.h"
#include "tonel/TonelCursor.h"
#include "writer/TemporaryFile.h"

namespace {

// The layout writes the comment as LF, its text with every '"' doubled, LF, all in
// double quotes; those two line ends are its own, not the comment's.
std::string ReadComment(TonelCursor& cursor) {
  const std::string_view text = cursor.Text();
  const std::size_t start = cursor.Position();
  std::string comment;
  for (std::size_t at = start + 1;;) {
    const std::size_t close = text.find('"', at);
    if (close == std::string_view::npos) cursor.FailAt(start, "the class comment is not closed");
    comment.append(text.substr(at, close - at));
    if (close + 1 == text.size() || text[close + 1] != '"') {
      cursor.MoveTo(close + 1);
      break;
    }
    comment.push_back('"');
    at = close + 2;
  }
  if (comment.starts_with('\n')) comment.erase(0, 1);
  if (comment.ends_with('\n')) comment.pop_back();
  return comment;
}

struct TextEntry {
  const char* key;
  std::string TonelClass::*field;
};

constexpr TextEntry kTextEntries[] = {
    {"name", &TonelClass::name},
    {"superclass", &TonelClass::superclass},
    {"category", &TonelClass::category},
    {"package", &TonelClass::package},
};

struct ListEntry {
  const char* key;
  std::vector<std::string> TonelClass::*field;
};

constexpr ListEntry kListEntries[] = {
    {"instVars", &TonelClass::instVars},
    {"classVars", &TonelClass::classVars},
    {"classInstVars", &TonelClass::classInstVars},
};

// The value's spelling and, for a variable list, each name's, go into the entry's span.
void ReadEntry(TonelCursor& cursor, EntrySpan& entry, TonelClass& result) {
  const std::size_t start = cursor.Position();
  for (const TextEntry& known : kTextEntries) {
    if (entry.key == known.key) {
      result.*known.field = ReadStonText(cursor);
      entry.value = {start, cursor.Position()};
      return;
    }
  }
  for (const ListEntry& known : kListEntries) {
    if (entry.key == known.key) {
      std::vector<std::pair<std::size_t, std::size_t>> spellings;
      result.*known.field = ReadStonTextList(cursor, &spellings);
      for (const auto& [begin, end] : spellings) entry.items.push_back({begin, end});
      entry.value = {start, cursor.Position()};
      return;
    }
  }
  const std::string_view value = SkipStonValue(cursor);
  result.otherEntries.emplace_back(entry.key, value);
  entry.value = {start, start + value.size()};
}

void ReadDefinition(TonelCursor& cursor, ClassFile& file) {
  TonelClass& result = file.cls;
  const std::string_view text = cursor.Text();
  const std::size_t start = cursor.Position();
  const std::string_view kind = text.substr(start, IdentifierLength(text, start));
  if (kind != "Class" && kind != "Trait" && kind != "Extension") {
    cursor.Fail("expected the definition: Class, Trait or Extension");
  }
  result.kind = kind;
  file.definition = start;
  cursor.MoveTo(start + kind.size());
  cursor.SkipBlanks();
  file.open = cursor.Position() + 1;
  std::set<std::string> keys;
  ReadStonMap(cursor, [&](const std::string& key, std::size_t keyAt) {
    if (!keys.insert(key).second) cursor.Fail("#" + key + " is given twice");
    EntrySpan& entry = file.entries.emplace_back();
    entry.key = key;
    ReadEntry(cursor, entry, result);
    entry.whole = {keyAt, entry.value.end};
  });
  file.close = cursor.Position() - 1;
  if (result.name.empty()) cursor.FailAt(start, "the definition has no #name");
}

// The metadata map before a method; of its entries only the protocol is read, and where
// its value is spelled goes into the span.
std::string ReadCategory(TonelCursor& cursor, TextSpan& spelled) {
  std::string category;
  ReadStonMap(cursor, [&](const std::string& key, std::size_t) {
    if (key == "category") {
      spelled.begin = cursor.Position();
      category = ReadStonText(cursor);
      spelled.end = cursor.Position();
    } else {
      SkipStonValue(cursor);
    }
  });
  return category;
}

// "Person >>" or "Person class >>" (traits write "classSide"); answers whether the
// method is on the class side.
bool ReadMethodOwner(TonelCursor& cursor, const std::string& className) {
  const std::string_view text = cursor.Text();
  const std::size_t start = cursor.Position();
  const std::string_view owner = text.substr(start, IdentifierLength(text, start));
  if (owner.empty()) cursor.Fail("expected a method: " + className + " >> selector [");
  if (owner != className) {
    cursor.Fail("a method of " + std::string(owner) + " in the file of " + className);
  }
  cursor.MoveTo(start + owner.size());
  cursor.SkipBlanks();
  const std::size_t side = cursor.Position();
  const std::string_view word = text.substr(side, IdentifierLength(text, side));
  const bool classSide = word == "class" || word == "classSide";
  if (classSide) {
    cursor.MoveTo(side + word.size());
    cursor.SkipBlanks();
  }
  if (!cursor.Take('>') || !cursor.Take('>')) cursor.Fail("expected >> after " + className);
  cursor.SkipBlanks();
  return classSide;
}

// "Person class >> at:put:", for messages.
std::string MethodName(const std::string& className, bool classSide, std::string_view selector) {
  std::string name = className + (classSide ? " class >> " : " >> ");
  name += selector;
  return name;
}

// The source is the pattern as written before "[", then the body without the line end
// that the layout puts before "]", both put straight into the class's buffer. Pharo takes
// all that stands before "[" as the pattern, so comments after the last argument count
// as the pattern's too. Answers the selector.
std::string ReadMethodText(TonelCursor& cursor, const std::string& className, bool classSide,
                           TonelMethods& methods) {
  const std::string_view text = cursor.Text();
  const std::size_t start = cursor.Position();
  MethodPattern pattern;
  try {
    pattern = SplitPattern(text.substr(start));
  } catch (const GenericError& error) {
    cursor.Fail(error.Message());
  }
  const std::string name = MethodName(className, classSide, pattern.selector);
  cursor.MoveTo(AfterGap(text, start + pattern.length));
  if (cursor.Peek() == '"') cursor.Fail("the comment is not closed");
  std::size_t patternEnd = cursor.Position();
  while (IsBlank(text[patternEnd - 1])) --patternEnd;
  if (!cursor.Take('[')) cursor.Fail("expected [ after " + name);
  const std::size_t bodyStart = cursor.Position();
  std::string_view body = text.substr(bodyStart, SkipMethodBody(cursor, name) - bodyStart);
  if (body.ends_with('\n')) body.remove_suffix(1);
  methods.AppendToDraft(text.substr(start, patternEnd - start));
  methods.AppendToDraft(body);
  // The image compiles the source, whose pattern a body that starts with a keyword goes on.
  return SplitPattern(methods.Draft()).selector;
}

void ReadMethods(TonelCursor& cursor, ClassFile& file) {
  TonelClass& result = file.cls;
  std::set<std::pair<bool, std::string>> defined;
  for (cursor.SkipBlanks(); !cursor.AtEnd(); cursor.SkipBlanks()) {
    std::string category;
    MethodSpan& span = file.methods.emplace_back();
    span.whole.begin = cursor.Position();
    if (cursor.Peek() == '{') {
      category = ReadCategory(cursor, span.category);
      cursor.SkipBlanks();
    }
    const std::size_t start = cursor.Position();
    span.owner = start;
    const bool classSide = ReadMethodOwner(cursor, result.name);
    const std::string selector = ReadMethodText(cursor, result.name, classSide, result.methods);
    if (!defined.emplace(classSide, selector).second)
      cursor.FailAt(start, MethodName(result.name, classSide, selector) + " is defined twice");
    result.methods.AddDraft(classSide, category, selector);
    span.whole.end = cursor.Position();
  }
}

}  // namespace

ClassFile ReadClassFile(std::string_view input) {
  ClassFile file;
  // A file checked out with CRLF is the same class.
  file.text = input;
  file.lineEnds = LineEnds::MadeLf(file.text);
  TonelCursor cursor(file.text);
  if (file.text.starts_with("\xEF\xBB\xBF")) cursor.MoveTo(3);  // a byte order mark
  cursor.SkipBlanks();
  file.comment = {cursor.Position(), cursor.Position()};
  if (cursor.Peek() == '"') {
    file.cls.comment = ReadComment(cursor);
    file.comment.end = cursor.Position();
    cursor.SkipBlanks();
  }
  ReadDefinition(cursor, file);
  ReadMethods(cursor, file);
  return file;
}

ClassFile ReadClassFile(std::string_view text, const std::string& path) {
  try {
    return ReadClassFile(text);
  } catch (const PlimkoError& error) {
    throw GenericError(QuotedPath(path) + " is not a Tonel class file: " + error.Message());
  }
}

TonelClass ReadTonelClass(std::string_view text) {
  return ReadClassFile(text).cls;
}
