#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "main/form/controls.h"

namespace pointimport::main::qt {

// Qt's widgets as the window's logic drives them.

class Label : public QLabel, public form::Label {
 public:
  using QLabel::QLabel;
  void SetText(const std::u16string& text) override;
};

// A label for texts of any length, such as an event's description and
// keyword: its fixed size cuts long ones off, so the whole text is its
// tooltip as well.
class LongTextLabel : public Label {
 public:
  using Label::Label;
  void SetText(const std::u16string& text) override;
};

class Panel : public QWidget, public form::Panel {
 public:
  using QWidget::QWidget;
  void SetVisible(bool visible) override { setVisible(visible); }
  void SetToolTip(const std::u16string& text) override;
};

class Button : public QPushButton, public form::Button {
 public:
  using QPushButton::QPushButton;
  void SetEnabled(bool enabled) override { setEnabled(enabled); }
  void SetFocus() override { setFocus(); }
};

}  // namespace pointimport::main::qt
