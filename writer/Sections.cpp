// Method protocol sections: every method gets a header of its own.
#include "writer/Sections.h"

#include <memory>
#include <string>

#include "writer/Naming.h"
#include "writer/Output.h"
#include "writer/WriterState.h"

namespace {

void EndOpenSection() {
  bool& open = CurrentWriterState().sectionOpen;
  if (!open) return;
  open = false;
  WriteLine(" !");
  EndLine();
}

}  // namespace

void BeginMethodGroup(const PClassType& cls, std::string_view piece) {
  // Every group is ended before the next begins; a section still open here was
  // left by a writing that failed, in a file that is closed by now.
  WriterState& state = CurrentWriterState();
  state.sectionOpen = false;
  state.groupClass = cls;
  state.groupPiece = piece;
  state.groupInterface.reset();
  state.groupHeader.clear();
}

void BeginInterfaceGroup(const PClassType& cls, const PClassType& interface) {
  BeginMethodGroup(cls, " methodsFor: '");
  CurrentWriterState().groupInterface = interface;
}

// The first header of a group is written piece by piece, so that a name that
// fails leaves the file right before it.
void StartMethod() {
  EndOpenSection();
  WriterState& state = CurrentWriterState();
  state.sectionOpen = true;
  if (state.groupHeader.empty()) {
    Write("!");
    const std::string className = StClassName(state.groupClass.lock());
    Write(className);
    Write(state.groupPiece);
    const PClassType interface = state.groupInterface.lock();
    const std::string interfaceName = interface ? StClassName(interface) : "";
    Write(interfaceName);
    state.groupHeader = "!" + className + state.groupPiece + interfaceName;
  } else {
    Write(state.groupHeader);
  }
  Write(StampSuffix());
}

void EndMethodGroup() {
  EndOpenSection();
}
