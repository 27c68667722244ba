#pragma once

#include <string>
#include <vector>

#include "outside/lap_component.h"

namespace pointimport::test_support {

// What a fake lap file holds: plain values, returned as they are.
struct FakeResult {
  convert::Variant result;
  convert::Variant rank;
  convert::Variant runnerName;
  convert::Variant clubName = convert::Variant(u"");
  convert::Variant sex = convert::Variant(u"");
  convert::Variant className = convert::Variant(u"");  // empty: the class's own name
};

struct FakeClass {
  std::u16string name;
  std::vector<FakeResult> results;
};

struct FakeEvent {
  convert::Variant fileName = convert::Variant(u"E1");
  convert::Variant eventName = convert::Variant(u"大会");
  convert::Variant terrain = convert::Variant(u"");
  convert::Variant eventDate = convert::Variant::Null();
  convert::Variant description = convert::Variant(u"大会");
  convert::Variant provisional = convert::Variant(false);
  std::vector<FakeClass> classes;
};

// Every member call on a fake component and its objects, in order.
using CallLog = std::vector<std::string>;

// A lap-file component that serves a FakeEvent; LoadLapFile succeeds unless
// the path is "fail". Calls on the component and the objects it hands out are
// logged by member name ("EventData", "FileName", "Item 2", "Rank", ...; a
// class's name as "ClassData.ClassName").
class FakeLapComponent : public outside::LapComponent {
 public:
  explicit FakeLapComponent(FakeEvent event) : event_(std::move(event)) {}

  std::shared_ptr<outside::LapFileControl> FileControl() override;
  std::shared_ptr<outside::LapEventData> EventData() override;
  convert::Variant ClassCount() override;
  std::shared_ptr<outside::LapClassData> ClassData(std::int32_t classNumber) override;
  std::shared_ptr<outside::LapResultsHolder> NewResultsHolder() override;

  CallLog calls;

 private:
  FakeEvent event_;
};

// A time of day as a date number.
double TimeOfDay(int hours, int minutes, int seconds);

}  // namespace pointimport::test_support
