// The three-way merge of a class: plimko's last text, the user's file, the diagram's text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tonel/TonelMerge.h"

namespace {

// One method, holding its own texts.
TonelMethods Method(const std::string& selector, const std::string& body, bool classSide = false) {
  return {{classSide, "accessing", selector, selector + "\n" + body}};
}

TonelClass Cls(const std::vector<TonelMethods>& methods, std::vector<std::string> instVars = {},
               const std::string& comment = "C.\n") {
  TonelClass cls;
  cls.name = "C";
  cls.superclass = "Object";
  cls.category = "p";
  cls.package = "p";
  cls.comment = comment;
  cls.instVars = std::move(instVars);
  for (const TonelMethods& method : methods) cls.methods.push_back(method.front());
  return cls;
}

// The merged methods' sources, in the order the merge gives them.
std::vector<std::string> Sources(const MergedClass& merged) {
  std::vector<std::string> sources;
  for (const TonelMethod& method : merged.cls.methods) sources.emplace_back(method.source);
  return sources;
}

// Per method: base, current and next, absent where empty; what the merge keeps.
TEST(TonelMerge, MethodRules) {
  struct Case {
    const char* story;
    std::string base, current, next;
    std::vector<std::string> merged;
    int kept;
    std::vector<std::string> notes;
    bool copy = true;  // whether the base is plimko's last output, or there is none
  };
  const std::string stub = "  ^ self shouldBeImplemented";
  const std::string done = "  ^ 42";
  const std::string other = "  ^ self subclassResponsibility";
  const std::string note =
      "the diagram's version of C>>#m was not applied: the method is kept as written (the "
      "diagram's version, m, is in copy)";
  // Pharo's formatter: other blanks between the same tokens.
  const std::string formatted = "\t^self\n\t\tshouldBeImplemented";
  const std::vector<Case> kCases = {
      {"untouched, diagram changed: new text", stub, stub, other, {"m\n" + other}, 0, {}},
      {"untouched, diagram dropped it: gone", stub, stub, "", {}, 0, {}},
      {"implemented, diagram unchanged: kept", stub, done, stub, {"m\n" + done}, 1, {}},
      {"implemented, diagram changed: kept, note", stub, done, other, {"m\n" + done}, 1, {note}},
      {"implemented, diagram dropped it: kept, note",
       stub,
       done,
       "",
       {"m\n" + done},
       1,
       {"C>>#m is no longer in the diagram: the method is kept as written in file, and "
        "plimko's copy no longer holds it"}},
      {"written by the user: kept", "", done, "", {"m\n" + done}, 1, {}},
      {"new in the diagram: added", "", "", stub, {"m\n" + stub}, 0, {}},
      {"deleted, diagram unchanged: stays deleted", stub, "", stub, {}, 0, {}},
      {"deleted, diagram changed: comes back", stub, "", other, {"m\n" + other}, 0, {}},
      {"no copy, same text: kept, no note", "", stub, stub, {"m\n" + stub}, 0, {}, false},
      {"no copy, other text: kept, counted, no note", "", done, stub, {"m\n" + done}, 1, {}, false},
      {"formatted, diagram unchanged: the user's bytes",
       stub,
       formatted,
       stub,
       {"m\n" + formatted},
       0,
       {}},
      {"formatted, diagram changed: new text", stub, formatted, other, {"m\n" + other}, 0, {}},
      {"formatted, diagram dropped it: gone", stub, formatted, "", {}, 0, {}},
  };
  auto methods = [](const std::string& body) {
    return body.empty() ? std::vector<TonelMethods>{} : std::vector{Method("m", body)};
  };
  for (const Case& c : kCases) {
    const TonelClass base = Cls(methods(c.base));
    MergedClass merged = MergeClass(c.copy ? &base : nullptr, Cls(methods(c.current)),
                                    Cls(methods(c.next)), {"file", "copy"});
    EXPECT_EQ(Sources(merged), c.merged) << c.story;
    EXPECT_EQ(merged.leftAsTheyAre, !c.copy && c.kept > 0 ? 1 : 0) << c.story;
    EXPECT_EQ(merged.keptAsWritten, c.kept) << c.story;
    EXPECT_EQ(merged.notes, c.notes) << c.story;
  }
}

// A side and a selector name a method: the class side's m is another method.
TEST(TonelMerge, SidesAreApart) {
  const TonelClass base = Cls({Method("m", "  ^1")});
  MergedClass merged = MergeClass(&base, Cls({Method("m", "  ^1"), Method("m", "  ^2", true)}),
                                  Cls({Method("m", "  ^3")}), {"file", "copy"});
  EXPECT_EQ(Sources(merged), (std::vector<std::string>{"m\n  ^3", "m\n  ^2"}));
}

// The comment is merged by lines: each side's change where the other left the lines,
// both insertions at one place (the user's first), the user's lines where both changed,
// followed by the diagram's, which a note quotes.
TEST(TonelMerge, Comment) {
  struct Case {
    std::string base, current, next, merged;
    bool noted;
  };
  const std::string b =
      "plimko: the diagram's line, not applied: B. Keep what you need and delete this line.";
  const std::vector<Case> kCases = {
      {"A.\n", "A.\n", "B.\n", "B.\n", false},
      {"A.\n", "Mine.\n", "A.\n", "Mine.\n", false},
      {"A.\n", "Mine.\n", "B.\n", "Mine.\n" + b + "\n", true},
      {"A.\n", "", "A.\n", "", false},
      {"A.\n", "", "B.\n", b + "\n", true},
      {"", "Mine.\n", "B.\n", "Mine.\nB.\n", false},
      {"A.\nx\nB.\n", "Mine.\nx\nB.\n", "A.\nx\nC.\n", "Mine.\nx\nC.\n", false},
  };
  for (const Case& c : kCases) {
    const TonelClass base = Cls({}, {}, c.base);
    MergedClass merged =
        MergeClass(&base, Cls({}, {}, c.current), Cls({}, {}, c.next), {"file", "copy"});
    EXPECT_EQ(merged.cls.comment, c.merged) << c.current;
    EXPECT_EQ(merged.notes, c.noted ? std::vector<std::string>{"the diagram's version of the "
                                                               "comment of C was not applied "
                                                               "where the user changed the same "
                                                               "text; it follows the user's "
                                                               "text in file: " +
                                                               b}
                                    : std::vector<std::string>{})
        << c.current;
  }
}

// The user's order stays; a dropped variable stays while a method kept as written names
// it; a new one goes after the diagram's nearest preceding name, or before the first.
TEST(TonelMerge, Variables) {
  struct Case {
    std::vector<std::string> base, current, next, merged;
  };
  const std::vector<Case> kCases = {
      {{"a", "b", "c"}, {"mine", "a", "b", "c"}, {"d", "a"}, {"mine", "d", "a", "b"}},
      {{"a", "b"}, {"a", "b"}, {"a", "c", "e", "b"}, {"a", "c", "e", "b"}},
      {{"a", "b"}, {"b", "a"}, {"a", "c"}, {"b", "a", "c"}},
      {{"a", "b"}, {"a"}, {"a", "b", "c"}, {"a", "c"}},
      {{"a"}, {"x"}, {"a", "y"}, {"x", "y"}},
  };
  for (const Case& c : kCases) {
    const TonelClass base = Cls({Method("a", "  ^a")}, c.base);
    const TonelClass current = Cls({Method("a", "  ^a"), Method("total", "  ^b + 1")}, c.current);
    MergedClass merged =
        MergeClass(&base, current, Cls({Method("a", "  ^a")}, c.next), {"file", "copy"});
    EXPECT_EQ(merged.cls.instVars, c.merged) << c.merged.size();
  }
  const TonelClass base = Cls({}, {"b"});
  const TonelClass current = Cls({Method("total", "  ^b + 1"), Method("b", "  ^b")}, {"b"});
  EXPECT_EQ(MergeClass(&base, current, Cls({}), {"file", "copy"}).notes,
            (std::vector<std::string>{"the variable b of C is kept: C>>#b and C>>#total use it"}));
}

// Whole words outside strings, comments and characters.
TEST(TonelMerge, NamesWord) {
  const std::pair<std::string, bool> kCases[] = {
      {"m\n  ^b", true},        {"m\n  ^ab + bc", false},   {"m\n  ^'b'", false},
      {"m\n  \"b\" ^1", false}, {"m\n  ^$b", false},        {"m\n  ^#b", true},
      {"m\n  ^x b: 1", true},   {"m\n  ^'it''s b'", false}, {"m\n  ^'' , b", true},
      {"m\n  ^ self b", true},  {"m\n  ^ #(b)", true},      {"m\n  b := 1", true}};
  for (const auto& [source, named] : kCases) EXPECT_EQ(NamesWord(source, "b"), named) << source;
}

// The order of methods in a file does not make another class.
TEST(TonelMerge, SameClass) {
  const TonelClass a = Cls({Method("x", "  ^1"), Method("y", "  ^2")});
  const TonelClass b = Cls({Method("y", "  ^2"), Method("x", "  ^1")});
  EXPECT_TRUE(SameClass(a, b));
  EXPECT_FALSE(SameClass(a, Cls({Method("x", "  ^1")})));
  EXPECT_FALSE(SameClass(a, Cls({Method("x", "  ^1"), Method("y", "  ^3")})));
}

}  // namespace
