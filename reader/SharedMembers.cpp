// Equal member lines of a diagram share one member object while it is read.
#include "reader/SharedMembers.h"

#include <functional>
#include <string_view>
#include <vector>

#include "model/ElemList.h"
#include "model/Multiplicity.h"
#include "model/Param.h"

namespace {

size_t LineHash(char kind, std::string_view text) {
  return std::hash<std::string_view>{}(text) + static_cast<unsigned char>(kind);
}

}  // namespace

template <class Slot>
void SharedMembers::Places<Slot>::Grow() {
  std::vector<Slot> grown(slots_.size() * 2);
  for (Slot& slot : slots_) {
    if (slot.Used()) grown[slot.hash & (grown.size() - 1)] = std::move(slot);
  }
  slots_ = std::move(grown);
  madeSinceGrown_ = 0;
}

SharedMembers::SharedMembers(std::pmr::memory_resource& memory) : memory_(memory) {}

void SharedMembers::AddPart(const std::string& part) {
  key_.append(part.c_str(), part.size() + 1);
}

void SharedMembers::StartKey(char kind, char visibility, bool isStatic) {
  key_.assign({kind, visibility, isStatic ? 's' : 'i'});
}

void SharedMembers::AddRanges(const PElemTable& ranges) {
  for (const PElement& range : ElementsOf(ranges)) {
    const PMultiplicity multiplicity = ToMultiplicity(range);
    AddPart(multiplicity->GetLower());
    AddPart(multiplicity->GetUpper());
  }
}

void SharedMembers::AddDecl(const TVarDeclRec& rec) {
  AddPart(rec.Name);
  AddPart(rec.TypeName);
  AddPart(rec.Default);
  AddRanges(rec.Multiplicity);
}

template <class Make>
PElement SharedMembers::Member(Make make) {
  const size_t hash = std::hash<std::string>{}(key_);
  if (const MemberSlot& slot = members_.At(hash); slot.Used() && slot.key == key_) {
    return slot.member;
  }
  PElement made = make();
  MemberSlot& slot = members_.ForNew(hash);
  slot.hash = hash;
  slot.key.assign(key_);
  slot.member = made;
  return made;
}

KeptLine SharedMembers::MemberOfLine(char kind, std::string_view text) const {
  const LineSlot& slot = lines_.At(LineHash(kind, text));
  return slot.kind == kind && slot.text == text ? slot.line : KeptLine();
}

void SharedMembers::KeepMemberOfLine(char kind, std::string_view text, const KeptLine& line) {
  const size_t hash = LineHash(kind, text);
  LineSlot& slot = lines_.ForNew(hash);
  slot.hash = hash;
  slot.kind = kind;
  slot.text.assign(text);
  slot.line = line;
}

PElemTable SharedMembers::SharedMultiplicity(const PElemTable& ranges) {
  key_.clear();
  AddRanges(ranges);
  const size_t hash = std::hash<std::string>{}(key_);
  if (const MultiplicitySlot& slot = multiplicities_.At(hash); slot.Used() && slot.key == key_) {
    return slot.ranges;
  }
  MultiplicitySlot& slot = multiplicities_.ForNew(hash);
  slot.hash = hash;
  slot.key.assign(key_);
  slot.ranges = ranges;
  return ranges;
}

PClassMember SharedMembers::SharedAttribute(bool isStatic, char visibility, const TVarDeclRec& rec,
                                            const std::string& properties) {
  StartKey('a', visibility, isStatic);
  AddDecl(rec);
  AddPart(properties);
  return ToClassMember(Member([&] {
    return NewMemberVar(isStatic, std::string(1, visibility), rec.Name, rec.TypeName,
                        rec.Multiplicity, rec.Default, properties, memory_);
  }));
}

PElement SharedMembers::SharedParam(const TVarDeclRec& rec) {
  StartKey('p', ' ', false);
  AddDecl(rec);
  return Member(
      [&] { return NewParam(rec.Name, rec.TypeName, rec.Multiplicity, rec.Default, memory_); });
}

PClassMember SharedMembers::SharedOperation(bool isStatic, bool isAbstract, char visibility,
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
      table = NewElemTable(memory_);
      for (const PElement& param : params) table->Add(param);
    }
    return NewMemberFun(isStatic, isAbstract, std::string(1, visibility), name, returnType, table,
                        memory_);
  }));
}
