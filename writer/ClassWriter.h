// Everything the output says about one diagram class.
#pragma once

#include "model/ElemType.h"
#include "model/Element.h"
#include "writer/ByteBuffer.h"
#include "writer/ClassLayout.h"
#include "writer/ClassText.h"
#include "writer/Compose.h"
#include "writer/Hierarchy.h"
#include "writer/MandatoryValue.h"
#include "writer/MemberGroups.h"
#include "writer/Operations.h"
#include "writer/Sections.h"

// Writes the classes of the hierarchy's table, one after another, each to the
// layout it is given; what it keeps from class to class is storage, the facts
// gathered about the table and the class names made last. The hierarchy must
// outlive it. After an error the writer is to be dropped, with the layout.
class ClassWriter {
 public:
  explicit ClassWriter(const Hierarchy& hierarchy) : hierarchy_(hierarchy), values_(hierarchy) {}
  ClassWriter(const ClassWriter&) = delete;
  ClassWriter& operator=(const ClassWriter&) = delete;

  // The class's definition, comment, initialize method, accessors and stubs, or
  // the note that stands in place of a class the output leaves out, handed to
  // the layout as each is composed; superclasses and realised interfaces are
  // found among the hierarchy's classes. Answers whether the class has a
  // class-side initialize, which loading must run once every class exists.
  bool WriteClass(const PElement& cls, ClassLayout& layout);
  // The same, collected whole.
  ClassText WriteClass(const PElement& cls);

 private:
  const ClassDefinition& ComposeDefinition(const PClassType& cls, const PElemTable& superclasses,
                                           const MemberGroups& groups, const PElemTable& links);
  void ComposeComment(ClassLayout& layout, const std::string& name, const PClassType& cls,
                      const PElemTable& superclasses, const MemberGroups& groups,
                      const PElemTable& links, const PElemTable& constraints);
  void ComposeInitialize(const PClassType& cls, const MemberGroupView& instanceAttributes,
                         const PElemTable& links);
  void ComposeOperations(const MemberGroupView& operations, bool classSide, const char* protocol);

  const Hierarchy& hierarchy_;
  Composer out_;
  MethodSections methods_{out_};
  StubWriter stubs_{methods_};
  MandatoryValues values_;
  VariableNameLists variables_;
  // The definition of the class being composed, kept from class to class so
  // that its lists keep their storage.
  ClassDefinition definition_;
  // The comment's text not yet handed on, kept from class to class.
  ByteBuffer commentBuffer_;
};
