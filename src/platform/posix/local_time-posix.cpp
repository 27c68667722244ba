#include "platform/local_time.h"

namespace pointimport::platform {

std::tm LocalTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

}  // namespace pointimport::platform
