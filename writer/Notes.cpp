// Comments after the header about diagram elements that give no code.
#include "writer/Notes.h"

#include "model/ElemType.h"
#include "writer/Compose.h"
#include "writer/Relations.h"

namespace {

// Notes show names as the diagram has them, not as Smalltalk names.
void WriteEndName(const PClassType& cls) {
  if (cls) {
    Write(cls->GetName());
  } else {
    Write("DISCONNECTED");
  }
}

}  // namespace

std::string ComposeNotes(const PElemTable& relations, const PElemTable& others) {
  std::string notes;
  const Composing composing(notes);
  relations->ForEach(WriteUnconnectedNote);
  others->ForEach(WriteIgnoredNote);
  return notes;
}

void WriteUnconnectedNote(const PElement& element) {
  PRelType relation = ToRelType(element);
  PClassType from = relation->GetClass1();
  PClassType to = relation->GetClass2();
  if (from && to) return;
  Write("\" NOTE: #");
  Write(relation->GetName());
  Write(" ");
  Write(KindWords(relation->GetHeadSize()));
  Write(" from #");
  WriteEndName(from);
  Write(" to #");
  WriteEndName(to);
  WriteLine(" is not connected to classes.\"");
}

void WriteIgnoredNote(const PElement& element) {
  Write("\" NOTE: #");
  Write(ToElemType(element)->GetName());
  WriteLine(" is unrecognized element type and therefore it is IGNORED.\"");
}
