#include "outside/lapfile/lap_file_component.h"

#include <new>
#include <vector>

#include "convert/date_number.h"
#include "convert/runtime_error.h"
#include "outside/lapfile/lap_event.h"
#include "outside/lapfile/lap_file_loader.h"
#include "outside/lapfile/lap_formats.h"

namespace pointimport::outside::lapfile {

using convert::Variant;

// Shared by the component and the objects that load or look up classes.
// Null while no file is loaded.
struct LoadedLapEvent {
  std::shared_ptr<const LapEvent> event;
  std::u16string lastLoadError;  // empty after a load that succeeded
};

namespace {

[[noreturn]] void OutOfRange() {
  throw convert::RuntimeError(convert::error_number::kSubscriptOutOfRange,
                              u"インデックスが有効範囲にありません。");
}

// The class of a number from 1, kept alive with its event.
std::shared_ptr<const LapClass> ClassOf(const std::shared_ptr<const LapEvent>& event,
                                        std::int32_t classNumber) {
  if (!event || classNumber < 1 || static_cast<std::size_t>(classNumber) > event->classes.size()) OutOfRange();
  return {event, &event->classes[static_cast<std::size_t>(classNumber - 1)]};
}

class LoadingFileControl : public LapFileControl {
 public:
  explicit LoadingFileControl(std::shared_ptr<LoadedLapEvent> loaded) : loaded_(std::move(loaded)) {}

  Variant FileLoadFilter() override { return Variant(LapFileFilter()); }

  Variant LoadLapFile(const std::u16string& path) override {
    // The old event goes first, so that whatever happens to this load it
    // cannot be left standing.
    loaded_->event.reset();
    loaded_->lastLoadError.clear();
    try {
      LapLoadResult result = lapfile::LoadLapFile(path);
      if (result.status != LapLoadStatus::Loaded) {
        loaded_->lastLoadError = std::move(result.reason);
        return Variant(false);
      }
      loaded_->event = std::make_shared<const LapEvent>(std::move(result.event));
    } catch (const std::bad_alloc&) {
      loaded_->lastLoadError = u"ファイルを読むためのメモリーが足りません";
      return Variant(false);
    }
    return Variant(true);
  }

  Variant LastLoadError() override { return Variant(loaded_->lastLoadError); }

 private:
  std::shared_ptr<LoadedLapEvent> loaded_;
};

class LoadedEventData : public LapEventData {
 public:
  explicit LoadedEventData(std::shared_ptr<const LapEvent> event) : event_(std::move(event)) {}

  Variant ToString() override { return Variant(event_ ? DescribeLapEvent(*event_) : std::u16string()); }
  Variant FileName() override { return Variant(event_ ? event_->keyword : std::u16string()); }
  Variant EventName() override { return Variant(event_ ? event_->name : std::u16string()); }
  Variant Terrain() override { return Variant(u""); }  // result lists carry no terrain
  Variant Provisional() override { return Variant(event_ && event_->provisional); }
  Variant OtherRaceResults() override { return Variant(event_ ? event_->otherRaceResults : std::int32_t{0}); }
  Variant EventDate() override {
    if (!event_ || !event_->date) return Variant::Null();
    return Variant::Date(convert::DayNumber(event_->date->year, event_->date->month, event_->date->day));
  }

 private:
  std::shared_ptr<const LapEvent> event_;
};

class LoadedClassData : public LapClassData {
 public:
  explicit LoadedClassData(std::shared_ptr<const LapClass> lapClass) : class_(std::move(lapClass)) {}
  Variant ClassName() override { return Variant(class_->name); }

 private:
  std::shared_ptr<const LapClass> class_;
};

class LoadedResult : public LapResult {
 public:
  LoadedResult(std::shared_ptr<const LapClass> lapClass, const LapRunner& runner)
      : class_(std::move(lapClass)), runner_(runner) {}

  Variant Result() override { return runner_.result; }
  Variant Rank() override { return runner_.rank; }
  Variant RunnerName() override { return Variant(runner_.runnerName); }
  Variant ClubName() override { return Variant(runner_.clubName); }
  Variant Sex() override { return Variant(runner_.sex); }
  Variant ClassName() override { return Variant(class_->name); }

 private:
  std::shared_ptr<const LapClass> class_;  // keeps runner_ alive
  const LapRunner& runner_;
};

// AddClass after AddClass holds both classes, one after the other.
class LoadedResultsHolder : public LapResultsHolder {
 public:
  explicit LoadedResultsHolder(std::shared_ptr<LoadedLapEvent> loaded) : loaded_(std::move(loaded)) {}

  void Clear() override { classes_.clear(); }
  void AddClass(std::int32_t classNumber) override { classes_.push_back(ClassOf(loaded_->event, classNumber)); }

  Variant Count() override {
    std::size_t count = 0;
    for (const auto& lapClass : classes_) count += lapClass->runners.size();
    return Variant(static_cast<std::int32_t>(count));
  }

  std::shared_ptr<LapResult> Item(std::int32_t position) override {
    if (position >= 1) {
      auto index = static_cast<std::size_t>(position - 1);
      for (const auto& lapClass : classes_) {
        if (index < lapClass->runners.size())
          return std::make_shared<LoadedResult>(lapClass, lapClass->runners[index]);
        index -= lapClass->runners.size();
      }
    }
    OutOfRange();
  }

 private:
  std::shared_ptr<LoadedLapEvent> loaded_;
  std::vector<std::shared_ptr<const LapClass>> classes_;
};

}  // namespace

LapFileComponent::LapFileComponent() : loaded_(std::make_shared<LoadedLapEvent>()) {}

std::shared_ptr<LapFileControl> LapFileComponent::FileControl() {
  return std::make_shared<LoadingFileControl>(loaded_);
}

std::shared_ptr<LapEventData> LapFileComponent::EventData() {
  return std::make_shared<LoadedEventData>(loaded_->event);
}

Variant LapFileComponent::ClassCount() {
  return Variant(static_cast<std::int32_t>(loaded_->event ? loaded_->event->classes.size() : 0));
}

std::shared_ptr<LapClassData> LapFileComponent::ClassData(std::int32_t classNumber) {
  return std::make_shared<LoadedClassData>(ClassOf(loaded_->event, classNumber));
}

std::shared_ptr<LapResultsHolder> LapFileComponent::NewResultsHolder() {
  return std::make_shared<LoadedResultsHolder>(loaded_);
}

}  // namespace pointimport::outside::lapfile
