#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "convert/runtime_error.h"
#include "outside/object.h"

namespace pointimport::outside {

inline constexpr std::u16string_view kConnectionProgId = u"ADODB.Connection";
inline constexpr std::u16string_view kLapComponentProgId = u"Ferrowick2.clsFerrowick2";

using ObjectFactory = std::function<std::shared_ptr<Object>()>;

// Creates the object registered under a ProgID. An unknown ProgID raises a
// "cannot create object" error that names it.
std::shared_ptr<Object> CreateObject(std::u16string_view progId);

// Registers (or, with an empty factory, removes) the object of a ProgID.
// Each program registers the system's objects at start-up; tests replace
// them with fakes.
void RegisterObject(std::u16string_view progId, ObjectFactory factory);

// CreateObject, then the interface the caller needs; an object of another
// kind raises a type mismatch.
template <class Interface>
std::shared_ptr<Interface> CreateObjectAs(std::u16string_view progId) {
  auto object = std::dynamic_pointer_cast<Interface>(CreateObject(progId));
  if (!object) {
    throw convert::RuntimeError(convert::error_number::kTypeMismatch,
                                u"オブジェクトの型が一致しません: " + std::u16string(progId));
  }
  return object;
}

}  // namespace pointimport::outside
