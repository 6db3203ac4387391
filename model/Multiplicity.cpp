// Multiplicity ranges and the parser that reads a multiplicity text from the input.
#include "model/Multiplicity.h"

#include "model/Arena.h"
#include "model/Downcast.h"
#include "reader/scanner.h"

PMultiplicity NewMultiplicity(const std::string& lower, const std::string& upper) {
  return MakeModelObject<TMultiplicity>(lower, upper);
}

PMultiplicity ToMultiplicity(const PElement& element) {
  return CheckedDowncast<TMultiplicity, IMultiplicity>(
      element, "Invalid downcast of IElement to IMultiplicity");
}

namespace {

// The diagram writes an unbounded end as "*"; the model always says "n".
std::string Unbounded(std::string bound) {
  return bound == "*" ? "n" : bound;
}

}  // namespace

// A first bound does not stop at ",", so only a range written with ".." can be
// followed by another range; each further range consumes its ",", so the loop ends.
PElemTable ParseMultiplicity() {
  PElemTable ranges = NewElemTable();
  for (;;) {
    std::string first = Unbounded(ReadPCDataUntilAny({"<", "..", "]"}));
    if (GetLastDelimiter() == "..") {
      SkipDelim();
      std::string second = Unbounded(ReadPCDataUntil(",<]"));
      ranges->Add(NewMultiplicity(first, second));
    } else {
      ranges->Add(NewMultiplicity(first == "n" ? "0" : "1", first));
    }
    if (GetLastDelimiter() != ",") return ranges;
    SkipDelim();
  }
}
