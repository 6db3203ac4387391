// Member lines of a class panel: attribute and operation declarations.
#pragma once

#include <string>

#include "model/ElemTable.h"
#include "model/ElemType.h"
#include "reader/scanner.h"

class DiagramReader;

// One variable declaration: an attribute's or a parameter's.
struct TVarDeclRec {
  std::string Name;
  std::string TypeName;
  PElemTable Multiplicity;
  std::string Default;
};

// Reads one attribute line and appends the attribute to the class.
void ReadAttributeLine(DiagramReader& reader, const PClassType& cls);
// Reads one operation line and appends the operation to the class.
void ReadOperationLine(DiagramReader& reader, const PClassType& cls);

// Whether the member line at the position names a Smalltalk selector before its "(":
// keywords ("at:put:") or a binary selector ("<="). Such a line is an operation in
// any section.
bool SelectorLineFollows(const Scanner& input);

// Consumes "#", "+" or "-" and answers it; answers a blank when there is none.
char ReadVisibility(Scanner& input);
// Reads name, type, multiplicity and default value up to one of the terminators
// (or the end of the line); the terminator is not consumed.
TVarDeclRec ReadVarDecl(DiagramReader& reader, const ArrayOfString& terminators);
// Reads a default value, keeping quoted and parenthesised parts together.
std::string ReadValueText(Scanner& input, const ArrayOfString& terminators);

// The tokens of a followed by those of b.
ArrayOfString JoinDelimiters(const ArrayOfString& a, const ArrayOfString& b);
// Whether the scanner's last delimiter is one of the tokens.
bool LastDelimiterIn(const Scanner& input, const ArrayOfString& tokens);
