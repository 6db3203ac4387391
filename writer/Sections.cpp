// Method protocol sections: every method gets a header of its own.
#include "writer/Sections.h"

#include <memory>
#include <string>

#include "writer/Naming.h"
#include "writer/Output.h"

namespace {

// The method group being written. Weak, so that no class outlives the run
// through them.
std::weak_ptr<IClassType> GroupClass;
std::string GroupPiece;
// The interface whose name ends the header piece, when the group has one.
std::weak_ptr<IClassType> GroupInterface;
// The header without its stamp, once the group's first header has made its
// names; every further method of the group repeats it.
std::string GroupHeader;
// The section of the last method stays open until the next method starts or
// its group ends, so that a name that fails before a method leaves the file
// as far as the previous method got.
bool SectionOpen = false;

void EndOpenSection() {
  if (!SectionOpen) return;
  SectionOpen = false;
  WriteLine(" !");
  EndLine();
}

}  // namespace

void BeginMethodGroup(const PClassType& cls, std::string_view piece) {
  // Every group is ended before the next begins; a section still open here was
  // left by a writing that failed, in a file that is closed by now.
  SectionOpen = false;
  GroupClass = cls;
  GroupPiece = piece;
  GroupInterface.reset();
  GroupHeader.clear();
}

void BeginInterfaceGroup(const PClassType& cls, const PClassType& interface) {
  BeginMethodGroup(cls, " methodsFor: '");
  GroupInterface = interface;
}

// The first header of a group is written piece by piece, so that a name that
// fails leaves the file right before it.
void StartMethod() {
  EndOpenSection();
  SectionOpen = true;
  if (GroupHeader.empty()) {
    Write("!");
    const std::string className = StClassName(GroupClass.lock());
    Write(className);
    Write(GroupPiece);
    const PClassType interface = GroupInterface.lock();
    const std::string interfaceName = interface ? StClassName(interface) : "";
    Write(interfaceName);
    GroupHeader = "!" + className + GroupPiece + interfaceName;
  } else {
    Write(GroupHeader);
  }
  Write(StampSuffix());
}

void EndMethodGroup() {
  EndOpenSection();
}
