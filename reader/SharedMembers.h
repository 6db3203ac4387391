// Equal member lines of a diagram share one member object while it is read.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "model/ClassMember.h"
#include "model/ElemTable.h"
#include "reader/MemberLine.h"

// For its lifetime, equal attributes, parameters and operations read are one
// object each: members never change once made, and diagrams repeat the same
// lines (an id, a name, a getter) in class after class. The members it keeps
// are let go when it ends, before the arena that holds them.
class SharedMembersInUse {
 public:
  SharedMembersInUse();
  ~SharedMembersInUse();
  SharedMembersInUse(const SharedMembersInUse&) = delete;
  SharedMembersInUse& operator=(const SharedMembersInUse&) = delete;
};

// A member line read before: its member, and whether its reading ended at the
// first "<" of its text (the panel's end) rather than at the line's end.
struct KeptLine {
  PClassMember member;
  bool endsAtTag = false;
};

// The member line read before with this text, from where the reader started to
// the line's end, and of this kind ('a' for an attribute, 'o' for an
// operation); no member when none is kept. A bounded number of lines is kept,
// the last read at each place of a table.
KeptLine MemberOfLine(char kind, std::string_view text);
// Keeps a line whose reading looked at nothing but that text.
void KeepMemberOfLine(char kind, std::string_view text, const KeptLine& line);

// The multiplicity of a relation end: one read before with equal ranges, or the
// one given. Relations repeat a few multiplicities ("0..1", "*") many times over.
PElemTable SharedMultiplicity(const PElemTable& ranges);

// The member of these parts: one read before with equal parts, or a new one.
PClassMember SharedAttribute(bool isStatic, char visibility, const TVarDeclRec& rec,
                             const std::string& properties);
PElement SharedParam(const TVarDeclRec& rec);
// The parameters are those SharedParam answered, so equal ones are the same object.
// Only a new operation gets a table of them; one without any gets NoElements.
PClassMember SharedOperation(bool isStatic, bool isAbstract, char visibility,
                             const std::string& name, const std::string& returnType,
                             std::span<const PElement> params);
