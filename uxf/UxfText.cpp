// A drawing as the text of a UMLet diagram file.
#include "uxf/UxfText.h"

#include <string_view>

namespace {

// The markup characters as entities, and so the quotes, which the reader takes for the
// quotes of a value; a control character, which no XML text may hold, as a character
// reference.
void AppendEscaped(std::string& out, std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t plain = at;
    while (plain < text.size() && static_cast<unsigned char>(text[plain]) >= ' ' &&
           text[plain] != '&' && text[plain] != '<' && text[plain] != '>' && text[plain] != '"' &&
           text[plain] != '\'') {
      ++plain;
    }
    out.append(text.substr(at, plain - at));
    if (plain == text.size()) return;
    switch (text[plain]) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\t':
        out += '\t';
        break;
      default:
        out.append("&#").append(std::to_string(static_cast<int>(text[plain]))).append(";");
    }
    at = plain + 1;
  }
}

void AppendCoordinates(std::string& out, std::int32_t x, std::int32_t y, std::int32_t w,
                       std::int32_t h) {
  out.append("    <coordinates>\n      <x>")
      .append(std::to_string(x))
      .append("</x>\n      <y>")
      .append(std::to_string(y))
      .append("</y>\n      <w>")
      .append(std::to_string(w))
      .append("</w>\n      <h>")
      .append(std::to_string(h))
      .append("</h>\n    </coordinates>\n");
}

void AppendBox(std::string& out, const Box& box) {
  out += "  <element>\n    <id>UMLClass</id>\n";
  AppendCoordinates(out, box.x, box.y, box.w, box.h);
  out += "    <panel_attributes>";
  bool first = true;
  VisitPanelLines(box, [&](std::string_view line) {
    if (!first) out += '\n';
    first = false;
    AppendEscaped(out, line);
  });
  out += "</panel_attributes>\n    <additional_attributes/>\n  </element>\n";
}

// The element's box holds the points with a margin; the points are relative to it and
// written as decimals, as UMLet writes them.
void AppendRelation(std::string& out, const Relation& relation) {
  std::int32_t left = relation.points.front().x;
  std::int32_t top = relation.points.front().y;
  std::int32_t right = left;
  std::int32_t bottom = top;
  for (const Point& point : relation.points) {
    left = std::min(left, point.x);
    top = std::min(top, point.y);
    right = std::max(right, point.x);
    bottom = std::max(bottom, point.y);
  }
  constexpr std::int32_t kMargin = 10;
  const std::int32_t x = left - kMargin;
  const std::int32_t y = top - kMargin;
  out += "  <element>\n    <id>Relation</id>\n";
  AppendCoordinates(out, x, y, right - x + 2 * kMargin, bottom - y + 2 * kMargin);
  out += "    <panel_attributes>lt=";
  AppendEscaped(out, relation.lineType);
  for (const std::string& line : relation.lines) {
    out += '\n';
    AppendEscaped(out, line);
  }
  out += "</panel_attributes>\n";
  out += "    <additional_attributes>";
  for (std::size_t i = 0; i < relation.points.size(); ++i) {
    if (i > 0) out += ';';
    out.append(std::to_string(relation.points[i].x - x))
        .append(".0;")
        .append(std::to_string(relation.points[i].y - y))
        .append(".0");
  }
  out += "</additional_attributes>\n  </element>\n";
}

}  // namespace

std::string UxfText(const Drawing& drawing) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      "<diagram program=\"umlet\" version=\"15.1\">\n"
      "  <zoom_level>10</zoom_level>\n";
  for (const Box& box : drawing.boxes) AppendBox(out, box);
  for (const Relation& relation : drawing.relations) AppendRelation(out, relation);
  out += "</diagram>\n";
  return out;
}
