// The elements of a table as a vector, for algorithms that need to index them.
#include "model/ElemList.h"

#include <memory>
#include <utility>

namespace {

// A table walk hands its callback no context but its extra argument, so the
// vector travels inside an element.
class TCollector : public IElement {
 public:
  IElement* GetSelf() override { return this; }
  std::vector<PElement> elements;
};

void Collect(const PElement& collector, const PElement& element) {
  static_cast<TCollector*>(collector.get())->elements.push_back(element);
}

}  // namespace

std::vector<PElement> ElementsOf(const PElemTable& table) {
  auto collector = std::make_shared<TCollector>();
  collector->elements.reserve(static_cast<std::size_t>(table->Count()));
  table->ForEachWithElem(collector, Collect);
  return std::move(collector->elements);
}
