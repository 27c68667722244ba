#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <deque>
#include <functional>

namespace pointimport::test_support {

// Works the modal boxes and dialogs that a call brings up, one step per box
// as each comes to the front. A step runs from a timer of its own, so that
// one which opens a further box does not hold up the next. Whatever is still
// open after the fail-safe time is closed and counted as a failure, so that
// a mistake fails the test instead of hanging it.
class ModalDriver {
 public:
  using Step = std::function<void(QWidget* modal)>;

  explicit ModalDriver(std::deque<Step> steps) : steps_(std::move(steps)) {
    poll_.setInterval(10);
    QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
    poll_.start();
    failSafe_.setSingleShot(true);
    QObject::connect(&failSafe_, &QTimer::timeout, [this] { CloseEverything(); });
    failSafe_.start(10000);
  }

  bool TimedOut() const { return timedOut_; }
  bool AllStepsRan() const { return steps_.empty(); }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == lastSeen_ || steps_.empty()) return;
    lastSeen_ = modal;
    Step step = std::move(steps_.front());
    steps_.pop_front();
    QTimer::singleShot(0, modal, [step, modal] { step(modal); });
  }

  void CloseEverything() {
    timedOut_ = true;
    while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
  }

  std::deque<Step> steps_;
  QWidget* lastSeen_ = nullptr;
  QTimer poll_;
  QTimer failSafe_;
  bool timedOut_ = false;
};

}  // namespace pointimport::test_support
