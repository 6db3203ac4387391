// The lines of an initialize method or a class comment, and the runs of them that belong to
// one variable: the statement that sets it, the comment's line that describes it.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tonel/LineDiff.h"

// An initialize method's source, where a statement "name := ..." belongs to its variable,
// over as many lines as it takes; or a class comment, where a line under "Instance
// Variables" or "Class Variables" that starts with a blank, a name and a tab belongs to
// that variable, and one under "Constraints" that starts with blanks, '"#' and a name and
// a blank to that link.
enum class TextKind { Method, Comment };

// What a run belongs to: a variable or a link, by its section (S for a statement; I, C and
// K for the comment's Instance Variables, Class Variables and Constraints) and its name.
struct RunKey {
  char section = 0;
  std::string_view name;

  bool operator==(const RunKey&) const = default;
};

struct RunKeyHash {
  std::size_t operator()(const RunKey& key) const {
    return std::hash<std::string_view>()(key.name) ^ static_cast<unsigned char>(key.section);
  }
};

// Lines [first, last] of the text that belong to one variable.
struct KeyedRun {
  RunKey key;
  std::size_t first = 0;
  std::size_t last = 0;
  // A statement's text, offsets into the text: from its first character to its period,
  // or to its end where it has none.
  std::size_t begin = 0;
  std::size_t end = 0;
};

struct KeyedLines {
  std::string_view text;
  Lines lines;
  // In the text's order, one per key: the first.
  std::vector<KeyedRun> runs;
  std::unordered_map<RunKey, std::size_t, RunKeyHash> byKey;
  // The lines of no run, in order; for each, its index in lines.
  Lines free;
  std::vector<std::size_t> freeLine;
  // For each run, how many free lines precede it.
  std::vector<std::size_t> freeBefore;
  // Per line of a method: whether a statement starts on it, and whether it starts inside a
  // string or a comment.
  std::vector<bool> startsStatement;
  std::vector<bool> inLiteral;
  // The line that ends a last statement without a period, whose end is then the text's
  // last character but blanks; npos when there is none.
  std::size_t openLine = std::string_view::npos;
};

// Linear in the text's size. A method whose pattern cannot be read has no runs.
KeyedLines SplitKeyed(std::string_view text, TextKind kind);

// The blanks (spaces and tabs) that the line starts with.
std::string_view Indentation(std::string_view line);
