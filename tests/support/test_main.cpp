#include <gtest/gtest.h>

#include "main/object_registry.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  pointimport::main::RegisterSystemObjects();
  return RUN_ALL_TESTS();
}
