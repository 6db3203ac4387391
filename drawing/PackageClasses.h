// The classes of a Tonel package folder, read for a diagram to be drawn from them.
#pragma once

#include <string>
#include <vector>

#include "tonel/TonelClass.h"

// What a package folder holds: its class files read, and the names of what a class
// diagram cannot show.
struct PackageClasses {
  std::vector<TonelClass> classes;      // every NAME.class.st of kind Class, in name order
  std::vector<std::string> traits;      // NAME.trait.st, and class files of kind Trait
  std::vector<std::string> extensions;  // the file names NAME.extension.st
};

// Reads every class file of the folder (its path ends with "/"). Raises GenericError when
// the folder is not there (`the package folder "src/shop" does not exist`) or holds no
// class (`... holds no class`), when a file cannot be read (`cannot open "PATH": REASON`),
// and for a file that is no class file, with its line, as a Tonel run reports it
// (`"PATH" is not a Tonel class file: line N: ...`).
PackageClasses ReadPackageClasses(const std::string& folder);
