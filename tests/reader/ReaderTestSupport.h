// Shared helpers of the reader tests: read document texts, describe what was read.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/ClassMember.h"
#include "model/ElemType.h"
#include "model/Error.h"
#include "model/Multiplicity.h"
#include "model/Param.h"
#include "reader/Parser.h"
#include "reader/scanner.h"
#include "support/DiagramFile.h"
#include "support/TempFile.h"

namespace reader_test {

// A failed read: the message and where the reading stopped, as the driver shows it.
struct ReadFailure {
  std::string message;
  int32_t line = 0;
  int32_t pos = 0;
  bool operator==(const ReadFailure&) const = default;
};

inline void PrintTo(const ReadFailure& failure, std::ostream* out) {
  *out << "\"" << failure.message << "\" at line=" << failure.line << ", pos=" << failure.pos;
}

// Table callbacks carry no state of their own, so the collector keeps it here.
inline std::vector<PElement>& Collected() {
  static std::vector<PElement> elements;
  return elements;
}

inline void CollectOne(const PElement& element) {
  Collected().push_back(element);
}

inline std::vector<PElement> ElementsOf(const PElemTable& table) {
  Collected().clear();
  table->ForEach(CollectOne);
  std::vector<PElement> elements;
  elements.swap(Collected());
  return elements;
}

// Reads a document text with the reader, which keeps what the document set.
inline PElemTable ReadDocument(DiagramReader& reader, const std::string& text) {
  return ReadDiagramFile(reader, WriteTempFile(text));
}

inline PElemTable ReadDocument(const std::string& text) {
  DiagramReader reader;
  return ReadDocument(reader, text);
}

inline ReadFailure ReadFailureOf(const std::string& text) {
  DiagramReader reader;
  reader.OpenInput(WriteTempFile(text));
  ReadFailure failure{"no error", 0, 0};
  try {
    reader.ReadDiagram();
  } catch (const ReadError& error) {
    failure = {error.what(), error.Place().lineNo, error.Place().linePos};
  } catch (const PlimkoError& error) {
    failure = {error.what(), reader.Input().LineNo(), reader.Input().LinePos()};
  }
  reader.CloseInput();
  return failure;
}

// Reading a document is the only way to set the zoom level that scales points.
inline void SetZoomLevel(DiagramReader& reader, int32_t zoom) {
  ReadDocument(reader, "<diagram><zoom_level>" + std::to_string(zoom) + "</zoom_level></diagram>");
}

// Opens a text and stands on its first non-blank character, as the panel
// readers expect.
inline void OpenAt(DiagramReader& reader, const std::string& text) {
  reader.OpenInput(WriteTempFile(text));
  reader.Input().SkipBlanksNotEof();
}

// A document in UMLet's layout: the panel text of the first element starts at
// line 12, position 23.
inline std::string Document(const std::string& elements, const std::string& zoom = "10",
                            const std::string& version = "13.3") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
         "<diagram program=\"umlet\" version=\"" +
         version +
         "\">\n"
         "  <zoom_level>" +
         zoom + "</zoom_level>\n" + elements + "</diagram>\n";
}

inline std::string Element(const std::string& type, const std::string& panel,
                           const std::string& tail) {
  return "  <element>\n"
         "    <id>" +
         type +
         "</id>\n"
         "    <coordinates>\n"
         "      <x>10</x>\n"
         "      <y>20</y>\n"
         "      <w>100</w>\n"
         "      <h>50</h>\n"
         "    </coordinates>\n"
         "    <panel_attributes>" +
         panel + "</panel_attributes>\n" + tail + "  </element>\n";
}

inline std::string ClassElement(const std::string& panel) {
  return Element("UMLClass", panel, "    <additional_attributes/>\n");
}

inline std::string RelationElement(const std::string& panel,
                                   const std::string& points = "10;20;110;20") {
  return Element("Relation", panel,
                 "    <additional_attributes>" + points + "</additional_attributes>\n");
}

