// Equal member lines of a diagram share one member object while it is read.
#include "reader/SharedMembers.h"

#include <functional>
#include <string_view>
#include <vector>

#include "model/ElemList.h"
#include "model/Multiplicity.h"
#include "model/Param.h"

namespace {

// A member line kept with its member. Lines take the place of those before them
// at their place, so the lines kept stay few however many a diagram has.
struct LineSlot {
  char kind = 0;
  std::string text;
  KeptLine line;
};

// A power of two: a line's place is the low bits of the hash of its text.
constexpr size_t kLineSlots = size_t{1} << 12;

// A member kept for sharing, under the key of its parts.
struct MemberSlot {
  std::string key;
  PElement member;
};

// Members, like lines, take the place of those before them at their place, so
// that a diagram whose every line differs neither keeps a key per member nor
// searches a table of millions. The table starts small, for a small diagram,
// and doubles while members are made faster than it has places, up to this.
constexpr size_t kFirstMemberSlots = size_t{1} << 6;
constexpr size_t kMostMemberSlots = size_t{1} << 13;

// Keyed by every part that the member is made of, each part ended by a NUL, which
// no part holds; the key's buffer is kept for the next line.
struct Pool {
  std::vector<MemberSlot> members;
  size_t madeSinceGrown = 0;
  std::string key;
  bool inUse = false;
  // Made in use only: a model made outside the pool keeps no lines.
  std::vector<LineSlot> lines;
};

Pool Shared;

// The part's own terminating NUL ends it in the key.
void AddPart(const std::string& part) {
  Shared.key.append(part.c_str(), part.size() + 1);
}

void StartKey(char kind, char visibility, bool isStatic) {
  Shared.key.assign({kind, visibility, isStatic ? 's' : 'i'});
}

void AddDecl(const TVarDeclRec& rec) {
  AddPart(rec.Name);
  AddPart(rec.TypeName);
  AddPart(rec.Default);
  for (const PElement& range : ElementsOf(rec.Multiplicity)) {
    const PMultiplicity multiplicity = ToMultiplicity(range);
    AddPart(multiplicity->GetLower());
    AddPart(multiplicity->GetUpper());
  }
}

size_t PlaceOf(std::string_view key, size_t places) {
  return std::hash<std::string_view>{}(key) & (places - 1);
}

// Doubles the member table, each kept member going to its place in the new one.
// An operation's key names its parameters by address; that stays sound while
// members are let go, since a kept operation holds its parameters alive.
void GrowMembers() {
  std::vector<MemberSlot> grown(Shared.members.size() * 2);
  for (MemberSlot& slot : Shared.members) {
    if (slot.member) grown[PlaceOf(slot.key, grown.size())] = std::move(slot);
  }
  Shared.members = std::move(grown);
  Shared.madeSinceGrown = 0;
}

// The member of the key made so far, made by make when there is none yet.
template <class Make>
PElement Member(Make make) {
  if (!Shared.inUse) return make();
  MemberSlot* slot = &Shared.members[PlaceOf(Shared.key, Shared.members.size())];
  if (slot->member && slot->key == Shared.key) return slot->member;
  PElement made = make();
  if (++Shared.madeSinceGrown > Shared.members.size() && Shared.members.size() < kMostMemberSlots) {
    GrowMembers();
    slot = &Shared.members[PlaceOf(Shared.key, Shared.members.size())];
  }
  slot->key.assign(Shared.key);
  slot->member = made;
  return made;
}

LineSlot& SlotOf(char kind, std::string_view text) {
  const size_t hash = std::hash<std::string_view>{}(text) + static_cast<unsigned char>(kind);
  return Shared.lines[hash & (kLineSlots - 1)];
}

}  // namespace

SharedMembersInUse::SharedMembersInUse() {
  Shared = Pool();
  Shared.inUse = true;
  Shared.lines.resize(kLineSlots);
  Shared.members.resize(kFirstMemberSlots);
}

SharedMembersInUse::~SharedMembersInUse() {
  Shared = Pool();
}

KeptLine MemberOfLine(char kind, std::string_view text) {
  if (!Shared.inUse) return {};
  const LineSlot& slot = SlotOf(kind, text);
  return slot.kind == kind && slot.text == text ? slot.line : KeptLine();
}

void KeepMemberOfLine(char kind, std::string_view text, const KeptLine& line) {
  if (!Shared.inUse) return;
  LineSlot& slot = SlotOf(kind, text);
  slot.kind = kind;
  slot.text.assign(text);
  slot.line = line;
}

PClassMember SharedAttribute(bool isStatic, char visibility, const TVarDeclRec& rec,
                             const std::string& properties) {
  StartKey('a', visibility, isStatic);
  AddDecl(rec);
  AddPart(properties);
  return ToClassMember(Member([&] {
    return NewMemberVar(isStatic, std::string(1, visibility), rec.Name, rec.TypeName,
                        rec.Multiplicity, rec.Default, properties);
  }));
}

PElement SharedParam(const TVarDeclRec& rec) {
  StartKey('p', ' ', false);
  AddDecl(rec);
  return Member([&] { return NewParam(rec.Name, rec.TypeName, rec.Multiplicity, rec.Default); });
}

PClassMember SharedOperation(bool isStatic, bool isAbstract, char visibility,
                             const std::string& name, const std::string& returnType,
                             std::span<const PElement> params) {
  StartKey(isAbstract ? 'f' : 'o', visibility, isStatic);
  AddPart(name);
  AddPart(returnType);
  // Equal parameters are one object, which the pool keeps alive, so its address names it.
  for (const PElement& param : params) {
    const IElement* self = param.get();
    Shared.key.append(reinterpret_cast<const char*>(&self), sizeof self);
  }
  return ToClassMember(Member([&] {
    PElemTable table = NoElements();
    if (!params.empty()) {
      table = NewElemTable();
      for (const PElement& param : params) table->Add(param);
    }
    return NewMemberFun(isStatic, isAbstract, std::string(1, visibility), name, returnType, table);
  }));
}
