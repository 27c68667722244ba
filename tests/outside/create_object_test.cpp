#include "outside/create_object.h"

#include <gtest/gtest.h>

#include "convert/utf.h"
#include "outside/connection.h"

namespace pointimport::outside {
namespace {

TEST(CreateObject, NamesAnUnknownProgIdInItsError) {
  try {
    CreateObject(u"No.SuchThing");
    FAIL();
  } catch (const convert::RuntimeError& error) {
    EXPECT_EQ(error.Number(), convert::error_number::kCannotCreateObject);
    EXPECT_NE(error.Description().find(u"No.SuchThing"), std::u16string::npos);
  }
}

TEST(CreateObject, UsesWhatIsRegisteredAndForgetsWhatIsRemoved) {
  struct Fake : Object {};
  RegisterObject(u"Test.Fake", [] { return std::make_shared<Fake>(); });
  EXPECT_NE(std::dynamic_pointer_cast<Fake>(CreateObject(u"Test.Fake")), nullptr);
  EXPECT_THROW(CreateObjectAs<Connection>(u"Test.Fake"), convert::RuntimeError);
  RegisterObject(u"Test.Fake", nullptr);
  EXPECT_THROW(CreateObject(u"Test.Fake"), convert::RuntimeError);
}

}  // namespace
}  // namespace pointimport::outside