// The one element of a document holding a single element.
inline PElement OnlyElement(const std::string& document) {
  const std::vector<PElement> elements = ElementsOf(ReadDocument(document));
  if (elements.size() != 1) throw std::runtime_error("expected exactly one element");
  return elements.front();
}

inline std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

inline std::string DescribeRanges(const PElemTable& ranges) {
  std::string text = "[";
  for (const PElement& element : ElementsOf(ranges)) {
    const PMultiplicity range = ToMultiplicity(element);
    if (text.size() > 1) text += ",";
    text += range->GetLower() + ".." + range->GetUpper();
  }
  return text + "]";
}

inline std::string DescribeParams(const PElemTable& params) {
  std::string text = "(";
  for (const PElement& element : ElementsOf(params)) {
    const PParam param = ToParam(element);
    if (text.size() > 1) text += ", ";
    text += Quoted(param->GetName()) + ":" + Quoted(param->GetType()) +
            DescribeRanges(param->GetMultiplicity()) + "=" + Quoted(param->GetDefault());
  }
  return text + ")";
}

// One member as one line: kind, visibility, flags, name, type and the rest.
inline std::string DescribeMember(const PElement& element) {
  const PClassMember member = ToClassMember(element);
  std::string text = IsMemberVar(element) ? "var " : "fun ";
  text += Quoted(member->GetVisibility());
  if (member->GetStatic()) text += " static";
  if (IsMemberFun(element) && ToMemberFun(element)->GetAbstract()) text += " abstract";
  text.append(" ").append(Quoted(member->GetName()));
  text.append(":").append(Quoted(member->GetTypeName()));
  if (IsMemberVar(element)) {
    const PMemberVar var = ToMemberVar(element);
    text += DescribeRanges(var->GetMultiplicity()) + "=" + Quoted(var->GetDefault());
    if (!var->GetProperties().empty()) text.append(" ").append(Quoted(var->GetProperties()));
  } else {
    text += DescribeParams(ToMemberFun(element)->GetParams());
  }
  return text;
}

inline std::vector<std::string> DescribeMembers(const PClassType& cls) {
  std::vector<std::string> lines;
  for (const PElement& element : ElementsOf(cls->GetMembers())) {
    lines.push_back(DescribeMember(element));
  }
  return lines;
}

// The class data a panel sets, without the members.
inline std::string DescribeClass(const PClassType& cls) {
  return "stereotype=" + Quoted(cls->GetStereotype()) + " name=" + Quoted(cls->GetName()) +
         " type=" + Quoted(cls->GetTypeName()) + (cls->GetUnderlined() ? " underlined" : "");
}

inline std::string DescribeLineStyle(char style) {
  return style == '\0' ? "NUL" : std::string(1, style);
}

// Everything of a relation that has a getter: the line style always, the other
// fields only when they differ from a new relation's.
inline std::string DescribeRelation(const PRelType& rel) {
  std::string text = "style=" + DescribeLineStyle(rel->GetLineStyle());
  const auto textField = [&text](const char* label, const std::string& value) {
    if (!value.empty()) text += std::string(" ") + label + "=" + Quoted(value);
  };
  const auto numberField = [&text](const char* label, int32_t value) {
    if (value != 0) text += std::string(" ") + label + "=" + std::to_string(value);
  };
  const auto rangesField = [&text](const char* label, const PElemTable& value) {
    if (!value->IsEmpty()) text += std::string(" ") + label + "=" + DescribeRanges(value);
  };
  textField("name", rel->GetName());
  textField("type", rel->GetTypeName());
  textField("stereotype", rel->GetStereotype());
  numberField("head", rel->GetHeadSize());
  numberField("dir", rel->GetDirection());
  rangesField("m1", rel->GetMult1());
  rangesField("m2", rel->GetMult2());
  textField("r1", rel->GetRole1());
  textField("r2", rel->GetRole2());
  textField("q1", rel->GetQualifier1());
  textField("q2", rel->GetQualifier2());
  return text;
}

}  // namespace reader_test
