// pointimport: the points import window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("ポイント取込ツール"));
  window.show();
  return application.exec();
}
