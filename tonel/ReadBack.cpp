// Whether a class file can hold what is to be written into it.
#include "tonel/ReadBack.h"

#include "model/Error.h"
#include "tonel/Lexis.h"
#include "tonel/MethodBody.h"
#include "tonel/Pattern.h"
#include "tonel/TonelCursor.h"
#include "tonel/TonelMerge.h"

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
    // Room made at once: the body may be megabytes, and growing would hold it twice.
    std::string body;
    body.reserve(method.source.size() - pattern.length + 3);
    body.append("[").append(method.source, pattern.length).append("\n]");
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
  // The definition's texts are STON strings, which hold any bytes; the comment holds
  // any but a carriage return, which the reader takes for a line end; each method is
  // read back as a method of a class whose name is an identifier.
  const bool namable = IdentifierLength(cls.name, 0) == cls.name.size() && !cls.name.empty();
  if (cls.comment.find('\r') == std::string::npos && (namable || cls.methods.empty())) return;
  throw GenericError("cannot write the class " + cls.name + " in Tonel format");
}
