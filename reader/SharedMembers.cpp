// Equal member lines of a diagram share one member object while it is read.
#include "reader/SharedMembers.h"

#include <unordered_map>

#include "model/ElemList.h"
#include "model/Multiplicity.h"
#include "model/Param.h"

namespace {

// Keyed by every part that the member is made of, each part ended by a NUL, which
// no part holds; the key's buffer is kept for the next line.
struct Pool {
  std::unordered_map<std::string, PElement> members;
  std::string key;
  bool inUse = false;
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

// The member of the key made so far, made by make when there is none yet.
template <class Make>
PElement Member(Make make) {
  if (!Shared.inUse) return make();
  const auto found = Shared.members.find(Shared.key);
  if (found != Shared.members.end()) return found->second;
  return Shared.members.emplace(Shared.key, make()).first->second;
}

}  // namespace

SharedMembersInUse::SharedMembersInUse() {
  Shared = Pool();
  Shared.inUse = true;
}

SharedMembersInUse::~SharedMembersInUse() {
  Shared = Pool();
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
