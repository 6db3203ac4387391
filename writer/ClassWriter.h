// Everything the output says about one diagram class.
#pragma once

#include "model/ElemTable.h"
#include "model/Element.h"
#include "writer/ClassLayout.h"
#include "writer/ClassText.h"

// The class's definition, comment, initialize method, accessors and stubs, or
// the note that stands in place of a class the output leaves out, handed to
// the layout as each is composed; superclasses and realised interfaces are
// found among allClasses. Answers whether the class has a class-side initialize,
// which loading must run once every class exists.
bool ComposeClass(const PElement& cls, const PElemTable& allClasses, ClassLayout& layout);
// The same, collected whole.
ClassText ComposeClass(const PElement& cls, const PElemTable& allClasses);
