// A Tonel package's classes held whole, for the tests that look at them or write them as
// they are.
#pragma once

#include <string>
#include <vector>

#include "tonel/TonelClass.h"
#include "tonel/TonelPackage.h"

// The package's classes, composed at once and each held whole, its comment with it, in
// the order in which the package hands them to its writer. The notes of the classes that
// give no code are added to the package's notes.
std::vector<TonelClass> ComposeAllClasses(TonelPackage& package);

// A package whose classes are the ones given, each handed to the writer whole, as a class
// drawn more than once comes to it.
TonelPackage PackageOfClasses(const std::string& name, std::vector<TonelClass> classes);
