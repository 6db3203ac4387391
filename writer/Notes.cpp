// Comments after the header about diagram elements that give no code.
#include "writer/Notes.h"

#include "model/ElemList.h"
#include "model/ElemType.h"
#include "writer/Compose.h"
#include "writer/Relations.h"

namespace {

// Notes show names as the diagram has them, not as Smalltalk names.
void WriteEndName(Composer& out, const PClassType& cls) {
  if (cls) {
    out.Write(cls->GetName());
  } else {
    out.Write("DISCONNECTED");
  }
}

}  // namespace

std::string ComposeNotes(const PElemTable& relations, const PElemTable& others) {
  std::string notes;
  Composer out;
  out.ComposeInto(notes);
  for (const PElement& relation : ElementsOf(relations)) WriteUnconnectedNote(out, relation);
  for (const PElement& element : ElementsOf(others)) WriteIgnoredNote(out, element);
  return notes;
}

void WriteUnconnectedNote(Composer& out, const PElement& element) {
  PRelType relation = ToRelType(element);
  PClassType from = relation->GetClass1();
  PClassType to = relation->GetClass2();
  if (from && to) return;
  out.Write("\" NOTE: #");
  out.Write(relation->GetName());
  out.Write(" ");
  out.Write(KindWords(relation->GetHeadSize()));
  out.Write(" from #");
  WriteEndName(out, from);
  out.Write(" to #");
  WriteEndName(out, to);
  out.WriteLine(" is not connected to classes.\"");
}

void WriteIgnoredNote(Composer& out, const PElement& element) {
  out.Write("\" NOTE: #");
  out.Write(ToElemType(element)->GetName());
  out.WriteLine(" is unrecognized element type and therefore it is IGNORED.\"");
}
