#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "convert/variant.h"
#include "outside/object.h"

namespace pointimport::outside {

// The lap-file component and its objects, as the window and the import run
// see them. Every value member returns a Variant; the component decides each
// value's kind, and never returns Empty.

class LapFileControl {
 public:
  virtual ~LapFileControl() = default;
  // The file dialog's filter: "description|patterns|description|patterns".
  virtual convert::Variant FileLoadFilter() = 0;
  // Loads a file, replacing the one loaded before. False when it failed; the
  // component then holds no event.
  virtual convert::Variant LoadLapFile(const std::u16string& path) = 0;
  // Why the last LoadLapFile failed, as a sentence for the operator; empty
  // text after a load that succeeded, or where a component cannot tell.
  virtual convert::Variant LastLoadError() { return convert::Variant(u""); }
};

class LapEventData {
 public:
  virtual ~LapEventData() = default;
  virtual convert::Variant ToString() = 0;  // the description the window shows
  virtual convert::Variant FileName() = 0;  // the event keyword; empty text when none
  virtual convert::Variant EventName() = 0;
  virtual convert::Variant Terrain() = 0;
  virtual convert::Variant EventDate() = 0;
  // True when the file says its results are provisional (not final).
  virtual convert::Variant Provisional() { return convert::Variant(false); }
  // How many results of other races of a multi-race event the file holds
  // and the component leaves out, as a 32-bit integer.
  virtual convert::Variant OtherRaceResults() { return convert::Variant(std::int32_t{0}); }
};

class LapClassData {
 public:
  virtual ~LapClassData() = default;
  virtual convert::Variant ClassName() = 0;
};

class LapResult {
 public:
  virtual ~LapResult() = default;
  virtual convert::Variant Result() = 0;
  virtual convert::Variant Rank() = 0;
  virtual convert::Variant RunnerName() = 0;
  virtual convert::Variant ClubName() = 0;
  virtual convert::Variant Sex() = 0;
  virtual convert::Variant ClassName() = 0;
};

// Holds the results of one class at a time, in ranking order.
class LapResultsHolder {
 public:
  virtual ~LapResultsHolder() = default;
  virtual void Clear() = 0;
  virtual void AddClass(std::int32_t classNumber) = 0;
  virtual convert::Variant Count() = 0;
  // position counts from 1; outside 1..Count raises subscript out of range.
  virtual std::shared_ptr<LapResult> Item(std::int32_t position) = 0;
};

class LapComponent : public Object {
 public:
  virtual std::shared_ptr<LapFileControl> FileControl() = 0;
  virtual std::shared_ptr<LapEventData> EventData() = 0;
  virtual convert::Variant ClassCount() = 0;
  // classNumber counts from 1; outside 1..ClassCount raises subscript out of range.
  virtual std::shared_ptr<LapClassData> ClassData(std::int32_t classNumber) = 0;
  virtual std::shared_ptr<LapResultsHolder> NewResultsHolder() = 0;
};

}  // namespace pointimport::outside
