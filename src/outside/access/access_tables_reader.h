#pragma once

#include <string>
#include <vector>

#include "outside/points_tables.h"

namespace pointimport::outside::access {

struct AccessTablesRead {
  std::vector<TableRows> tables;  // in the shapes' order
  // What the file holds that the tables do not take: columns of the
  // operator's own.
  std::vector<std::u16string> leftOut;
};

// Reads the shapes' columns of the shapes' tables from a Jet 3, Jet 4 or
// ACE file, opened read-only. Text comes from its stored bytes, so that
// every character and the difference between empty text and Null survive;
// numbers and dates keep their stored bits. Raises a RuntimeError that names
// the file, table, column or row it cannot read exactly; then nothing is
// returned.
AccessTablesRead ReadAccessTables(const std::u16string& path, const std::vector<PointsTableShape>& shapes);

}  // namespace pointimport::outside::access
