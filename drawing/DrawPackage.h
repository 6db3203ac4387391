// A class diagram drawn from the classes of a Tonel package.
#pragma once

#include <string>
#include <vector>

#include "drawing/Drawing.h"
#include "drawing/PackageClasses.h"

struct DrawnPackage {
  Drawing drawing;  // not laid out yet
  // One per kind of what the diagram leaves out, one a line.
  std::vector<std::string> notes;
  std::size_t classes = 0;  // of the package, drawn as they are
};

// Every class of the package as a class box: its superclass as a generalisation (to an
// <<external>> box for a class from outside the package other than Object), its
// variables as attribute lines and its methods as operation lines, but for the
// accessors and initialize methods that plimko writes for them; what plimko's own class
// comments say gives the variables' types, multiplicities, defaults and property
// strings, and the links and other relations between the classes. The file lists the
// boxes and relations in the order in which plimko gives each class's superclasses,
// links and relations back in that order.
DrawnPackage DrawPackage(const PackageClasses& package);
