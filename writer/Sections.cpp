// Method protocol sections: every method gets a header of its own.
#include "writer/Sections.h"

#include <string>

#include "writer/Naming.h"
#include "writer/Output.h"

namespace {

PClassType GroupClass;
std::string GroupPiece;
// The interface whose name ends the header piece, when the group has one.
PClassType GroupInterface;
// The section of the last method stays open until the next method starts or
// its group ends, so that a name that fails before a method leaves the file as
// far as the previous method got.
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
  GroupInterface = nullptr;
}

void BeginInterfaceGroup(const PClassType& cls, const PClassType& interface) {
  BeginMethodGroup(cls, " methodsFor: '");
  GroupInterface = interface;
}

void StartMethod() {
  EndOpenSection();
  SectionOpen = true;
  Write("!");
  Write(StClassName(GroupClass));
  Write(GroupPiece);
  if (GroupInterface) Write(StClassName(GroupInterface));
  Write(StampSuffix());
}

void EndMethodGroup() {
  EndOpenSection();
}
