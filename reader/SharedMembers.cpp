// Equal member lines of a diagram share one member object while it is read.
#include "reader/SharedMembers.h"

#include <functional>
#include <memory_resource>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/Arena.h"
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

// Keyed by every part that the member is made of, each part ended by a NUL, which
// no part holds. The keys kept are made where the members are, so that a large
// diagram's many keys cost no more than its members to make and to let go.
struct Pool {
  explicit Pool(std::pmr::memory_resource* memory) : members(memory), multiplicities(memory) {}
  std::pmr::unordered_map<std::pmr::string, PElement> members;
  std::pmr::unordered_map<std::pmr::string, PElemTable> multiplicities;
  std::vector<LineSlot> lines = std::vector<LineSlot>(kLineSlots);
};

// Only while in use: a model made outside the pool keeps no lines.
std::optional<Pool> Shared;
// The key of the member being read; its buffer is kept for the next one.
std::pmr::string Key;

// The part's own terminating NUL ends it in the key.
void AddPart(const std::string& part) {
  Key.append(part.c_str(), part.size() + 1);
}

void StartKey(char kind, char visibility, bool isStatic) {
  Key.assign({kind, visibility, isStatic ? 's' : 'i'});
}

void AddRanges(const PElemTable& ranges) {
  for (const PElement& range : ElementsOf(ranges)) {
    const PMultiplicity multiplicity = ToMultiplicity(range);
    AddPart(multiplicity->GetLower());
    AddPart(multiplicity->GetUpper());
  }
}

void AddDecl(const TVarDeclRec& rec) {
  AddPart(rec.Name);
  AddPart(rec.TypeName);
  AddPart(rec.Default);
  AddRanges(rec.Multiplicity);
}

// The member of the key made so far, made by make when there is none yet.
template <class Make>
PElement Member(Make make) {
  if (!Shared) return make();
  const auto found = Shared->members.find(Key);
  if (found != Shared->members.end()) return found->second;
  return Shared->members.emplace(Key, make()).first->second;
}

LineSlot& SlotOf(char kind, std::string_view text) {
  const size_t hash = std::hash<std::string_view>{}(text) + static_cast<unsigned char>(kind);
  return Shared->lines[hash & (kLineSlots - 1)];
}

}  // namespace

SharedMembersInUse::SharedMembersInUse() {
  Shared.emplace(ModelMemory());
}

SharedMembersInUse::~SharedMembersInUse() {
  Shared.reset();
}

KeptLine MemberOfLine(char kind, std::string_view text) {
  if (!Shared) return {};
  const LineSlot& slot = SlotOf(kind, text);
  return slot.kind == kind && slot.text == text ? slot.line : KeptLine();
}

void KeepMemberOfLine(char kind, std::string_view text, const KeptLine& line) {
  if (!Shared) return;
  LineSlot& slot = SlotOf(kind, text);
  slot.kind = kind;
  slot.text.assign(text);
  slot.line = line;
}

PElemTable SharedMultiplicity(const PElemTable& ranges) {
  if (!Shared) return ranges;
  Key.clear();
  AddRanges(ranges);
  return Shared->multiplicities.try_emplace(Key, ranges).first->second;
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
    Key.append(reinterpret_cast<const char*>(&self), sizeof self);
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
