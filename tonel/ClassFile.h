// A class file as read: its values, and where each of its parts stands in its text, so
// that a merged file can keep the bytes of every part that the merge left alone.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tonel/LineEnds.h"
#include "tonel/TonelClass.h"

// Bytes [begin, end) of the file's text.
struct TextSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// One entry of the definition, "#key : value".
struct EntrySpan {
  std::string key;              // without its "#"
  TextSpan whole;               // from the "#" to the value's end
  TextSpan value;               // the value as the file spells it
  std::vector<TextSpan> items;  // a variable list's names as spelled, in order
};

// One method as the file spells it.
struct MethodSpan {
  TextSpan whole;     // from the metadata's "{" (or the owner, where there is none) to after "]"
  TextSpan category;  // the protocol's value in the metadata; empty where it has none
  std::size_t owner = 0;  // where "Person >>" starts
};

struct ClassFile {
  std::string text;   // the file with LF line ends; every span is into it
  LineEnds lineEnds;  // the file's own
  TonelClass cls;
  TextSpan comment;            // empty, at the definition's start, when there is none
  std::size_t definition = 0;  // where "Class" (or Trait, Extension) starts
  std::size_t open = 0;        // after the definition's "{"
  std::size_t close = 0;       // at its "}"
  std::vector<EntrySpan> entries;
  std::vector<MethodSpan> methods;  // one per cls.methods
};
