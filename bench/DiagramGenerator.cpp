// Large, valid UMLet class diagrams for measuring a whole conversion.
#include "bench/DiagramGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int32_t kWidth = 200;
constexpr int32_t kHeight = 160;
constexpr int32_t kColumnStep = 400;
constexpr int32_t kRowStep = 300;
// Classes pointed to by the stars, one per block.
constexpr int32_t kStarBlock = 200;

struct Point {
  int64_t x, y;
};

// Boxes on a grid wide enough that no border point lies on two boxes.
class Layout {
 public:
  explicit Layout(int32_t classCount)
      : columns_(std::max<int32_t>(1, static_cast<int32_t>(std::sqrt(classCount)))) {}
  int64_t Left(int32_t cls) const { return int64_t{cls % columns_} * kColumnStep; }
  int64_t Top(int32_t cls) const { return int64_t{cls / columns_} * kRowStep; }
  // A point of the right edge, or of the left edge, away from the corners.
  Point RightEdge(int32_t cls, int32_t slot) const {
    return {Left(cls) + kWidth, Top(cls) + 10 + (slot % 14) * 10};
  }
  Point LeftEdge(int32_t cls, int32_t slot) const {
    return {Left(cls), Top(cls) + 10 + (slot % 14) * 10};
  }

 private:
  int32_t columns_;
};

// A fixed pseudo-random sequence, so that a count always gives the same diagram.
class Random {
 public:
  int32_t Below(int32_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int32_t>((state_ >> 33) % static_cast<uint64_t>(bound));
  }

 private:
  uint64_t state_ = 8;
};

bool IsInterface(int32_t cls) {
  return cls % 10 == 9;
}

std::string Num(int64_t value) {
  return std::to_string(value);
}

void AppendCoordinates(std::string& out, int64_t x, int64_t y, int64_t w, int64_t h) {
  out += "    <coordinates>\n      <x>" + Num(x) + "</x>\n      <y>" + Num(y) + "</y>\n      <w>" +
         Num(w) + "</w>\n      <h>" + Num(h) + "</h>\n    </coordinates>\n";
}

// Every member name ends in own: empty where classes repeat their lines.
void AppendClass(std::string& out, const Layout& layout, int32_t cls, const std::string& own) {
  std::string name = Num(cls);
  out += "  <element>\n    <id>UMLClass</id>\n";
  AppendCoordinates(out, layout.Left(cls), layout.Top(cls), kWidth, kHeight);
  if (IsInterface(cls)) {
    out += "    <panel_attributes>&lt;&lt;interface&gt;&gt;\nService" + name + "\n--\n--\n+grade" +
           own + "(points" + own + ": Integer): String\n+reset" + own + "()</panel_attributes>\n";
  } else {
    out += "    <panel_attributes>Class" + name + "\n--\n-count" + own + ": Integer = 0\n#label" +
           own + ": String\n+items" + own + ": OrderedCollection\n_+instances" + own +
           ": Integer = 0_\n--\n+describe" + own + "(): String\n+updateWith" + own + "(value" +
           own + ": Integer, flag" + own + ": Boolean = true)\n-check" + name + "(limit" + own +
           ": Integer): Boolean\n_+named" + own + "(text" + own + ": String)_</panel_attributes>\n";
  }
  out += "    <additional_attributes/>\n  </element>\n";
}

// A line from the right edge of one class to the left edge of another; the
// relation's box encloses both end points with a margin of 10, as the editor
// draws it.
void AppendRelation(std::string& out, const Layout& layout, int32_t startClass, int32_t endClass,
                    int32_t slot, const std::string& panel) {
  Point start = layout.RightEdge(startClass, slot);
  Point end = layout.LeftEdge(endClass, slot + 3);
  int64_t x = std::min(start.x, end.x) - 10;
  int64_t y = std::min(start.y, end.y) - 10;
  out += "  <element>\n    <id>Relation</id>\n";
  AppendCoordinates(out, x, y, std::abs(start.x - end.x) + 20, std::abs(start.y - end.y) + 20);
  out += "    <panel_attributes>" + panel + "</panel_attributes>\n    <additional_attributes>" +
         Num(start.x - x) + ".0;" + Num(start.y - y) + ".0;" + Num(end.x - x) + ".0;" +
         Num(end.y - y) + ".0</additional_attributes>\n  </element>\n";
}

// The one relation that class cls starts; chainEnd is the last class of the chain.
void AppendRelationOf(std::string& out, const Layout& layout, int32_t cls, int32_t count,
                      int32_t chainEnd, Random& random) {
  const std::string association = "lt=-&gt;\nm2=0..1\n";
  if (cls < chainEnd) {
    AppendRelation(out, layout, cls, cls + 1, cls, association + "next");
    return;
  }
  int32_t blockStart = cls - cls % 10;
  int32_t other = random.Below(count);
  switch (cls % 10) {
    case 0:
      AppendRelation(out, layout, cls, std::min(cls + 5, count - 1), cls, "lt=-\nuses");
      break;
    case 1:
    case 2:
      // Start on the superclass, end on the subclass, as the editor draws it.
      AppendRelation(out, layout, cls - 1, cls, cls, "lt=&lt;&lt;-");
      break;
    case 3:
      AppendRelation(out, layout, blockStart > 0 ? blockStart - 1 : cls, cls, cls, "lt=&lt;&lt;.");
      break;
    case 4:
      AppendRelation(out, layout, cls, cls - cls % kStarBlock, cls, "lt=-&gt;\nm2=0..*\nr2=hub");
      break;
    case 5:
    case 6:
      AppendRelation(out, layout, cls, std::min(cls + 1, count - 1), cls, association);
      break;
    case 7:
      AppendRelation(out, layout, cls, cls - 2, cls, "lt=-&gt;\nm1=1\nm2=1..*\nr2=ring");
      break;
    case 8:
      AppendRelation(out, layout, cls, other, cls, "lt=&lt;&lt;&lt;&lt;-\nm2=0..*\nparts");
      break;
    default:
      AppendRelation(out, layout, cls, other, cls, "lt=-&gt;\nm2=0..1\nr2=peer" + Num(cls));
      break;
  }
}

}  // namespace

namespace {

const char* const kDiagramStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
    "<diagram program=\"umlet\" version=\"13.3\">\n  <zoom_level>10</zoom_level>\n";

}  // namespace

std::string GenerateDiagram(int32_t classCount, bool distinctLines) {
  Layout layout(classCount);
  Random random;
  std::string out = kDiagramStart;
  for (int32_t cls = 0; cls < classCount; ++cls)
    AppendClass(out, layout, cls, distinctLines ? Num(cls) : std::string());
  int32_t chainEnd = classCount / 10;
  for (int32_t cls = 0; cls < classCount; ++cls) {
    AppendRelationOf(out, layout, cls, classCount, chainEnd, random);
  }
  out += "</diagram>\n";
  return out;
}

std::string GenerateManyMembers(int64_t memberCount) {
  std::string out = kDiagramStart;
  out += "  <element>\n    <id>UMLClass</id>\n";
  AppendCoordinates(out, 10, 10, kWidth, kHeight);
  out += "    <panel_attributes>Many\n--\n";
  out.reserve(out.size() + 2 * static_cast<size_t>(memberCount) + 100);
  for (int64_t i = 0; i < memberCount; ++i) out += "a\n";
  out += "</panel_attributes>\n    <additional_attributes/>\n  </element>\n</diagram>\n";
  return out;
}
