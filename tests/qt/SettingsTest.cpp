// Memory between runs through the real window: settings kept at a clean close come back in the next window.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "TempDir.h"
#include "window/ControlTable.h"
#include "window/FontSizes.h"
#include "panel/MenuBar.h"
#include "WhenModal.h"
#include "qt/Launch.h"
#include "qt/MainWindow.h"
#include "qt/Settings.h"

using namespace plinvaro;
using plinvaro::qt::MainWindow;

namespace {

using testing::WhenModal;

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  testing::TempDir dir_;

  static QWidget* W(MainWindow& window, ControlId id) { return window.controls().widget(id); }

 private slots:
  void initTestCase() {
    QVERIFY(config_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config_.path());
  }

  void aCleanCloseKeepsTheControlsGeometryAndRecentFiles() {
    const std::string corpus = dir_.MakeSubdir("corpus");
    std::vector<std::string> files;
    for (int i = 0; i < 12; ++i) files.push_back(dir_.Write("f" + std::to_string(i) + ".txt", "words"));
    {
      MainWindow window;
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      window.controls().SetDirectoryText(corpus);
      window.controls().SelectFontSize(4);
      window.panel().ApplyFontSize();
      window.controls().SetTrackbarPosition(40);
      qobject_cast<QCheckBox*>(W(window, ControlId::OnTheFlyCheck))->setChecked(false);
      window.resize(820, 610);
      for (const std::string& file : files) {
        window.panel().OpenBaseFilePath(file);
        window.settings().NoteBaseFile();
      }
      window.close();
    }
    MainWindow again;
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.controls().DirectoryText(), corpus);
    QCOMPARE(again.controls().SelectedFontSizeText(), std::string(FontSizeItem(4)));
    QCOMPARE(qobject_cast<QComboBox*>(W(again, ControlId::FontSizeCombo))->currentIndex(), 4);
    QCOMPARE(again.controls().TrackbarPosition(), 40);
    QCOMPARE(again.panel().interval(), 100 + 60 * 11);
    QVERIFY(!again.controls().IsOnTheFlyChecked());
    QCOMPARE(again.size(), QSize(820, 610));
    QMenu* recent = again.settings().recentMenu();
    QCOMPARE(again.menu(0)->actions().at(1)->menu(), recent);  // after "Open..."
    QCOMPARE(recent->actions().size(), 10);
    QVERIFY(recent->actions().first()->text().endsWith(QString::fromStdString(files[11])));
    QVERIFY(recent->actions().last()->text().endsWith(QString::fromStdString(files[2])));
    recent->actions().at(3)->trigger();
    QCOMPARE(again.panel().baseFile(), files[8]);
    again.close();
  }

  void fileDialogsOpenAtTheBaseFilesFolderThenWhereTheyLastChose() {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "plinvaro", "plinvaro").clear();
    dir_.MakeSubdir("texts");
    dir_.MakeSubdir("elsewhere");
    const std::string base = dir_.Write("texts/base.txt", "words");
    const std::string other = dir_.Write("elsewhere/other.txt", "more");
    MainWindow window;
    window.show();
    window.panel().OpenBaseFilePath(base);
    // Answers the dialog whatever it shows, so that a failed check cannot leave it open.
    auto open = [&window](const std::function<void(QFileDialog&)>& act) {
      QString shown;
      WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
          modal->close();
          return;
        }
        shown = dialog->directory().absolutePath();
        act(*dialog);
      });
      window.menuAction(Command::Open)->trigger();
      return shown;
    };
    QCOMPARE(open([&](QFileDialog& dialog) { testing::ChooseFile(dialog, QString::fromStdString(other)); }),
             QString::fromStdString(dir_.Join("texts")));
    QCOMPARE(window.panel().baseFile(), other);
    window.panel().OpenBaseFilePath(base);
    QCOMPARE(open([&](QFileDialog& dialog) { QMetaObject::invokeMethod(&dialog, "reject"); }),
             QString::fromStdString(dir_.Join("elsewhere")));
  }

  void theStartHintIsShownAtTheFirstStartOnly() {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "plinvaro", "plinvaro").clear();
    const std::string base = dir_.Write("hinted.txt", "words to play");
    qt::LaunchRequest request;
    request.baseFile = base;
    for (const bool first : {true, false}) {
      std::string problem;
      auto window = qt::OpenMainWindow(request, problem);
      QVERIFY(window != nullptr);
      QCOMPARE(window->status().message().contains(QStringLiteral("F2")), first);
      window->close();
    }
  }
};

QTEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
