// render_window: pictures of the window for the README, in the states the
// operator meets: connected, not connected, with a lap file loaded, the
// completion message of its import with the details open, the warnings of a
// provisional undated file as it loads, and the question before an import
// that would replace another event; beside them the HTML report that import
// saved (report_example.html).
//
//   render_window OUTPUT_FOLDER
//
// Runs on a real display (scripts/render_window.sh starts one under Xvfb).
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "convert/utf.h"
#include "main/object_registry.h"
#include "main/qt/frm_main_window.h"
#include "main/qt/qt_translation.h"
#include "main/qt/qt_window_platform.h"
#include "outside/sqlite/points_database_file.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace {

using pointimport::convert::Utf8ToUtf16;
namespace main = pointimport::main;

constexpr char kLapFile[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<ResultList xmlns="http://www.orienteering.org/datastandard/3.0" iofVersion="3.0" status="Complete">
  <Event>
    <Id>KANTO-MIDDLE-2024</Id>
    <Name>第12回 関東ミドル選手権</Name>
    <StartTime><Date>2024-05-12</Date></StartTime>
  </Event>
  <ClassResult>
    <Class sex="M"><Name>M21A</Name></Class>
    <PersonResult>
      <Person><Name><Family>山田</Family><Given>太郎</Given></Name></Person>
      <Organisation><Name>東京OLC</Name></Organisation>
      <Result><Time>2723</Time><Position>1</Position><Status>OK</Status></Result>
    </PersonResult>
    <PersonResult>
      <Person><Name><Family>佐藤</Family><Given>健</Given></Name></Person>
      <Organisation><Name>横浜OLC</Name></Organisation>
      <Result><Time>2981</Time><Position>2</Position><Status>OK</Status></Result>
    </PersonResult>
    <PersonResult>
      <Person><Name><Family>斎藤</Family><Given>博之</Given></Name></Person>
      <Organisation><Name>京葉OL</Name></Organisation>
      <Result><Time>3105</Time><Position>3</Position><Status>OK</Status></Result>
    </PersonResult>
    <PersonResult>
      <Person><Name><Family>斉藤</Family><Given>博之</Given></Name></Person>
      <Organisation><Name>みちの会</Name></Organisation>
      <Result><Time>3340</Time><Position>4</Position><Status>OK</Status></Result>
    </PersonResult>
    <PersonResult>
      <Person><Name><Family>高橋</Family><Given>三郎</Given></Name></Person>
      <Organisation><Name>東京OLC</Name></Organisation>
      <Result><Time>2890</Time><Status>MissingPunch</Status></Result>
    </PersonResult>
  </ClassResult>
  <ClassResult>
    <Class sex="F"><Name>W21A</Name></Class>
    <PersonResult>
      <Person><Name><Family>伊藤</Family><Given>花子</Given></Name></Person>
      <Organisation><Name>横浜OLC</Name></Organisation>
      <Result><Time>3020</Time><Position>1</Position><Status>OK</Status></Result>
    </PersonResult>
    <PersonResult>
      <Person><Name><Family>加藤</Family><Given>桜</Given></Name></Person>
      <Result><Time>3311</Time><Position>2</Position><Status>OK</Status></Result>
    </PersonResult>
  </ClassResult>
</ResultList>
)";

// The desktop as it is, but with the program folder and the file dialog's
// answer fixed.
class RenderPlatform : public main::qt::QtWindowPlatform {
 public:
  RenderPlatform(QWidget& window, std::u16string folder, std::optional<std::u16string> answer)
      : QtWindowPlatform(window), folder_(std::move(folder)), answer_(std::move(answer)) {}

  std::u16string ProgramFolder() override { return folder_; }
  std::optional<std::u16string> ChooseFile(const main::form::FileChoice&) override { return answer_; }

 private:
  std::u16string folder_;
  std::optional<std::u16string> answer_;
};

void Settle() {
  QElapsedTimer elapsed;
  elapsed.start();
  while (elapsed.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool Render(const std::filesystem::path& folder, const std::optional<std::u16string>& lapFile,
            const std::filesystem::path& picture) {
  main::qt::FrmMainWindow window(
      [&](QWidget& w) { return std::make_unique<RenderPlatform>(w, Utf8ToUtf16(folder.string()), lapFile); });
  if (!window.LoadAndShow()) return false;
  Settle();
  if (lapFile) {
    window.findChild<QWidget*>(QStringLiteral("cmdOpen"))->setFocus();
    QMetaObject::invokeMethod(window.findChild<QObject*>(QStringLiteral("cmdOpen")), "click");
    Settle();
  }
  const bool saved = window.grab().save(QString::fromStdString(picture.string()));
  window.close();
  std::cout << (saved ? "wrote " : "could not write ") << picture.string() << "\n";
  return saved;
}

// Clicks the button and takes the message box it brings up, with its details
// open, then closes the box with closeWith. Boxes are modal, so a timer looks
// for it.
bool GrabMessage(QObject* button, QMessageBox::StandardButton closeWith, const std::filesystem::path& picture) {
  bool saved = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    poll.stop();
    for (QAbstractButton* details : box->buttons()) {
      if (box->buttonRole(details) == QMessageBox::ActionRole) details->click();
    }
    Settle();
    saved = box->grab().save(QString::fromStdString(picture.string()));
    box->button(closeWith)->click();
  });
  poll.start(50);
  QMetaObject::invokeMethod(button, "click");
  std::cout << (saved ? "wrote " : "could not write ") << picture.string() << "\n";
  return saved;
}

