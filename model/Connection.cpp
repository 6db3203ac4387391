// Element kinds, and the connection of relations to the class boxes their ends touch.
#include "model/Connection.h"

#include <memory>

#include "model/Downcast.h"
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

}  // namespace

// An empty element is of no kind.
bool IsClassType(const PElement& element) {
  return element && dynamic_cast<TClassType*>(element->GetSelf()) != nullptr;
}

bool IsRelType(const PElement& element) {
  return element && dynamic_cast<TRelType*>(element->GetSelf()) != nullptr;
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

bool TRelType::TryConnect(const std::shared_ptr<TClassType>& cls) {
  int32_t left = cls->GetX();
  int32_t right = WrappingSum(cls->GetX(), cls->GetW());
  int32_t top = cls->GetY();
  int32_t bottom = WrappingSum(cls->GetY(), cls->GetH());
  bool start =
      OnBorder(WrappingSum(x_, startX_), WrappingSum(y_, startY_), left, right, top, bottom);
  bool end = OnBorder(WrappingSum(x_, endX_), WrappingSum(y_, endY_), left, right, top, bottom);
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
