// The collection of a class's composed parts into one class text.
#include "writer/ClassText.h"

void ClassTextCollector::Definition(const ClassDefinition& definition) {
  text_.declared = true;
  text_.name = definition.name;
  text_.superclass = definition.superclass;
  text_.instanceVariables = definition.instanceVariables;
  text_.classVariables = definition.classVariables;
  text_.classInstanceVariables = definition.classInstanceVariables;
}

void ClassTextCollector::BeginMethod(bool classSide, const std::string& protocol) {
  text_.methods.push_back({classSide, protocol, ""});
  part_ = &text_.methods.back().source;
}
