// Whether a class file can hold what is to be written into it.
#include "tonel/ReadBack.h"

#include "model/Error.h"
#include "tonel/Lexis.h"
#include "tonel/MethodBody.h"
#include "tonel/Pattern.h"
#include "tonel/TonelMerge.h"

// The layout writes "<pattern> [<rest>" LF "]" and the reader joins the pattern with what
// stands between the brackets, less that LF: the method reads back as it is when its
// body's brackets, strings and comments close so that the layout's "]" ends it. Checked
// on the body alone and in place, since reading a whole file for each method, or copying a
// method of megabytes, would cost far more.
bool MethodReadsBack(const TonelMethod& method) {
  // The reader takes a carriage return for a line end.
  if (method.source.find('\r') != std::string::npos) return false;
  try {
    const MethodPattern pattern = SplitPattern(method.source);
    if (pattern.selector != method.selector) return false;
    const std::string_view rest = std::string_view(method.source).substr(pattern.length);
    std::size_t at = 0;
    std::size_t depth = 1;
    const std::size_t close = CloseBrackets(rest, at, depth);
    // A "$" at the very end takes the layout's line end for its character.
    const bool endsInDollar =
        close == std::string_view::npos && at + 1 == rest.size() && rest[at] == '$';
    return (close == rest.size() || endsInDollar) && depth == 1;
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
