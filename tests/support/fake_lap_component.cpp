#include "support/fake_lap_component.h"

#include "convert/runtime_error.h"

namespace pointimport::test_support {

using convert::Variant;

namespace {

[[noreturn]] void OutOfRange() {
  throw convert::RuntimeError(convert::error_number::kSubscriptOutOfRange, u"インデックスが有効範囲にありません。");
}

class FakeFileControl : public outside::LapFileControl {
 public:
  Variant FileLoadFilter() override { return Variant(u"テスト (*.xml)|*.xml"); }
  Variant LoadLapFile(const std::u16string& path) override { return Variant(path != u"fail"); }
};

class FakeEventData : public outside::LapEventData {
 public:
  explicit FakeEventData(const FakeEvent& event) : event_(event) {}
  Variant ToString() override { return event_.description; }
  Variant FileName() override { return event_.fileName; }
  Variant EventName() override { return event_.eventName; }
  Variant Terrain() override { return event_.terrain; }
  Variant EventDate() override { return event_.eventDate; }

 private:
  const FakeEvent& event_;
};

class FakeClassData : public outside::LapClassData {
 public:
  explicit FakeClassData(std::u16string name) : name_(std::move(name)) {}
  Variant ClassName() override { return Variant(name_); }

 private:
  std::u16string name_;
};

class FakeResultObject : public outside::LapResult {
 public:
  FakeResultObject(const FakeResult& result, const std::u16string& className)
      : result_(result), className_(className) {}
  Variant Result() override { return result_.result; }
  Variant Rank() override { return result_.rank; }
  Variant RunnerName() override { return result_.runnerName; }
  Variant ClubName() override { return result_.clubName; }
  Variant Sex() override { return result_.sex; }
  Variant ClassName() override {
    return result_.className == Variant(u"") ? Variant(className_) : result_.className;
  }

 private:
  const FakeResult& result_;
  const std::u16string& className_;
};

class FakeResultsHolder : public outside::LapResultsHolder {
 public:
  explicit FakeResultsHolder(const FakeEvent& event) : event_(event) {}
  void Clear() override { class_ = nullptr; }
  void AddClass(std::int32_t classNumber) override {
    if (classNumber < 1 || classNumber > static_cast<std::int32_t>(event_.classes.size())) OutOfRange();
    class_ = &event_.classes[static_cast<std::size_t>(classNumber - 1)];
  }
  Variant Count() override { return Variant(static_cast<std::int32_t>(class_ ? class_->results.size() : 0)); }
  std::shared_ptr<outside::LapResult> Item(std::int32_t position) override {
    if (!class_ || position < 1 || position > static_cast<std::int32_t>(class_->results.size())) OutOfRange();
    return std::make_shared<FakeResultObject>(class_->results[static_cast<std::size_t>(position - 1)],
                                              class_->name);
  }

 private:
  const FakeEvent& event_;
  const FakeClass* class_ = nullptr;
};

}  // namespace

std::shared_ptr<outside::LapFileControl> FakeLapComponent::FileControl() {
  return std::make_shared<FakeFileControl>();
}

std::shared_ptr<outside::LapEventData> FakeLapComponent::EventData() {
  return std::make_shared<FakeEventData>(event_);
}

Variant FakeLapComponent::ClassCount() { return Variant(static_cast<std::int32_t>(event_.classes.size())); }

std::shared_ptr<outside::LapClassData> FakeLapComponent::ClassData(std::int32_t classNumber) {
  if (classNumber < 1 || classNumber > static_cast<std::int32_t>(event_.classes.size())) OutOfRange();
  return std::make_shared<FakeClassData>(event_.classes[static_cast<std::size_t>(classNumber - 1)].name);
}

std::shared_ptr<outside::LapResultsHolder> FakeLapComponent::NewResultsHolder() {
  return std::make_shared<FakeResultsHolder>(event_);
}

double TimeOfDay(int hours, int minutes, int seconds) {
  return hours / 24.0 + minutes / 1440.0 + seconds / 86400.0;
}

}  // namespace pointimport::test_support
