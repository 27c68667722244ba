#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/variant.h"

namespace pointimport::outside {

// A table of the points database with the columns the import's statements
// name, in the order they name them.
struct PointsTableShape {
  std::u16string_view name;
  std::vector<std::u16string_view> columns;
};

// EVENT, PERSON and RESULT.
const std::vector<PointsTableShape>& PointsTableShapes();

// The rows of one table as read from a file, each value in the columns'
// order; Null where the file holds no value.
struct TableRows {
  std::u16string_view name;
  std::vector<std::u16string_view> columns;
  std::vector<std::vector<convert::Variant>> rows;
};

}  // namespace pointimport::outside
