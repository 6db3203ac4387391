// Method stubs for operations, and the sections for realised interfaces.
#include "writer/Operations.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/ClassMember.h"
#include "model/ElemList.h"
#include "model/ElemType.h"
#include "model/Param.h"
#include "model/Selector.h"
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

// The parameter's argument: "a" and its type's word, numbered when an earlier
// argument of the selector has it, then its default as a comment.
void WriteArgument(const PParam& param) {
  Write("a");
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
}

// A name written as a selector's keywords ("at:put:") gives each keyword the
// argument of the parameter at its place, or that of an untyped one where the
// parameters end; parameters beyond the keywords go on as keywords of their own.
void WriteKeywordPattern(const std::string& name, const PElemTable& params) {
  const ElemList list = ElementsOf(params);
  const std::vector<std::string_view> keywords = KeywordsOf(name);
  for (std::size_t i = 0; i < keywords.size(); ++i) {
    if (i > 0) Write(" ");
    WriteIdentifier(std::string(keywords[i]));
    Write(": ");
    if (i < list.size()) {
      WriteArgument(ToParam(list[i]));
    } else {
      Write("a");
      AssignArgumentWord(Word, "", NoElements());
      WriteUnusedArgumentWord(Word);
    }
  }
  CapitalizeNextKeyword = false;
  for (std::size_t i = keywords.size(); i < list.size(); ++i) {
    Write(" ");
    WriteParamKeyword(list[i], nullptr);
  }
}

}  // namespace

bool AsksForInitialize(const PElement& member) {
  if (!IsMemberFun(member)) return false;
  const PMemberFun operation = ToMemberFun(member);
  return operation->GetParams()->IsEmpty() && IsNameable(operation->GetName()) &&
         StIdentifier(operation->GetName()) == "initialize";
}

// A binary selector takes one argument; with any other number its characters are
// a name like any other.
void WriteOperationStub(const PElement& member) {
  if (AsksForInitialize(member)) return;
  PMemberFun operation = ToMemberFun(member);
  StartMethod();
  ForgetArguments();
  const std::string& name = operation->GetName();
  const PElemTable params = operation->GetParams();
  if (IsKeywordList(name)) {
    WriteKeywordPattern(name, params);
  } else if (params->Count() == 1 && IsBinarySelector(name)) {
    Write(name);
    Write(" ");
    WriteArgument(ToParam(params->AnyOne()));
  } else {
    WriteIdentifier(name);
    if (!params->IsEmpty()) {
      CapitalizeNextKeyword = true;
      params->ForEachWithNext(WriteParamKeyword);
    }
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
  Write(": ");
  WriteArgument(param);
  if (next) Write(" ");
}

void WriteInterfaceSection(const PElement& interface) {
  BeginInterfaceGroup(ToClassType(interface));
  Operations(ToClassType(interface)->GetMembers())->ForEach(WriteOperationStub);
}
