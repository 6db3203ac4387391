// Smalltalk names: every class, type, variable and selector name passes here.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "model/ElemType.h"

class Composer;

// The same few class and type names are asked for again and again while a
// class is written (its definition, its comment, its method headers, its
// attributes' types), so a writer keeps the last ones it made.
class MadeNames {
 public:
  // The class name of a text that is no plain identifier, made again only when
  // it is not among the last ones made.
  std::string ClassNameOf(const std::string& text);

 private:
  struct Made {
    std::string text;
    std::string name;
  };
  std::array<Made, 8> made_;
  std::size_t next_ = 0;
};

// The class name with its first letter in upper case; "NO_ELEMENT" for no class.
std::string StClassName(const PClassType& cls);
// The same, taken from the names made last where it is among them.
std::string StClassName(const PClassType& cls, MadeNames& names);
// A type text as a class name; "Object" for the empty text.
std::string StTypeName(const std::string& text);
// A variable, selector or parameter name; the case is left as it is.
std::string StIdentifier(const std::string& text);
// The name StTypeName makes of the text: the text itself when it is that
// name already, else the name made, kept in storage.
std::string_view TypeNameOf(const std::string& text, std::string& storage, MadeNames& names);
// Write the names that StClassName, StTypeName and StIdentifier make; a name
// that is its text already is written without a copy.
void WriteClassName(Composer& out, const PClassType& cls);
void WriteTypeName(Composer& out, const std::string& text);
void WriteIdentifier(Composer& out, const std::string& text);
// Whether StIdentifier makes a name of the text instead of failing.
bool IsNameable(const std::string& text);
// Whether StTypeName makes a name of the text instead of failing.
bool IsTypeNameable(const std::string& text);
