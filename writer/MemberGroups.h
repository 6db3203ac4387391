// The member groups of a class and the attribute entries of its class text.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "model/ElemList.h"
#include "model/ElemTable.h"
#include "model/Element.h"
#include "writer/NameSet.h"

class Composer;

// The groups of a class's members that its text writes. "+" and a member
// without a visibility mark are public.
enum class MemberGroup : std::uint8_t {
  InstanceAttributes,
  PublicInstanceAttributes,
  ClassAttributes,
  PublicClassAttributes,
  PublicOperations,
  ProtectedOperations,
  PrivateOperations,
  PublicClassOperations,
  ProtectedClassOperations,
  PrivateClassOperations,
};

class MemberGroups;

// One group, walked in panel order over the class's own member table: a
// group holds no table of its own, so that a class of millions of members is
// not held twice more.
class MemberGroupView {
 public:
  bool IsEmpty() const;
  template <class Visit>
  void Walk(Visit visit) const;

 private:
  friend class MemberGroups;
  MemberGroupView(const MemberGroups& groups, std::uint16_t bit) : groups_(groups), bit_(bit) {}
  const MemberGroups& groups_;
  std::uint16_t bit_;
};

// The groups of every member of the table, taken in one walk over it. The
// table must outlive the groups, and nothing is added to it meanwhile.
class MemberGroups {
 public:
  explicit MemberGroups(const PElemTable& members);
  MemberGroupView operator[](MemberGroup group) const {
    return {*this, static_cast<std::uint16_t>(1u << static_cast<unsigned>(group))};
  }

 private:
  friend class MemberGroupView;
  ElemList members_;
  std::vector<std::uint16_t> groupsOf_;  // per member, a bit for each group it is in
  std::uint16_t present_ = 0;            // a bit for each group that is not empty
};

template <class Visit>
void MemberGroupView::Walk(Visit visit) const {
  if (IsEmpty()) return;
  for (std::size_t i = 0; i < groups_.members_.size(); ++i) {
    if ((groups_.groupsOf_[i] & bit_) != 0) visit(groups_.members_[i]);
  }
}

// All operations, instance and class side.
PElemTable Operations(const PElemTable& members);

// The variable name lists of a class as they are made, one at a time: every
// name is listed once only, and the names declared already (by superclasses)
// not at all. The sets behind the lists keep their storage from class to class.
class VariableNameLists {
 public:
  // Starts a list, which must outlive the calls below.
  void StartVariableNameList(const std::set<std::string>& declared, std::vector<std::string>& list);
  // Adds the name to the current list, unless it holds it already.
  void ListVariable(const std::string& name);
  // Lists an attribute's variable.
  void ListAttributeVariable(const PElement& member);
  // Ends the current list: answers every name it took or was not to take, valid
  // until the next call.
  const NameSet& TakeListedVariables();
  // Lists each class attribute's variable in the current list, but for one that
  // shares its name with an instance variable (ownInstanceNames, or
  // inheritedInstanceNames of the superclasses): Smalltalk takes no class
  // variable of that name, so it becomes a class-side instance variable, listed
  // once in classInstanceVariables unless the class side of a superclass
  // declares it (inheritedClassSide).
  void ListClassAttributeVariables(const MemberGroupView& classAttributes,
                                   const NameSet& ownInstanceNames,
                                   const std::set<std::string>& inheritedInstanceNames,
                                   const std::set<std::string>& inheritedClassSide,
                                   std::vector<std::string>& classInstanceVariables);

 private:
  // The names that the list being made must not take (again): those its
  // superclasses declare and those listed so far.
  NameSet listed_;
  // The names of the list ended last. Swapped with listed_ rather than moved,
  // so that both keep their storage.
  NameSet taken_;
  std::vector<std::string>* list_ = nullptr;
};

// An attribute's line of the class comment.
void WriteAttributeComment(Composer& out, const PElement& member);
