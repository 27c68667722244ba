#include "main/object_registry.h"

#include <gtest/gtest.h>

#include "outside/connection.h"
#include "outside/create_object.h"
#include "outside/lap_component.h"

namespace pointimport::main {
namespace {

// The test binary's main() registers the system's objects, as the programs do.
TEST(RegisterSystemObjects, MakesTheConnectionAndTheLapComponent) {
  EXPECT_NE(outside::CreateObjectAs<outside::Connection>(outside::kConnectionProgId), nullptr);
  EXPECT_NE(outside::CreateObjectAs<outside::LapComponent>(outside::kLapComponentProgId), nullptr);
}

}  // namespace
}  // namespace pointimport::main
