// Element kinds, and the connection of relations to the class boxes their ends touch.
#include "model/Connection.h"

#include <cstddef>
#include <memory>
#include <vector>

#include "model/Downcast.h"
#include "model/EdgeIndex.h"
#include "model/ElemList.h"
#include "model/ElemType.h"

namespace {

// Narrowing to the implementing class; the split hands over only elements of the
// right kind, so a failure here (an empty element too) means a table holds
// something unexpected.
template <class Impl>
std::shared_ptr<Impl> Narrow(const PElement& element, const char* message) {
  std::shared_ptr<Impl> object = CheckedDowncast<Impl, Impl>(element, message);
  if (!object) throw InvalidCastError(message);
  return object;
}

std::shared_ptr<TClassType> NarrowClass(const PElement& element) {
  return Narrow<TClassType>(element, "Invalid downcast of IElement to IClassType");
}

std::shared_ptr<TRelType> NarrowRelation(const PElement& element) {
  return Narrow<TRelType>(element, "Invalid downcast of IElement to IRelType");
}

// Coordinates come from the file unchecked, so sums wrap instead of overflowing.
int32_t WrappingSum(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

struct ClassBox {
  int32_t left, right, top, bottom;
};

ClassBox BoxOf(const TClassType& cls) {
  return {cls.GetX(), WrappingSum(cls.GetX(), cls.GetW()), cls.GetY(),
          WrappingSum(cls.GetY(), cls.GetH())};
}

// The borders of all boxes, numbered by their place in the classes table.
class BorderIndex {
 public:
  explicit BorderIndex(const std::vector<ClassBox>& boxes)
      : vertical_(Edges(boxes, true)), horizontal_(Edges(boxes, false)) {}

  // Appends the boxes whose border holds the point; a box may come more than once.
  void BoxesTouching(LinePoint point, std::vector<int32_t>& boxes) const {
    vertical_.OwnersHolding(point.x, point.y, boxes);
    horizontal_.OwnersHolding(point.y, point.x, boxes);
  }

 private:
  // Left and right edges span top to bottom; top and bottom edges span left to
  // right. A box of zero width or height has one edge where it would have two.
  static std::vector<Edge> Edges(const std::vector<ClassBox>& boxes, bool vertical) {
    std::vector<Edge> edges;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      const ClassBox& box = boxes[i];
      int32_t owner = static_cast<int32_t>(i);
      int32_t first = vertical ? box.left : box.top;
      int32_t second = vertical ? box.right : box.bottom;
      int32_t from = vertical ? box.top : box.left;
      int32_t to = vertical ? box.bottom : box.right;
      edges.push_back({first, from, to, owner});
      if (second != first) edges.push_back({second, from, to, owner});
    }
    return edges;
  }

  EdgeIndex vertical_;
  EdgeIndex horizontal_;
};

// The places of the relations that touch each class, in relations-table order:
// one list per class, each relation at most once in it.
std::vector<std::vector<std::size_t>> TouchingRelations(
    const std::vector<std::shared_ptr<TClassType>>& classes,
    const std::vector<std::shared_ptr<TRelType>>& relations) {
  std::vector<ClassBox> boxes;
  boxes.reserve(classes.size());
  for (const auto& cls : classes) boxes.push_back(BoxOf(*cls));
  BorderIndex index(boxes);

  std::vector<std::vector<std::size_t>> touching(classes.size());
  // The last relation recorded for each class, against a class touched at both
  // ends, on two edges or at a corner.
  std::vector<std::size_t> lastRelation(classes.size(), relations.size());
  std::vector<int32_t> found;
  for (std::size_t r = 0; r < relations.size(); ++r) {
    found.clear();
    index.BoxesTouching(relations[r]->StartPoint(), found);
    index.BoxesTouching(relations[r]->EndPoint(), found);
    for (int32_t box : found) {
      auto cls = static_cast<std::size_t>(box);
      if (lastRelation[cls] == r) continue;
      lastRelation[cls] = r;
      touching[cls].push_back(r);
    }
  }
  return touching;
}

}  // namespace

