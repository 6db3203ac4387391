// The initializer lines of the initialize method.
#pragma once

#include "model/ElemTable.h"
#include "model/ElemType.h"
#include "writer/MemberGroups.h"

// The lines that give the class's instance attributes, then its link
// variables, their initial values; allClasses is the table of all classes
// that the file writes.
void WriteInitializers(const PClassType& cls, const PElemTable& allClasses,
                       const MemberGroupView& instanceAttributes, const PElemTable& links);
// One line giving an instance attribute of the class its initial value.
void WriteAttributeInit(const PElement& member, const PClassType& cls,
                        const PElemTable& allClasses);
// One line giving a link variable of the class its initial value.
void WriteLinkInit(const PElement& relation, const PClassType& cls, const PElemTable& allClasses);

// Composes the class-side initialize, which sets the class attributes whose
// default is Smalltalk code, in the protocol "class initialization"; answers
// whether there is one. There is one when such an attribute exists or when a
// class-side operation asks for it (AsksForInitialize). The groups are those
// of the class's members.
bool ComposeClassInitialize(const PClassType& cls, const PElemTable& allClasses,
                            const MemberGroups& groups);
