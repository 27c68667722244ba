#pragma once

// The window's logic on recording controls: each control keeps its state and
// notes every change in the platform's list of events, so that tests see the
// order of everything the window does.

#include <optional>
#include <string>
#include <vector>

#include "main/form/frm_main.h"
#include "main/form/frm_main_layout.h"
#include "main/form/window_fixture.h"

namespace pointimport::test_support {

class RecordingLabel : public main::form::Label {
 public:
  RecordingLabel(std::string name, std::vector<std::string>& events, std::u16string text = u"")
      : text(std::move(text)), name_(std::move(name)), events_(events) {}
  void SetText(const std::u16string& newText) override {
    text = newText;
    events_.push_back(name_ + "=" + convert::Utf16ToUtf8(newText));
  }
  std::u16string text;

 private:
  std::string name_;
  std::vector<std::string>& events_;
};

class RecordingPanel : public main::form::Panel {
 public:
  explicit RecordingPanel(std::vector<std::string>& events) : events_(events) {}
  void SetVisible(bool shown) override {
    visible = shown;
    events_.push_back(shown ? "picMain shown" : "picMain hidden");
  }
  void SetToolTip(const std::u16string& text) override { toolTip = text; }
  std::optional<bool> visible;  // nothing until the window sets it
  std::u16string toolTip;

 private:
  std::vector<std::string>& events_;
};

class RecordingButton : public main::form::Button {
 public:
  explicit RecordingButton(std::vector<std::string>& events) : events_(events) {}
  void SetEnabled(bool on) override {
    enabled = on;
    events_.push_back(on ? "cmdUpdate enabled" : "cmdUpdate disabled");
  }
  void SetFocus() override {
    focused = true;
    events_.push_back("cmdUpdate focus");
  }
  // As the window lays it out: disabled at first.
  bool enabled = false;
  bool focused = false;

 private:
  std::vector<std::string>& events_;
};

class FormHarness : public WindowFixture {
 public:
  using WindowFixture::WindowFixture;

  bool Load() { return form.Load(); }
  // Clicks Open with the dialog answering path (nothing: cancel).
  void Open(const std::optional<std::u16string>& path) {
    platform.answers.push_back(path);
    form.cmdOpen_Click();
  }
  void Import() { form.cmdUpdate_Click(); }
  void Close() { form.Unload(); }

  std::vector<std::string>& events = platform.events;
  RecordingPanel picMain{events};
  RecordingLabel lblError{"lblError", events, main::form::kLblErrorText};
  RecordingLabel lblEventName{"lblEventName", events};
  RecordingLabel lblKeyword{"lblKeyword", events};
  RecordingButton cmdUpdate{events};
  main::form::frmMain form{platform,
                           {.picMain = picMain,
                            .lblError = lblError,
                            .lblEventName = lblEventName,
                            .lblKeyword = lblKeyword,
                            .cmdUpdate = cmdUpdate}};
};

}  // namespace pointimport::test_support
