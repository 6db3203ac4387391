// The initializer lines of the initialize method.
#pragma once

#include "model/ElemTable.h"
#include "model/ElemType.h"
#include "writer/MemberGroups.h"

class Composer;
class MandatoryValues;
class MethodSections;

// The lines that give the class's instance attributes, then its link
// variables, their initial values; a mandatory one's comes from values.
void WriteInitializers(Composer& out, MandatoryValues& values, const PClassType& cls,
                       const MemberGroupView& instanceAttributes, const PElemTable& links);
// One line giving an instance attribute of the class its initial value.
void WriteAttributeInit(Composer& out, MandatoryValues& values, const PElement& member,
                        const PClassType& cls);
// One line giving a link variable of the class its initial value.
void WriteLinkInit(Composer& out, MandatoryValues& values, const PElement& relation,
                   const PClassType& cls);

// Composes the class-side initialize, which sets the class attributes whose
// default is Smalltalk code, in the protocol "class initialization"; answers
// whether there is one. There is one when such an attribute exists or when a
// class-side operation asks for it (AsksForInitialize). The groups are those
// of the class's members.
bool ComposeClassInitialize(MethodSections& methods, MandatoryValues& values, const PClassType& cls,
                            const MemberGroups& groups);
