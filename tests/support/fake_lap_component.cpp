#include "support/fake_lap_component.h"

#include "convert/runtime_error.h"

namespace pointimport::test_support {

using convert::Variant;

namespace {

[[noreturn]] void OutOfRange() {
  throw convert::RuntimeError(convert::error_number::kSubscriptOutOfRange,
                              u"インデックスが有効範囲にありません。");
}

class FakeFileControl : public outside::LapFileControl {
 public:
  Variant FileLoadFilter() override { return Variant(u"テスト (*.xml)|*.xml"); }
  Variant LoadLapFile(const std::u16string& path) override { return Variant(path != u"fail"); }
};

class FakeEventData : public outside::LapEventData {
 public:
  FakeEventData(const FakeEvent& event, CallLog& calls) : event_(event), calls_(calls) {}
  Variant ToString() override { return Logged("ToString", event_.description); }
  Variant FileName() override { return Logged("FileName", event_.fileName); }
  Variant EventName() override { return Logged("EventName", event_.eventName); }
  Variant Terrain() override { return Logged("Terrain", event_.terrain); }
  Variant EventDate() override { return Logged("EventDate", event_.eventDate); }
  Variant Provisional() override { return Logged("Provisional", event_.provisional); }

 private:
  Variant Logged(const char* member, const Variant& value) {
    calls_.push_back(member);
    return value;
  }
  const FakeEvent& event_;
  CallLog& calls_;
};

class FakeClassData : public outside::LapClassData {
 public:
  FakeClassData(std::u16string name, CallLog& calls) : name_(std::move(name)), calls_(calls) {}
  Variant ClassName() override {
    calls_.push_back("ClassData.ClassName");
    return Variant(name_);
  }

 private:
  std::u16string name_;
  CallLog& calls_;
};

class FakeResultObject : public outside::LapResult {
 public:
  FakeResultObject(const FakeResult& result, const std::u16string& className, CallLog& calls)
      : result_(result), className_(className), calls_(calls) {}
  Variant Result() override { return Logged("Result", result_.result); }
  Variant Rank() override { return Logged("Rank", result_.rank); }
  Variant RunnerName() override { return Logged("RunnerName", result_.runnerName); }
  Variant ClubName() override { return Logged("ClubName", result_.clubName); }
  Variant Sex() override { return Logged("Sex", result_.sex); }
  Variant ClassName() override {
    return Logged("ClassName", result_.className == Variant(u"") ? Variant(className_) : result_.className);
  }

 private:
  Variant Logged(const char* member, const Variant& value) {
    calls_.push_back(member);
    return value;
  }
  const FakeResult& result_;
  const std::u16string& className_;
  CallLog& calls_;
};

class FakeResultsHolder : public outside::LapResultsHolder {
 public:
  FakeResultsHolder(const FakeEvent& event, CallLog& calls) : event_(event), calls_(calls) {}
  void Clear() override {
    calls_.push_back("Clear");
    class_ = nullptr;
  }
  void AddClass(std::int32_t classNumber) override {
    calls_.push_back("AddClass " + std::to_string(classNumber));
    if (classNumber < 1 || classNumber > static_cast<std::int32_t>(event_.classes.size())) OutOfRange();
    class_ = &event_.classes[static_cast<std::size_t>(classNumber - 1)];
  }
  Variant Count() override {
    calls_.push_back("Count");
    return Variant(static_cast<std::int32_t>(class_ ? class_->results.size() : 0));
  }
  std::shared_ptr<outside::LapResult> Item(std::int32_t position) override {
    calls_.push_back("Item " + std::to_string(position));
    if (!class_ || position < 1 || position > static_cast<std::int32_t>(class_->results.size())) OutOfRange();
    return std::make_shared<FakeResultObject>(class_->results[static_cast<std::size_t>(position - 1)],
                                              class_->name, calls_);
  }

 private:
  const FakeEvent& event_;
  CallLog& calls_;
  const FakeClass* class_ = nullptr;
};

}  // namespace

std::shared_ptr<outside::LapFileControl> FakeLapComponent::FileControl() {
  return std::make_shared<FakeFileControl>();
}

std::shared_ptr<outside::LapEventData> FakeLapComponent::EventData() {
  calls.push_back("EventData");
  return std::make_shared<FakeEventData>(event_, calls);
}

Variant FakeLapComponent::ClassCount() {
  calls.push_back("ClassCount");
  return Variant(static_cast<std::int32_t>(event_.classes.size()));
}

std::shared_ptr<outside::LapClassData> FakeLapComponent::ClassData(std::int32_t classNumber) {
  calls.push_back("ClassData " + std::to_string(classNumber));
  if (classNumber < 1 || classNumber > static_cast<std::int32_t>(event_.classes.size())) OutOfRange();
  return std::make_shared<FakeClassData>(event_.classes[static_cast<std::size_t>(classNumber - 1)].name, calls);
}

std::shared_ptr<outside::LapResultsHolder> FakeLapComponent::NewResultsHolder() {
  calls.push_back("NewResultsHolder");
  return std::make_shared<FakeResultsHolder>(event_, calls);
}

double TimeOfDay(int hours, int minutes, int seconds) {
  return hours / 24.0 + minutes / 1440.0 + seconds / 86400.0;
}

}  // namespace pointimport::test_support
