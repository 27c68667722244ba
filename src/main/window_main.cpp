// pointimport: the points import window.
#include <QApplication>

#include "main/object_registry.h"
#include "main/qt/frm_main_window.h"
#include "main/qt/qt_translation.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral(POINTIMPORT_APP_ID));
  pointimport::main::qt::InstallQtJapaneseTranslation(application);
  pointimport::main::RegisterSystemObjects();
  pointimport::main::qt::FrmMainWindow window;
  if (!window.LoadAndShow()) return 1;
  return application.exec();
}
