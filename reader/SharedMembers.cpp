// Equal member lines of a diagram share one member object while it is read.
#include "reader/SharedMembers.h"

#include <functional>
#include <string_view>
#include <vector>

#include "model/ElemList.h"
#include "model/Multiplicity.h"
#include "model/Param.h"

namespace {

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
  void Start() {
    slots_.clear();
    slots_.resize(kFirst);
    madeSinceGrown_ = 0;
  }
  Slot& At(size_t hash) { return slots_[hash & (slots_.size() - 1)]; }
  // The place for a new entry of this hash.
  Slot& ForNew(size_t hash) {
    if (++madeSinceGrown_ > slots_.size() && slots_.size() < kMost) Grow();
    return At(hash);
  }

 private:
  static constexpr size_t kFirst = size_t{1} << 6;
  static constexpr size_t kMost = size_t{1} << 13;

  void Grow() {
    std::vector<Slot> grown(slots_.size() * 2);
    for (Slot& slot : slots_) {
      if (slot.Used()) grown[slot.hash & (grown.size() - 1)] = std::move(slot);
    }
    slots_ = std::move(grown);
    madeSinceGrown_ = 0;
  }

  std::vector<Slot> slots_;
  size_t madeSinceGrown_ = 0;
};

// Keyed by every part that the member is made of, each part ended by a NUL, which
// no part holds; the key's buffer is kept for the next line.
struct Pool {
  Places<MemberSlot> members;
  Places<MultiplicitySlot> multiplicities;
  std::string key;
  bool inUse = false;
  // Used in use only: a model made outside the pool keeps no lines.
  Places<LineSlot> lines;
};

Pool Shared;

// The part's own terminating NUL ends it in the key.
void AddPart(const std::string& part) {
  Shared.key.append(part.c_str(), part.size() + 1);
}

void StartKey(char kind, char visibility, bool isStatic) {
  Shared.key.assign({kind, visibility, isStatic ? 's' : 'i'});
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
  if (!Shared.inUse) return make();
  const size_t hash = std::hash<std::string>{}(Shared.key);
  if (const MemberSlot& slot = Shared.members.At(hash); slot.Used() && slot.key == Shared.key) {
    return slot.member;
  }
  PElement made = make();
  MemberSlot& slot = Shared.members.ForNew(hash);
  slot.hash = hash;
  slot.key.assign(Shared.key);
  slot.member = made;
  return made;
}

size_t LineHash(char kind, std::string_view text) {
  return std::hash<std::string_view>{}(text) + static_cast<unsigned char>(kind);
}

}  // namespace

SharedMembersInUse::SharedMembersInUse() {
  Shared = Pool();
  Shared.inUse = true;
  Shared.lines.Start();
  Shared.members.Start();
  Shared.multiplicities.Start();
}

SharedMembersInUse::~SharedMembersInUse() {
  Shared = Pool();
}

KeptLine MemberOfLine(char kind, std::string_view text) {
  if (!Shared.inUse) return {};
  const LineSlot& slot = Shared.lines.At(LineHash(kind, text));
  return slot.kind == kind && slot.text == text ? slot.line : KeptLine();
}

void KeepMemberOfLine(char kind, std::string_view text, const KeptLine& line) {
  if (!Shared.inUse) return;
  const size_t hash = LineHash(kind, text);
  LineSlot& slot = Shared.lines.ForNew(hash);
  slot.hash = hash;
  slot.kind = kind;
  slot.text.assign(text);
  slot.line = line;
}

PElemTable SharedMultiplicity(const PElemTable& ranges) {
  if (!Shared.inUse) return ranges;
  Shared.key.clear();
  AddRanges(ranges);
  const size_t hash = std::hash<std::string>{}(Shared.key);
  if (const MultiplicitySlot& slot = Shared.multiplicities.At(hash);
      slot.Used() && slot.key == Shared.key) {
    return slot.ranges;
  }
  MultiplicitySlot& slot = Shared.multiplicities.ForNew(hash);
  slot.hash = hash;
  slot.key.assign(Shared.key);
  slot.ranges = ranges;
  return ranges;
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
  // By content, not by address: where the allocator put a parameter must not decide
  // whether two lines share. The count of ranges keeps one parameter's parts apart
  // from the next one's.
  for (const PElement& element : params) {
    const PParam param = ToParam(element);
    AddPart(param->GetName());
    AddPart(param->GetType());
    AddPart(param->GetDefault());
    AddPart(std::to_string(param->GetMultiplicity()->Count()));
    AddRanges(param->GetMultiplicity());
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
