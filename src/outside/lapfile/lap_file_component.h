#pragma once

#include <memory>

#include "outside/lap_component.h"

namespace pointimport::outside::lapfile {

struct LoadedLapEvent;

// The lap-file component over the lap files of every format that is read
// (lap_formats.h): what kLapComponentProgId creates.
//
// After a failed load it holds no event: FileName and ToString are empty
// texts and ClassCount is 0, so that a stale event is never imported. The
// objects it hands out keep the values of the file that was loaded when
// they were taken, except the results holder, which takes each class from
// the file loaded when AddClass is called.
class LapFileComponent : public LapComponent {
 public:
  LapFileComponent();

  std::shared_ptr<LapFileControl> FileControl() override;
  std::shared_ptr<LapEventData> EventData() override;
  convert::Variant ClassCount() override;
  std::shared_ptr<LapClassData> ClassData(std::int32_t classNumber) override;
  std::shared_ptr<LapResultsHolder> NewResultsHolder() override;

 private:
  std::shared_ptr<LoadedLapEvent> loaded_;
};

}  // namespace pointimport::outside::lapfile