// An empty element is of no kind.
bool IsClassType(const PElement& element) {
  return element && ImplementationAs<TClassType>(element->GetSelf()) != nullptr;
}

// Relation objects may be of subclasses, which the type alone does not tell; a
// class, the commonest element, is known by its type to be none.
bool IsRelType(const PElement& element) {
  return element && !IsClassType(element) &&
         ImplementationAs<TRelType>(element->GetSelf()) != nullptr;
}

bool IsOtherElem(const PElement& element) {
  return element && !IsClassType(element) && !IsRelType(element);
}

bool IsPlainClass(const PElement& element) {
  return IsClassType(element) && !ToClassType(element)->GetUnderlined();
}

void ConnectClass(const PElement& cls, const PElemTable& relations) {
  NarrowClass(cls)->CollectRelations(relations);
}

// The same tests in the same order as ConnectClass for every class: a class
// gets only the relations that touch it, and every test left out is one that
// would have recorded nothing.
void ConnectClasses(const PElemTable& classes, const PElemTable& relations) {
  std::vector<std::shared_ptr<TClassType>> narrowed;
  for (const PElement& cls : ElementsOf(classes)) narrowed.push_back(NarrowClass(cls));
  if (narrowed.empty()) return;
  const ElemList relationList = ElementsOf(relations);
  std::vector<std::shared_ptr<TRelType>> narrowedRelations;
  narrowedRelations.reserve(relationList.size());
  for (const PElement& relation : relationList)
    narrowedRelations.push_back(NarrowRelation(relation));
  const std::vector<std::vector<std::size_t>> touching =
      TouchingRelations(narrowed, narrowedRelations);
  for (std::size_t i = 0; i < narrowed.size(); ++i) {
    PElemTable touched = NewElemTable();
    for (const std::size_t r : touching[i]) {
      if (narrowedRelations[r]->TryConnect(narrowed[i])) touched->Add(relationList[r]);
    }
    narrowed[i]->SetRelations(touched);
  }
}

bool RelTouchesClass(const PElement& relation, const PElement& cls) {
  return NarrowRelation(relation)->TryConnect(NarrowClass(cls));
}

bool OnBorder(int32_t px, int32_t py, int32_t left, int32_t right, int32_t top, int32_t bottom) {
  bool withinHeight = top <= py && py <= bottom;
  bool withinWidth = left <= px && px <= right;
  return ((px == left || px == right) && withinHeight) ||
         ((py == top || py == bottom) && withinWidth);
}

void TClassType::CollectRelations(const PElemTable& relations) {
  PElement self = shared_from_this();
  relations_ = relations->FilterWithElem(self, RelTouchesClass);
}

LinePoint TRelType::StartPoint() const {
  return {WrappingSum(x_, startX_), WrappingSum(y_, startY_)};
}

LinePoint TRelType::EndPoint() const {
  return {WrappingSum(x_, endX_), WrappingSum(y_, endY_)};
}

bool TRelType::TryConnect(const std::shared_ptr<TClassType>& cls) {
  ClassBox box = BoxOf(*cls);
  LinePoint startPoint = StartPoint();
  LinePoint endPoint = EndPoint();
  bool start = OnBorder(startPoint.x, startPoint.y, box.left, box.right, box.top, box.bottom);
  bool end = OnBorder(endPoint.x, endPoint.y, box.left, box.right, box.top, box.bottom);
  if (start && end) {
    class1_ = cls;
    class2_ = cls;
  } else if ((start && direction_ == 1) || (end && direction_ == 2)) {
    class2_ = cls;
  } else if (start || end) {
    if (class1_.expired()) {
      class1_ = cls;
    } else {
      class2_ = cls;
    }
  }
  return start || end;
}
