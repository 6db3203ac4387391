// Whether a class file can hold what is to be written into it.
#include "tonel/ReadBack.h"

#include "model/Error.h"
#include "tonel/TonelLayout.h"
#include "tonel/TonelMerge.h"
#include "tonel/TonelReader.h"

namespace {

std::string DefinitionOnly(const std::string& className) {
  return "Class { #name : " + StonString(className) + " }\n\n";
}

}  // namespace

bool MethodReadsBack(const std::string& className, const TonelMethod& method) {
  std::string text = DefinitionOnly(className);
  try {
    AppendMethodText(text, className, method);
    const TonelClass read = ReadTonelClass(text);
    return read.methods.size() == 1 && read.methods.front() == method;
  } catch (const PlimkoError&) {
    return false;
  }
}

// A method whose text leaves a string, a comment or a bracket open (a default value such
// as "Don't" copied into it) would make the file unreadable, to Pharo and to the next run
// alike.
void CheckReadsBack(const TonelClass& cls) {
  for (const TonelMethod& method : cls.methods) {
    if (!MethodReadsBack(cls.name, method)) {
      throw GenericError("cannot write " + MethodName(cls.name, method) +
                         " in Tonel format: its text leaves a string, a comment or a bracket "
                         "open");
    }
  }
  // Copied field by field: a class may hold millions of methods.
  TonelClass definition;
  definition.comment = cls.comment;
  definition.kind = cls.kind;
  definition.name = cls.name;
  definition.superclass = cls.superclass;
  definition.instVars = cls.instVars;
  definition.classVars = cls.classVars;
  definition.classInstVars = cls.classInstVars;
  definition.category = cls.category;
  definition.package = cls.package;
  definition.otherEntries = cls.otherEntries;
  try {
    if (ReadTonelClass(TonelClassText(definition)) == definition) return;
  } catch (const PlimkoError&) {
  }
  throw GenericError("cannot write the class " + cls.name + " in Tonel format");
}
