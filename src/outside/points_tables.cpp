#include "outside/points_tables.h"

namespace pointimport::outside {

const std::vector<PointsTableShape>& PointsTableShapes() {
  static const std::vector<PointsTableShape> shapes = {
      {u"EVENT", {u"ID", u"NAME", u"TERRAIN", u"EVENT_DATE"}},
      {u"PERSON", {u"ID", u"NAME", u"CLUB", u"SEX"}},
      {u"RESULT", {u"EVENT_ID", u"PERSON_ID", u"CLASS", u"PLACE", u"RESULT", u"POINT"}},
  };
  return shapes;
}

}  // namespace pointimport::outside
