#include "main/qt/qt_file_chooser.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "convert/utf.h"
#include "main/qt/name_filters.h"
#include "main/qt/plain_message_box.h"
#include "main/qt/qt_text.h"

namespace pointimport::main::qt {

namespace {

// Qt's dialog takes any typed name; this one refuses a path whose folder is
// missing and stays open, while a missing file in an existing folder still
// goes through.
class FolderCheckingFileDialog : public QFileDialog {
 public:
  FolderCheckingFileDialog(QWidget* parent, const QString& caption, bool folderMustExist)
      : QFileDialog(parent, caption), folderMustExist_(folderMustExist) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (folderMustExist_ && !files.isEmpty()) {
      const QFileInfo chosen(files.first());
      if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
        ShowPlainMessage(
            this, windowTitle(),
            QStringLiteral("フォルダーが見つかりません:\n") + QDir::toNativeSeparators(chosen.absolutePath()));
        return;
      }
    }
    QFileDialog::accept();
  }

 private:
  bool folderMustExist_;
};

}  // namespace

std::optional<std::u16string> ChooseFileWithQt(QWidget* parent, const form::FileChoice& choice) {
  FolderCheckingFileDialog dialog(parent, ToQString(choice.title), choice.folderMustExist);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // The descriptions already name their patterns.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !choice.confirmOverwrite);
  dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (const QStringList filters = ToQtNameFilters(choice.filter); !filters.isEmpty()) {
    dialog.setNameFilters(filters);
  }
  if (!choice.offeredPath.empty()) {
    const QFileInfo offered(
        QFile::decodeName(QByteArray::fromStdString(convert::NativePath(choice.offeredPath))));
    dialog.setDirectory(offered.absolutePath());
    dialog.selectFile(offered.fileName());
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  // The bytes that Qt opens the chosen file by, the way the command line
  // takes a path: inside, a byte that is no part of UTF-8 travels as a lone
  // surrogate, not as a replacement character.
  return convert::PathFromNative(QFile::encodeName(files.first()).toStdString());
}

}  // namespace pointimport::main::qt
