// The frame of a method protocol section: its header and its end.
#include "writer/Sections.h"

#include "writer/Naming.h"
#include "writer/Output.h"

void WriteSectionHeader(const PClassType& cls, std::string_view piece) {
  Write("!");
  Write(StClassName(cls));
  Write(piece);
  Write(StampSuffix());
}

void WriteSectionEnd() {
  WriteLine(" !");
  EndLine();
}
