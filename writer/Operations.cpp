// Method stubs for operations, and the sections for realised interfaces.
#include "writer/Operations.h"

#include <string>

#include "model/ClassMember.h"
#include "model/ElemType.h"
#include "model/Param.h"
#include "writer/Accessors.h"
#include "writer/MemberGroups.h"
#include "writer/Naming.h"
#include "writer/Output.h"
#include "writer/Sections.h"
#include "writer/WriterState.h"

namespace {

// The argument word, numbered when an earlier argument of the selector has it.
std::string UnusedArgumentWord(const std::string& word) {
  WriterState& state = CurrentWriterState();
  if (state.selectorArguments.insert(word).second) return word;
  unsigned& number = state.nextArgumentNumber.try_emplace(word, 2).first->second;
  while (!state.selectorArguments.insert(word + std::to_string(number)).second) ++number;
  return word + std::to_string(number++);
}

}  // namespace

void WriteOperationStub(const PElement& member) {
  PMemberFun operation = ToMemberFun(member);
  StartMethod();
  EndLine();
  EndLine();
  Write(StIdentifier(operation->GetName()));
  if (!operation->GetParams()->IsEmpty()) {
    WriterState& state = CurrentWriterState();
    state.capitalizeNextKeyword = true;
    state.selectorArguments.clear();
    state.nextArgumentNumber.clear();
    operation->GetParams()->ForEachWithNext(WriteParamKeyword);
  }
  EndLine();
  Write(operation->GetAbstract() ? "  ^ self subclassResponsibility!"
                                 : "  ^ self shouldBeImplemented!");
}

void WriteParamKeyword(const PElement& element, const PElement& next) {
  PParam param = ToParam(element);
  std::string keyword = StIdentifier(param->GetName());
  bool& capitalize = CurrentWriterState().capitalizeNextKeyword;
  if (capitalize && keyword[0] >= 'a' && keyword[0] <= 'z') {
    keyword[0] = static_cast<char>(keyword[0] - 'a' + 'A');
  }
  capitalize = false;
  Write(keyword);
  Write(": a");
  // The type is named only here, so that a type without a usable name leaves
  // the selector written up to its argument.
  std::string word = ArgumentWord(StTypeName(param->GetType()), param->GetMultiplicity());
  Write(UnusedArgumentWord(word));
  if (!param->GetDefault().empty()) {
    Write(" \"=");
    WriteDiagramText(param->GetDefault());
    Write("\"");
  }
  if (next) Write(" ");
}

void WriteInterfaceSection(const PElement& cls, const PElement& interface) {
  BeginInterfaceGroup(ToClassType(cls), ToClassType(interface));
  Operations(ToClassType(interface)->GetMembers())->ForEach(WriteOperationStub);
  EndMethodGroup();
}
