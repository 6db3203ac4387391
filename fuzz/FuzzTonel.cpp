// libFuzzer target: arbitrary bytes read as a class file of a Tonel package. Every method
// read must read back the same from the form the layout gives it, "Class >> <pattern>
// [<rest>" LF "]", which splits its source where the reader joins it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/Error.h"
#include "tonel/Pattern.h"
#include "tonel/TonelReader.h"

namespace {

// A STON string; a carriage return is escaped, since the reader takes it for a line end.
std::string StonString(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\\' || c == '\'') quoted += '\\';
    quoted += c == '\r' ? std::string("\\r") : std::string(1, c);
  }
  return quoted + "'";
}

void ExpectReadBack(const TonelClass& read, const TonelMethod& method) {
  const std::string source(method.source);
  const std::size_t split = SplitPattern(source).length;
  const std::string file = "Class { #name : " + StonString(read.name) +
                           " }\n{ #category : " + StonString(std::string(method.category)) +
                           " }\n" + read.name + (method.classSide ? " class >> " : " >> ") +
                           source.substr(0, split) + " [" + source.substr(split) + "\n]\n";
  const TonelClass again = ReadTonelClass(file);
  if (again.methods.size() != 1 || !(again.methods[0] == method)) std::abort();
}

}  // namespace

// Only the system's own errors are reports a user is meant to see; anything else
// escapes as a finding, and so does a read-back that raises.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TonelClass read;
  try {
    read = ReadTonelClass(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const PlimkoError&) {
    return 0;
  }
  for (const TonelMethod& method : read.methods) ExpectReadBack(read, method);
  return 0;
}
