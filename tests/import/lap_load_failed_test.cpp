#include "import/lap_load_failed.h"

#include <gtest/gtest.h>

namespace pointimport::import {
namespace {

using convert::Variant;

TEST(LapLoadFailed, IsFalseOrANumberEqualToIt) {
  const struct {
    Variant result;
    bool failed;
  } cases[] = {
      {Variant(false), true},   {Variant::Integer(0), true}, {Variant(0), true},
      {Variant(0.0), true},     {Variant(true), false},      {Variant(-1), false},
      {Variant(2.5), false},    {Variant(u"False"), false},  {Variant(), false},
      {Variant::Null(), false}, {Variant::Date(0.0), false},
  };
  for (const auto& c : cases) EXPECT_EQ(LapLoadFailed(c.result), c.failed) << static_cast<int>(c.result.Kind());
}

}  // namespace
}  // namespace pointimport::import
