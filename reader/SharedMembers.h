// Equal member lines of a diagram share one member object while it is read.
#pragma once

#include <memory_resource>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ClassMember.h"
#include "model/ElemTable.h"
#include "reader/MemberLine.h"

// A member line read before: its member, and whether its reading ended at the
// first "<" of its text (the panel's end) rather than at the line's end.
struct KeptLine {
  PClassMember member;
  bool endsAtTag = false;
};

// For the reading of one diagram, equal attributes, parameters and operations
// read are one object each: members never change once made, and diagrams repeat
// the same lines (an id, a name, a getter) in class after class. The members it
// makes are made in the memory given, which must outlive them and it.
class SharedMembers {
 public:
  explicit SharedMembers(std::pmr::memory_resource& memory);
  SharedMembers(const SharedMembers&) = delete;
  SharedMembers& operator=(const SharedMembers&) = delete;

  // The member line read before with this text, from where the reader started to
  // the line's end, and of this kind ('a' for an attribute, 'o' for an
  // operation); no member when none is kept. A bounded number of lines is kept,
  // the last read at each place of a table.
  KeptLine MemberOfLine(char kind, std::string_view text) const;
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

 private:
  // A member line kept with its member, at the place of its hash.
  struct LineSlot {
    size_t hash = 0;
    char kind = 0;  // none while the place is free
    std::string text;
    KeptLine line;

    bool Used() const { return kind != 0; }
  };

  // A member kept for sharing, under the key of its parts.
  struct MemberSlot {
    size_t hash = 0;
    std::string key;
    PElement member;

    bool Used() const { return member != nullptr; }
  };

  // Equal multiplicities of relation ends, under the key of their ranges.
  struct MultiplicitySlot {
    size_t hash = 0;
    std::string key;
    PElemTable ranges;

    bool Used() const { return ranges != nullptr; }
  };

  // Entries take the place of those before them at their place, so that a
  // diagram whose every line differs neither keeps an entry per line nor searches
  // a table of millions. A table starts small, for a small diagram, and doubles
  // while entries come faster than it has places, up to a bound.
  template <class Slot>
  class Places {
   public:
    Places() : slots_(kFirst) {}
    Slot& At(size_t hash) { return slots_[hash & (slots_.size() - 1)]; }
    const Slot& At(size_t hash) const { return slots_[hash & (slots_.size() - 1)]; }
    // The place for a new entry of this hash.
    Slot& ForNew(size_t hash) {
      if (++madeSinceGrown_ > slots_.size() && slots_.size() < kMost) Grow();
      return At(hash);
    }

   private:
    static constexpr size_t kFirst = size_t{1} << 6;
    static constexpr size_t kMost = size_t{1} << 13;

    void Grow();

    std::vector<Slot> slots_;
    size_t madeSinceGrown_ = 0;
  };

  // The part's own terminating NUL ends it in the key.
  void AddPart(const std::string& part);
  void StartKey(char kind, char visibility, bool isStatic);
  void AddRanges(const PElemTable& ranges);
  void AddDecl(const TVarDeclRec& rec);
  // The member of the key made so far, made by make when there is none yet.
  template <class Make>
  PElement Member(Make make);

  std::pmr::memory_resource& memory_;
  Places<MemberSlot> members_;
  Places<MultiplicitySlot> multiplicities_;
  Places<LineSlot> lines_;
  // Keyed by every part that the member is made of, each part ended by a NUL,
  // which no part holds; the key's buffer is kept for the next line.
  std::string key_;
};
