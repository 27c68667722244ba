#pragma once

namespace pointimport::outside {

// Base of every object that CreateObject hands out.
class Object {
 public:
  virtual ~Object() = default;
};

}  // namespace pointimport::outside
