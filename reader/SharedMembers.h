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

// The member of a member line read before, found by the line's text from where
// the reader started to the line's end and by its kind ('a' for an attribute,
// 'o' for an operation); empty when none is kept. A bounded number of lines is
// kept, the last read at each place of a table.
PClassMember MemberOfLine(char kind, std::string_view text);
// Keeps the member of a line whose reading looked at nothing but that text and
// ended at the line's end.
void KeepMemberOfLine(char kind, std::string_view text, const PClassMember& member);

// The member of these parts: one read before with equal parts, or a new one.
PClassMember SharedAttribute(bool isStatic, char visibility, const TVarDeclRec& rec,
                             const std::string& properties);
PElement SharedParam(const TVarDeclRec& rec);
// The parameters are those SharedParam answered, so equal ones are the same object.
// Only a new operation gets a table of them; one without any gets NoElements.
PClassMember SharedOperation(bool isStatic, bool isAbstract, char visibility,
                             const std::string& name, const std::string& returnType,
                             std::span<const PElement> params);
