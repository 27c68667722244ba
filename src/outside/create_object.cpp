#include "outside/create_object.h"

#include <map>
#include <string>

namespace pointimport::outside {

namespace {

std::map<std::u16string, ObjectFactory, std::less<>>& Registry() {
  // Empty until a program registers its objects at start-up.
  static std::map<std::u16string, ObjectFactory, std::less<>> registry;
  return registry;
}

}  // namespace

std::shared_ptr<Object> CreateObject(std::u16string_view progId) {
  const auto& registry = Registry();
  const auto found = registry.find(progId);
  if (found == registry.end()) {
    throw convert::RuntimeError(convert::error_number::kCannotCreateObject,
                                u"オブジェクトを作成できません: " + std::u16string(progId));
  }
  return found->second();
}

void RegisterObject(std::u16string_view progId, ObjectFactory factory) {
  auto& registry = Registry();
  if (factory) {
    registry.insert_or_assign(std::u16string(progId), std::move(factory));
  } else if (const auto found = registry.find(progId); found != registry.end()) {
    registry.erase(found);
  }
}

}  // namespace pointimport::outside
