// The root interface of every model object and its shared reference.
#pragma once

#include <memory>

class IElement {
 public:
  virtual ~IElement() = default;
  // The implementing object; kind tests and downcasts decide on its class.
  virtual IElement* GetSelf() = 0;
};

using PElement = std::shared_ptr<IElement>;
