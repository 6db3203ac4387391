// Method stubs for operations, and the sections for realised interfaces.
#include "writer/Operations.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/ClassMember.h"
#include "model/ElemType.h"
#include "model/Param.h"
#include "model/Unicode.h"
#include "writer/Accessors.h"
#include "writer/Compose.h"
#include "writer/MemberGroups.h"
#include "writer/Naming.h"
#include "writer/Sections.h"

namespace {

// Set before the parameters of one operation; only its first keyword continues
// the operation's name and so starts with a capital letter.
bool CapitalizeNextKeyword = false;
// The argument words given so far in the selector being written: most
// selectors have a few, which a list holds and searches more cheaply than a
// set does; a selector with more has them all in the set.
constexpr std::size_t kListedArguments = 8;
std::vector<std::string> ListedArguments;
std::set<std::string> SelectorArguments;
// Per argument word, the number from which to look for an unused one: every
// smaller number is taken already, so a long selector is not searched anew.
std::map<std::string, unsigned> NextArgumentNumber;

void ForgetArguments() {
  ListedArguments.clear();
  SelectorArguments.clear();
  NextArgumentNumber.clear();
}

// Notes the argument word as given; answers whether it was not given before.
bool TakeArgument(const std::string& word) {
  if (SelectorArguments.empty()) {
    if (std::find(ListedArguments.begin(), ListedArguments.end(), word) != ListedArguments.end())
      return false;
    if (ListedArguments.size() < kListedArguments) {
      ListedArguments.push_back(word);
      return true;
    }
    SelectorArguments.insert(ListedArguments.begin(), ListedArguments.end());
  }
  return SelectorArguments.insert(word).second;
}

// Writes the argument word, numbered when an earlier argument of the selector has it.
void WriteUnusedArgumentWord(const std::string& word) {
  if (TakeArgument(word)) {
    Write(word);
    return;
  }
  unsigned& number = NextArgumentNumber.try_emplace(word, 2).first->second;
  while (!TakeArgument(word + std::to_string(number))) ++number;
  Write(word + std::to_string(number++));
}

// The argument word of the parameter being written, kept so that its storage is reused.
std::string Word;

}  // namespace

void WriteOperationStub(const PElement& member) {
  PMemberFun operation = ToMemberFun(member);
  StartMethod();
  WriteIdentifier(operation->GetName());
  if (!operation->GetParams()->IsEmpty()) {
    CapitalizeNextKeyword = true;
    ForgetArguments();
    operation->GetParams()->ForEachWithNext(WriteParamKeyword);
  }
  EndLine();
  Write(operation->GetAbstract() ? "  ^ self subclassResponsibility"
                                 : "  ^ self shouldBeImplemented");
}

void WriteParamKeyword(const PElement& element, const PElement& next) {
  PParam param = ToParam(element);
  std::string keyword = StIdentifier(param->GetName());
  if (CapitalizeNextKeyword) UppercaseFirst(keyword);
  CapitalizeNextKeyword = false;
  Write(keyword);
  Write(": a");
  // The type is named only here, so that a type without a usable name leaves
  // the selector written up to its argument.
  std::string typeName;
  AssignArgumentWord(Word, TypeNameOf(param->GetType(), typeName), param->GetMultiplicity());
  WriteUnusedArgumentWord(Word);
  if (!param->GetDefault().empty()) {
    Write(" \"=");
    WriteCommentText(param->GetDefault());
    Write("\"");
  }
  if (next) Write(" ");
}

void WriteInterfaceSection(const PElement& interface) {
  BeginInterfaceGroup(ToClassType(interface));
  Operations(ToClassType(interface)->GetMembers())->ForEach(WriteOperationStub);
}