enum class Grab { kLoad, kImport };

// Takes the message that opening the lap file, or then importing it, brings
// up: the load warnings, the completion message or the question before it.
bool RenderMessage(const std::filesystem::path& folder, const std::u16string& lapFile, Grab grab,
                   QMessageBox::StandardButton closeWith, const std::filesystem::path& picture) {
  main::qt::FrmMainWindow window(
      [&](QWidget& w) { return std::make_unique<RenderPlatform>(w, Utf8ToUtf16(folder.string()), lapFile); });
  if (!window.LoadAndShow()) return false;
  QObject* open = window.findChild<QObject*>(QStringLiteral("cmdOpen"));
  if (grab == Grab::kLoad) {
    const bool saved = GrabMessage(open, closeWith, picture);
    window.close();
    return saved;
  }
  QMetaObject::invokeMethod(open, "click");
  Settle();
  const bool saved = GrabMessage(window.findChild<QObject*>(QStringLiteral("cmdUpdate")), closeWith, picture);
  window.close();
  return saved;
}

// The example file as a provisional list without a date.
std::string ProvisionalUndated() {
  std::string xml = kLapFile;
  xml.replace(xml.find("Complete"), std::strlen("Complete"), "Snapshot");
  const std::size_t start = xml.find("    <StartTime>");
  xml.erase(start, xml.find('\n', start) + 1 - start);
  return xml;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: render_window OUTPUT_FOLDER\n";
    return 2;
  }
  main::qt::InstallQtJapaneseTranslation(application);
  main::RegisterSystemObjects();
  const std::filesystem::path output = argv[1];

  pointimport::test_support::TempDir connected;
  pointimport::test_support::CreateTestDatabase(
      connected.File(pointimport::convert::Utf16ToUtf8(pointimport::outside::sqlite::kPointsDatabaseFileName)));
  pointimport::test_support::WriteFileBytes(connected.File("kanto_middle_2024.xml"), kLapFile);
  pointimport::test_support::WriteFileBytes(connected.File("kanto_middle_2024_snapshot.xml"),
                                            ProvisionalUndated());
  pointimport::test_support::TempDir notConnected;
  const auto lapFile = [&](const char* name) { return Utf8ToUtf16(connected.File(name).string()); };

  const bool ok = Render(connected.Path(), std::nullopt, output / "window_connected.png") &&
                  Render(notConnected.Path(), std::nullopt, output / "window_not_connected.png") &&
                  Render(connected.Path(), Utf8ToUtf16(connected.File("kanto_middle_2024.xml").string()),
                         output / "window_loaded.png") &&
                  RenderMessage(connected.Path(), lapFile("kanto_middle_2024.xml"), Grab::kImport,
                                QMessageBox::Ok, output / "import_details.png") &&
                  RenderMessage(connected.Path(), lapFile("kanto_middle_2024_snapshot.xml"), Grab::kLoad,
                                QMessageBox::Ok, output / "load_warnings.png");
  if (!ok) return 1;
  // Last year's event stored under this year's keyword: importing asks.
  pointimport::test_support::OpenTestConnection(
      connected.File(pointimport::convert::Utf16ToUtf8(pointimport::outside::sqlite::kPointsDatabaseFileName)))
      ->Execute(u"UPDATE EVENT SET NAME = '第11回 関東ミドル選手権', EVENT_DATE = '2023/05/14 00:00:00'");
  if (!RenderMessage(connected.Path(), lapFile("kanto_middle_2024.xml"), Grab::kImport, QMessageBox::No,
                     output / "replace_question.png"))
    return 1;
  // The report that import saved, for the README to show.
  for (const auto& report : std::filesystem::directory_iterator(connected.Path() / "reports")) {
    std::filesystem::copy_file(report.path(), output / "report_example.html",
                               std::filesystem::copy_options::overwrite_existing);
    std::cout << "wrote " << (output / "report_example.html").string() << "\n";
  }
  return 0;
}
