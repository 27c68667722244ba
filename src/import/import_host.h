#pragma once

#include <string>

#include "import/import_report.h"

namespace pointimport::import {

// What an import run needs from the window (or the command line) around it.
class ImportHost {
 public:
  static constexpr int kDefaultPointer = 0;
  static constexpr int kHourglassPointer = 11;

  virtual ~ImportHost() = default;
  virtual void SetMousePointer(int pointer) = 0;
  virtual void DoEvents() = 0;
  // A message box with no icon and one OK button; returns when it is closed.
  virtual void ShowMessage(const std::u16string& text) = 0;
  // The end of a run: the completion message, and the report for a host
  // that shows more than the message.
  virtual void ShowCompletion(const std::u16string& message, const ImportReport& /*report*/) {
    ShowMessage(message);
  }
  // After each class; for a progress line where one is shown.
  virtual void ReportProgress(int /*classesDone*/, int /*classCount*/) {}
};

}  // namespace pointimport::import
