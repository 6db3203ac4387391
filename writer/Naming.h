// Smalltalk names: every class, type, variable and selector name passes here.
#pragma once

#include <string>
#include <string_view>

#include "model/ElemType.h"

// The class name with its first letter in upper case; "NO_ELEMENT" for no class.
std::string StClassName(const PClassType& cls);
// A type text as a class name; "Object" for the empty text.
std::string StTypeName(const std::string& text);
// A variable, selector or parameter name; the case is left as it is.
std::string StIdentifier(const std::string& text);
// The name StTypeName makes of the text: the text itself when it is that
// name already, else the name made, kept in storage.
std::string_view TypeNameOf(const std::string& text, std::string& storage);
// Write the names that StClassName, StTypeName and StIdentifier make; a name
// that is its text already is written without a copy.
void WriteClassName(const PClassType& cls);
void WriteTypeName(const std::string& text);
void WriteIdentifier(const std::string& text);
// Whether StIdentifier makes a name of the text instead of failing.
bool IsNameable(const std::string& text);
// Whether StTypeName makes a name of the text instead of failing.
bool IsTypeNameable(const std::string& text);
