// Element kinds, and the connection of relations to the class boxes their ends touch.
#include "model/Connection.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

#include "model/BorderIndex.h"
#include "model/Downcast.h"
#include "model/ElemList.h"
#include "model/ElemType.h"
#include "model/NearClass.h"

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

// The relations that touch each class, by its border or by nearness: their
// places in relations-table order, one list per class, each relation at most
// once in it. Also the ends that lie on no border: 2r for the start of relation
// r, 2r + 1 for its end.
struct Touches {
  std::vector<std::vector<std::size_t>> relationsOf;
  std::vector<std::size_t> looseEnds;
};

Touches TouchingBorders(const BorderIndex& index,
                        const std::vector<std::shared_ptr<TRelType>>& relations,
                        std::size_t classCount) {
  Touches touches{std::vector<std::vector<std::size_t>>(classCount), {}};
  // The last relation recorded for each class, against a class touched at both
  // ends, on two edges or at a corner.
  std::vector<std::size_t> lastRelation(classCount, relations.size());
  std::vector<int32_t> found;
  for (std::size_t r = 0; r < relations.size(); ++r) {
    found.clear();
    index.BoxesWithin(relations[r]->StartPoint(), 0, found);
    if (found.empty()) touches.looseEnds.push_back(2 * r);
    const std::size_t onStart = found.size();
    index.BoxesWithin(relations[r]->EndPoint(), 0, found);
    if (found.size() == onStart) touches.looseEnds.push_back(2 * r + 1);
    for (int32_t box : found) {
      auto cls = static_cast<std::size_t>(box);
      if (lastRelation[cls] == r) continue;
      lastRelation[cls] = r;
      touches.relationsOf[cls].push_back(r);
    }
  }
  return touches;
}

// Records in each relation the class its loose ends are near, if any, and adds
// the relation to that class's list.
void AttachNearEnds(const std::vector<std::shared_ptr<TClassType>>& classes,
                    const std::vector<ClassBox>& boxes,
                    const std::vector<std::shared_ptr<TRelType>>& relations, Touches& touches) {
  if (touches.looseEnds.empty()) return;
  std::vector<ClassBox> candidates;
  std::vector<std::size_t> placeOf;
  for (std::size_t i = 0; i < classes.size(); ++i) {
    const TClassType& cls = *classes[i];
    if (!CanBeNear(cls.GetX(), cls.GetY(), cls.GetW(), cls.GetH())) continue;
    candidates.push_back(boxes[i]);
    placeOf.push_back(i);
  }
  std::vector<LinePoint> points;
  points.reserve(touches.looseEnds.size());
  for (const std::size_t end : touches.looseEnds) {
    const TRelType& relation = *relations[end / 2];
    points.push_back(end % 2 == 0 ? relation.StartPoint() : relation.EndPoint());
  }
  const std::vector<int32_t> nearest = NearestBoxes(candidates, points);

  std::vector<bool> grown(classes.size(), false);
  for (std::size_t i = 0; i < nearest.size(); ++i) {
    if (nearest[i] < 0) continue;
    const std::size_t cls = placeOf[static_cast<std::size_t>(nearest[i])];
    const std::size_t end = touches.looseEnds[i];
    TRelType& relation = *relations[end / 2];
    if (end % 2 == 0) {
      relation.SetNearStart(classes[cls]);
    } else {
      relation.SetNearEnd(classes[cls]);
    }
    touches.relationsOf[cls].push_back(end / 2);
    grown[cls] = true;
  }
  // Back into relations order, without the relations whose other end touches
  // the class's border too.
  for (std::size_t cls = 0; cls < classes.size(); ++cls) {
    if (!grown[cls]) continue;
    std::vector<std::size_t>& list = touches.relationsOf[cls];
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
  }
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

// The same tests in the same order as ConnectClass for every class, once the
// loose ends know their classes: a class gets only the relations that touch it,
// and every test left out is one that would have recorded nothing.
void ConnectClasses(const PElemTable& classes, const PElemTable& relations,
                    std::pmr::memory_resource& memory) {
  std::vector<std::shared_ptr<TClassType>> narrowed;
  for (const PElement& cls : ElementsOf(classes)) narrowed.push_back(NarrowClass(cls));
  if (narrowed.empty()) return;
  const ElemList relationList = ElementsOf(relations);
  std::vector<std::shared_ptr<TRelType>> narrowedRelations;
  narrowedRelations.reserve(relationList.size());
  for (const PElement& relation : relationList)
    narrowedRelations.push_back(NarrowRelation(relation));
  std::vector<ClassBox> boxes;
  boxes.reserve(narrowed.size());
  for (const auto& cls : narrowed) boxes.push_back(cls->Box());

  Touches touches = TouchingBorders(BorderIndex(boxes), narrowedRelations, narrowed.size());
  AttachNearEnds(narrowed, boxes, narrowedRelations, touches);
  // Most classes of a large diagram touch no relation: they share the empty table.
  const PElemTable none = NoElements();
  for (std::size_t i = 0; i < narrowed.size(); ++i) {
    PElemTable touched = none;
    for (const std::size_t r : touches.relationsOf[i]) {
      if (!narrowedRelations[r]->TryConnect(narrowed[i])) continue;
      if (touched == none) touched = NewElemTable(memory);
      touched->Add(relationList[r]);
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

ClassBox TClassType::Box() const {
  return {x_, WrappingSum(x_, w_), y_, WrappingSum(y_, h_)};
}

LinePoint TRelType::StartPoint() const {
  return {WrappingSum(x_, startX_), WrappingSum(y_, startY_)};
}

LinePoint TRelType::EndPoint() const {
  return {WrappingSum(x_, endX_), WrappingSum(y_, endY_)};
}

// An end found near a class lies on no border, so it counts for that class alone.
bool TRelType::TryConnect(const std::shared_ptr<TClassType>& cls) {
  ClassBox box = cls->Box();
  LinePoint startPoint = StartPoint();
  LinePoint endPoint = EndPoint();
  bool start = OnBorder(startPoint.x, startPoint.y, box.left, box.right, box.top, box.bottom) ||
               nearStart_.lock() == cls;
  bool end = OnBorder(endPoint.x, endPoint.y, box.left, box.right, box.top, box.bottom) ||
             nearEnd_.lock() == cls;
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

void TRelType::SetNearStart(const std::shared_ptr<TClassType>& cls) {
  nearStart_ = cls;
}

void TRelType::SetNearEnd(const std::shared_ptr<TClassType>& cls) {
  nearEnd_ = cls;
}
