#include "main/window/plain_message_box.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace pointimport::main {

void ShowPlainMessage(QWidget* parent, const QString& caption, const QString& text, const QString& details) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setIcon(QMessageBox::NoIcon);
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  if (!details.isEmpty()) box.setDetailedText(details);
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  // Under X11 the style puts an icon on standard buttons; the box shows none.
  ok->setIcon(QIcon());
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
}

}  // namespace pointimport::main
