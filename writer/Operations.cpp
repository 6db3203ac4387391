// Method stubs for operations, and the sections for realised interfaces.
#include "writer/Operations.h"

#include <algorithm>
#include <string_view>

#include "model/ClassMember.h"
#include "model/ElemList.h"
#include "model/ElemType.h"
#include "model/Selector.h"
#include "model/Unicode.h"
#include "writer/Accessors.h"
#include "writer/Compose.h"
#include "writer/MemberGroups.h"
#include "writer/Naming.h"
#include "writer/Sections.h"

bool AsksForInitialize(const PElement& member) {
  if (!IsMemberFun(member)) return false;
  const PMemberFun operation = ToMemberFun(member);
  return operation->GetParams()->IsEmpty() && IsNameable(operation->GetName()) &&
         StIdentifier(operation->GetName()) == "initialize";
}

void StubWriter::ForgetArguments() {
  listedArguments_.clear();
  selectorArguments_.clear();
  nextArgumentNumber_.clear();
}

// Notes the argument word as given; answers whether it was not given before.
bool StubWriter::TakeArgument(const std::string& word) {
  if (selectorArguments_.empty()) {
    if (std::find(listedArguments_.begin(), listedArguments_.end(), word) != listedArguments_.end())
      return false;
    if (listedArguments_.size() < kListedArguments) {
      listedArguments_.push_back(word);
      return true;
    }
    selectorArguments_.insert(listedArguments_.begin(), listedArguments_.end());
  }
  return selectorArguments_.insert(word).second;
}

// Writes the argument word, numbered when an earlier argument of the selector has it.
void StubWriter::WriteUnusedArgumentWord(const std::string& word) {
  if (TakeArgument(word)) {
    methods_.Out().Write(word);
    return;
  }
  unsigned& number = nextArgumentNumber_.try_emplace(word, 2).first->second;
  while (!TakeArgument(word + std::to_string(number))) ++number;
  methods_.Out().Write(word + std::to_string(number++));
}

// The parameter's argument: "a" and its type's word, numbered when an earlier
// argument of the selector has it, then its default as a comment.
void StubWriter::WriteArgument(const PParam& param) {
  Composer& out = methods_.Out();
  out.Write("a");
  // The type is named only here, so that a type without a usable name leaves
  // the selector written up to its argument.
  std::string typeName;
  AssignArgumentWord(word_, TypeNameOf(param->GetType(), typeName, out.Names()),
                     param->GetMultiplicity());
  WriteUnusedArgumentWord(word_);
  if (!param->GetDefault().empty()) {
    out.Write(" \"=");
    out.WriteCommentText(param->GetDefault());
    out.Write("\"");
  }
}

// A name written as a selector's keywords ("at:put:") gives each keyword the
// argument of the parameter at its place, or that of an untyped one where the
// parameters end; parameters beyond the keywords go on as keywords of their own.
void StubWriter::WriteKeywordPattern(const std::string& name, const PElemTable& params) {
  Composer& out = methods_.Out();
  const ElemList list = ElementsOf(params);
  const std::vector<std::string_view> keywords = KeywordsOf(name);
  for (std::size_t i = 0; i < keywords.size(); ++i) {
    if (i > 0) out.Write(" ");
    WriteIdentifier(out, std::string(keywords[i]));
    out.Write(": ");
    if (i < list.size()) {
      WriteArgument(ToParam(list[i]));
    } else {
      out.Write("a");
      AssignArgumentWord(word_, "", NoElements());
      WriteUnusedArgumentWord(word_);
    }
  }
  CapitalizeNextKeyword = false;
  for (std::size_t i = keywords.size(); i < list.size(); ++i) {
    out.Write(" ");
    WriteParamKeyword(list[i], nullptr);
  }
}

// A binary selector takes one argument; with any other number its characters are
// a name like any other.
void StubWriter::WriteOperationStub(const PElement& member) {
  if (AsksForInitialize(member)) return;
  PMemberFun operation = ToMemberFun(member);
  methods_.StartMethod();
  Composer& out = methods_.Out();
  ForgetArguments();
  const std::string& name = operation->GetName();
  const PElemTable params = operation->GetParams();
  if (IsKeywordList(name)) {
    WriteKeywordPattern(name, params);
  } else if (params->Count() == 1 && IsBinarySelector(name)) {
    out.Write(name);
    out.Write(" ");
    WriteArgument(ToParam(params->AnyOne()));
  } else {
    WriteIdentifier(out, name);
    if (!params->IsEmpty()) {
      CapitalizeNextKeyword = true;
      const ElemList list = ElementsOf(params);
      for (std::size_t i = 0; i < list.size(); ++i)
        WriteParamKeyword(list[i], i + 1 < list.size() ? list[i + 1] : nullptr);
    }
  }
  out.EndLine();
  out.Write(operation->GetAbstract() ? "  ^ self subclassResponsibility"
                                     : "  ^ self shouldBeImplemented");
}

void StubWriter::WriteParamKeyword(const PElement& element, const PElement& next) {
  Composer& out = methods_.Out();
  PParam param = ToParam(element);
  std::string keyword = StIdentifier(param->GetName());
  if (CapitalizeNextKeyword) UppercaseFirst(keyword);
  CapitalizeNextKeyword = false;
  out.Write(keyword);
  out.Write(": ");
  WriteArgument(param);
  if (next) out.Write(" ");
}

void StubWriter::WriteInterfaceSection(const PElement& interface) {
  methods_.BeginInterfaceGroup(ToClassType(interface));
  for (const PElement& operation : ElementsOf(Operations(ToClassType(interface)->GetMembers())))
    WriteOperationStub(operation);
}
