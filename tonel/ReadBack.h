// Whether a class file can hold what is to be written into it, checked method by method.
#pragma once

#include <string>

#include "tonel/TonelClass.h"

// Whether the method, written into a class file, reads back as it is: its text closes
// every string, comment and bracket it opens, so that it ends at its own "]".
bool MethodReadsBack(const TonelMethod& method);

// Raises GenericError "cannot write C>>#m in Tonel format: ..." for the first method
// that would not read back, or "cannot write the class C in Tonel format" when its
// name or comment would not. One method at a time, so that the check needs no more
// memory than the largest method.
void CheckReadsBack(const TonelClass& cls);
