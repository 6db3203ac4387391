// Element kinds and the geometric connection of relations to class boxes.
#pragma once

#include <cstdint>

#include "model/ElemTable.h"
#include "model/Element.h"

// Kind tests; each takes a non-empty element.
bool IsClassType(const PElement& element);
bool IsRelType(const PElement& element);
bool IsOtherElem(const PElement& element);
bool IsPlainClass(const PElement& element);

// Replaces the Relations table of the class by the relations that touch it:
// with an end on its border, or with an end found near it.
void ConnectClass(const PElement& cls, const PElemTable& relations);
// Finds the class each relation end on no class border is near (NearClass.h),
// then does what ConnectClass does for each class in table order, with the same
// results, in time near linear in the number of classes, relations and touches.
// The tables of relations that the classes get are made in memory.
void ConnectClasses(const PElemTable& classes, const PElemTable& relations,
                    std::pmr::memory_resource& memory = HeapMemory());
// Whether the relation touches the class; records the class in the relation.
bool RelTouchesClass(const PElement& relation, const PElement& cls);
bool OnBorder(int32_t px, int32_t py, int32_t left, int32_t right, int32_t top, int32_t bottom);
