#pragma once

#include <string>
#include <vector>

#include "import/import_host.h"

namespace pointimport::test_support {

// An import host that records what the run asked of it, in order.
class RecordingHost : public import::ImportHost {
 public:
  void SetMousePointer(int pointer) override { events.push_back("pointer " + std::to_string(pointer)); }
  void DoEvents() override { events.push_back("events"); }
  void ShowMessage(const std::u16string& text) override {
    events.push_back("message");
    messages.push_back(text);
  }

  std::vector<std::string> events;
  std::vector<std::u16string> messages;
};

}  // namespace pointimport::test_support
