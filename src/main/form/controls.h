#pragma once

#include <string>

namespace pointimport::main::form {

// The window's controls as its logic sees them: only what it does to them.
// Each toolkit puts its own widgets behind these.

class Label {
 public:
  virtual ~Label() = default;
  // Replaces the text at once; the text is plain, never markup.
  virtual void SetText(const std::u16string& text) = 0;
};

class Panel {
 public:
  virtual ~Panel() = default;
  // The panel and everything on it appear or disappear.
  virtual void SetVisible(bool visible) = 0;
  // Plain text shown while the pointer rests on the panel.
  virtual void SetToolTip(const std::u16string& text) = 0;
};

class Button {
 public:
  virtual ~Button() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetFocus() = 0;
};

}  // namespace pointimport::main::form
