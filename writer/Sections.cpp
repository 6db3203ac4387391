// Method groups: the side and protocol of the methods a class text is given.
#include "writer/Sections.h"

#include <memory>

#include "model/Error.h"
#include "writer/Compose.h"
#include "writer/Naming.h"

namespace {

constexpr std::size_t kUsualMethodSize = 128;

ClassText* GroupText = nullptr;
bool GroupClassSide = false;
std::string GroupProtocol;
// The interface that names the group's protocol. It is named at the group's
// first method, so that an interface without operations is never named. Weak,
// so that no class outlives the run through it.
std::weak_ptr<IClassType> GroupInterface;

}  // namespace

void ComposeMethodsOf(ClassText* text) {
  GroupText = text;
}

void BeginMethodGroup(bool classSide, std::string protocol) {
  GroupClassSide = classSide;
  GroupProtocol = std::move(protocol);
  GroupInterface.reset();
}

void BeginInterfaceGroup(const PClassType& interface) {
  BeginMethodGroup(false, "");
  GroupInterface = interface;
}

void StartMethod() {
  if (const PClassType interface = GroupInterface.lock()) {
    GroupProtocol = StClassName(interface);
    GroupInterface.reset();
  }
  if (GroupText == nullptr) throw GenericError("no class text takes methods");
  GroupText->methods.push_back({GroupClassSide, GroupProtocol, ""});
  // Room for a usual method at once, instead of growing it piece by piece.
  GroupText->methods.back().source.reserve(kUsualMethodSize);
  ComposeInto(GroupText->methods.back().source);
}
