#pragma once

// The Qt window on the recording platform, in a temporary program folder.

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <memory>

#include "main/form/window_fixture.h"
#include "main/qt/frm_main_window.h"

namespace pointimport::test_support {

// Hands the window's calls on to the fixture's recording platform, which
// outlives the window.
class ForwardingPlatform : public main::form::WindowPlatform {
 public:
  explicit ForwardingPlatform(RecordingPlatform& to) : to_(to) {}
  std::u16string ProgramFolder() override { return to_.ProgramFolder(); }
  std::optional<std::u16string> ChooseFile(const main::form::FileChoice& choice) override {
    return to_.ChooseFile(choice);
  }
  void SetMousePointer(int pointer) override { to_.SetMousePointer(pointer); }
  void DoEvents() override { to_.DoEvents(); }
  void ShowMessage(const std::u16string& text) override { to_.ShowMessage(text); }
  void ShowMessageWithDetails(const std::u16string& text, const std::u16string& details) override {
    to_.ShowMessageWithDetails(text, details);
  }
  bool AskYesNo(const std::u16string& text) override { return to_.AskYesNo(text); }

 private:
  RecordingPlatform& to_;
};

class WindowHarness : public WindowFixture {
 public:
  using WindowFixture::WindowFixture;

  // Builds the window; Load() then runs its load step.
  main::qt::FrmMainWindow& Window() {
    if (!window) {
      window = std::make_unique<main::qt::FrmMainWindow>(
          [this](QWidget&) { return std::make_unique<ForwardingPlatform>(platform); });
    }
    return *window;
  }

  bool Load() { return Window().LoadAndShow(); }

  template <class Widget>
  Widget* Find(const char* name) {
    return Window().findChild<Widget*>(QLatin1String(name));
  }
  QLabel* Label(const char* name) { return Find<QLabel>(name); }
  QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
  QWidget* Panel() { return Find<QWidget>("picMain"); }

  std::unique_ptr<main::qt::FrmMainWindow> window;
};

}  // namespace pointimport::test_support
