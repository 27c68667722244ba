#include "main/qt/plain_message_box.h"

#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace pointimport::main::qt {

namespace {

constexpr int kDetailsWidth = 420;  // pixels

}  // namespace

void ShowPlainMessage(QWidget* parent, const QString& caption, const QString& text, const QString& details) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setIcon(QMessageBox::NoIcon);
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  if (!details.isEmpty()) {
    box.setDetailedText(details);
    // A box as narrow as its short message would fold every line of the
    // details; a spacer across the box's grid gives them room.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
      grid->addItem(new QSpacerItem(kDetailsWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                    grid->rowCount(), 0, 1, grid->columnCount());
    }
  }
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  // Under X11 the style puts an icon on standard buttons; the box shows none.
  ok->setIcon(QIcon());
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
}

bool AskPlainYesNo(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setIcon(QMessageBox::NoIcon);
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  QPushButton* yes = box.addButton(QMessageBox::Yes);
  QPushButton* no = box.addButton(QMessageBox::No);
  yes->setIcon(QIcon());
  no->setIcon(QIcon());
  // Replacing stored data is never what a stray Enter means.
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

}  // namespace pointimport::main::qt
