// pointimport: the points import window.
#include <QApplication>

#include "main/object_registry.h"
#include "main/window/frm_main.h"
#include "main/window/qt_translation.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral(POINTIMPORT_APP_ID));
  pointimport::main::InstallQtJapaneseTranslation(application);
  pointimport::main::RegisterSystemObjects();
  pointimport::main::frmMain window;
  if (!window.LoadAndShow()) return 1;
  return application.exec();
}
