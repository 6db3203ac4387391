// Reads multiplicity texts from the input into tables of ranges.
#include "reader/MultiplicityText.h"

#include <string>

#include "model/Multiplicity.h"

namespace {

const ArrayOfString kFirstBoundEnd = {"<", "..", "]"};

// The diagram writes an unbounded end as "*"; the model always says "n".
std::string Unbounded(std::string bound) {
  return bound == "*" ? "n" : bound;
}

}  // namespace

// A first bound does not stop at ",", so only a range written with ".." can be
// followed by another range; each further range consumes its ",", so the loop ends.
PElemTable ParseMultiplicity(Scanner& input, std::pmr::memory_resource& memory) {
  PElemTable ranges = NewElemTable(memory);
  for (;;) {
    std::string first = Unbounded(input.ReadPCDataUntilAny(kFirstBoundEnd));
    if (input.RequireLastDelimiter() == "..") {
      input.SkipDelim();
      std::string second = Unbounded(input.ReadPCDataUntil(",<]"));
      ranges->Add(NewMultiplicity(first, second, memory));
    } else {
      ranges->Add(NewMultiplicity(first == "n" ? "0" : "1", first, memory));
    }
    if (input.RequireLastDelimiter() != ",") return ranges;
    input.SkipDelim();
  }
}
