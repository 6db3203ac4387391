// Method stubs for operations, and the sections for realised interfaces.
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/ElemTable.h"
#include "model/Element.h"
#include "model/Param.h"

class MethodSections;

// Whether the member is an operation whose selector is initialize (no parameters):
// it asks for the initialize that plimko writes on its side.
bool AsksForInitialize(const PElement& member);

// Writes the stubs as methods of the sections; keeps, while a selector is
// written, the argument words it has given.
class StubWriter {
 public:
  explicit StubWriter(MethodSections& methods) : methods_(methods) {}
  StubWriter(const StubWriter&) = delete;
  StubWriter& operator=(const StubWriter&) = delete;

  // One method stub: the selector line and a body that is still to be written; none
  // for an operation that asks for plimko's initialize, which a stub would replace.
  void WriteOperationStub(const PElement& member);
  // One keyword part of a selector; a blank follows unless it is the last one.
  void WriteParamKeyword(const PElement& param, const PElement& next);
  // The stubs of every operation of the interface, in a protocol named after it.
  void WriteInterfaceSection(const PElement& interface);

 private:
  void ForgetArguments();
  bool TakeArgument(const std::string& word);
  void WriteUnusedArgumentWord(const std::string& word);
  void WriteArgument(const PParam& param);
  void WriteKeywordPattern(const std::string& name, const PElemTable& params);

  MethodSections& methods_;
  // Set before the parameters of one operation; only its first keyword continues
  // the operation's name and so starts with a capital letter.
  bool CapitalizeNextKeyword = false;
  // The argument words given so far in the selector being written: most
  // selectors have a few, which a list holds and searches more cheaply than a
  // set does; a selector with more has them all in the set.
  static constexpr std::size_t kListedArguments = 8;
  std::vector<std::string> listedArguments_;
  std::set<std::string> selectorArguments_;
  // Per argument word, the number from which to look for an unused one: every
  // smaller number is taken already, so a long selector is not searched anew.
  std::map<std::string, unsigned> nextArgumentNumber_;
  // The argument word of the parameter being written, kept so that its storage is reused.
  std::string word_;
};
