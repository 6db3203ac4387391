// Method groups: the side and protocol of the methods a class layout is given.
#include "writer/Sections.h"

#include <memory>
#include <string>

#include "model/Error.h"
#include "writer/Compose.h"
#include "writer/Naming.h"

namespace {

ClassLayout* GroupLayout = nullptr;
bool GroupClassSide = false;
std::string GroupProtocol;
// The interface that names the group's protocol. It is named at the group's
// first method, so that an interface without operations is never named. Weak,
// so that no class outlives the run through it.
std::weak_ptr<IClassType> GroupInterface;
// The open method's text not yet handed on: one buffer for every method, so
// that composing a method allocates nothing once it has grown.
ByteBuffer MethodBuffer;
bool MethodOpen = false;

}  // namespace

void ComposeMethodsOf(ClassLayout* layout) {
  if (MethodOpen) StopComposing();
  MethodOpen = false;
  GroupLayout = layout;
}

void BeginMethodGroup(bool classSide, std::string_view protocol) {
  GroupClassSide = classSide;
  GroupProtocol.assign(protocol);
  GroupInterface.reset();
}

void BeginInterfaceGroup(const PClassType& interface) {
  BeginMethodGroup(false, "");
  GroupInterface = interface;
}

void StartMethod() {
  EndMethod();
  if (const PClassType interface = GroupInterface.lock()) {
    GroupProtocol = StClassName(interface);
    GroupInterface.reset();
  }
  if (GroupLayout == nullptr) throw GenericError("no class layout takes methods");
  GroupLayout->BeginMethod(GroupClassSide, GroupProtocol);
  MethodBuffer.Clear();
  ComposeInto(MethodBuffer, *GroupLayout);
  MethodOpen = true;
}

void EndMethod() {
  if (!MethodOpen) return;
  MethodOpen = false;
  DrainComposed();
  StopComposing();
  GroupLayout->End();
}
