// Whether a class file can hold what is to be written into it.
#include "tonel/ReadBack.h"

#include "model/Error.h"
#include "tonel/MethodBody.h"
#include "tonel/Pattern.h"
#include "tonel/TonelCursor.h"
#include "tonel/TonelLayout.h"
#include "tonel/TonelMerge.h"
#include "tonel/TonelReader.h"

// The layout writes "<pattern> [<rest>" LF "]" and the reader joins the pattern with what
// stands between the brackets, less that LF: the method reads back as it is when its
// body's brackets, strings and comments close so that the layout's "]" ends it. Checked
// on the body alone, since reading a whole file for each method would cost far more.
bool MethodReadsBack(const TonelMethod& method) {
  // The reader takes a carriage return for a line end.
  if (method.source.find('\r') != std::string::npos) return false;
  try {
    const MethodPattern pattern = SplitPattern(method.source);
    if (pattern.selector != method.selector) return false;
    std::string body = "[";
    body.append(method.source, pattern.length).append("\n]");
    TonelCursor cursor(body);
    cursor.MoveTo(1);
    return SkipMethodBody(cursor, method.selector) + 1 == body.size();
  } catch (const PlimkoError&) {
    return false;
  }
}

// A method whose text leaves a string, a comment or a bracket open (a default value such
// as "Don't" copied into it) would make the file unreadable, to Pharo and to the next run
// alike.
void CheckReadsBack(const TonelClass& cls) {
  for (const TonelMethod& method : cls.methods) {
    if (!MethodReadsBack(method)) {
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
