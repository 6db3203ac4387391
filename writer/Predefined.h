// Classes that Smalltalk already has, or that are defined elsewhere: a diagram may
// draw them to refer to them, but the output never declares them anew.
#pragma once

#include <string>

#include "model/ElemType.h"

// Collection classes, recognised by the name as the diagram writes it.
bool IsPredefinedCollection(const std::string& name);
// The name of a class of Pharo itself: filing in a declaration of it would
// replace that class in the user's image.
bool IsSystemClassName(const std::string& name);
// A class whose Smalltalk name is that of a class of Pharo itself.
bool IsSystemClass(const PClassType& cls);
// A class drawn with the stereotype external: one defined elsewhere, which the
// diagram refers to as to a class of Pharo.
bool IsExternal(const PClassType& cls);
// Whether the output declares the class: not for a predefined collection, an
// interface, an external class or a class of the system.
bool IsDeclared(const PClassType& cls);
