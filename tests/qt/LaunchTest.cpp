// The program as `make run` starts it: --dir and FILE, the start hint, F2 then F4 wandering, the status bar.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "WhenModal.h"
#include "panel/MenuBar.h"
#include "qt/Launch.h"

using namespace plinvaro;
using plinvaro::qt::LaunchAction;
using plinvaro::qt::MainWindow;

Q_DECLARE_METATYPE(plinvaro::qt::LaunchAction)

namespace {

// The arguments the Makefile's `run` target gives, from the source tree's top.
const std::vector<std::string> kMakeRunArgs = {"--dir", "samples", "samples/harbour.txt"};

qt::LaunchRequest Parse(const std::vector<std::string>& args) {
  return qt::ParseCommandLine(args);
}

}  // namespace

class LaunchTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> window_;
  QString shotPath_;  // where wanderingFromMakeRun leaves its screenshot; empty for none

  std::unique_ptr<MainWindow> Launch(const std::vector<std::string>& args) {
    const qt::LaunchRequest request = Parse(args);
    if (request.action != LaunchAction::OpenWindow) return nullptr;
    std::string problem;
    auto window = qt::OpenMainWindow(request, problem);
    if (window && !QTest::qWaitForWindowActive(window.get())) return nullptr;
    return window;
  }
  QString Status() const { return window_->status().message(); }
  QString Title() const { return window_->windowTitle(); }
  QString DirectoryBox() const {
    return qobject_cast<QLineEdit*>(window_->controls().widget(ControlId::DirEdit))->text();
  }
  std::size_t SourceSize() { return window_->controls().sourceBox().Bytes().size(); }
  // A key pressed and released at the window, as the keyboard delivers it.
  void Press(Qt::Key key) { QTest::keyClick(window_->windowHandle(), key); }

 private slots:
  void initTestCase() {
    const QByteArray shot = qgetenv("PLINVARO_WANDER_PNG");
    if (!shot.isEmpty()) shotPath_ = QFileInfo(QString::fromLocal8Bit(shot)).absoluteFilePath();
    // `make run` runs in the source tree's top folder.
    QVERIFY(QDir::setCurrent(QStringLiteral(PLINVARO_SOURCE_DIR)));
  }
  void cleanup() { window_.reset(); }

  void parsesTheDirectoryOption_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<LaunchAction>("action");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("file");
    QTest::newRow("make run") << QStringList{"--dir", "samples", "samples/harbour.txt"}
                              << LaunchAction::OpenWindow << "samples" << "samples/harbour.txt";
    QTest::newRow("joined") << QStringList{"--dir=texts", "a.txt"} << LaunchAction::OpenWindow
                            << "texts" << "a.txt";
    QTest::newRow("after the file") << QStringList{"a.txt", "--dir", "texts"}
                                    << LaunchAction::OpenWindow << "texts" << "a.txt";
    QTest::newRow("directory only") << QStringList{"--dir", "texts"} << LaunchAction::OpenWindow
                                    << "texts" << "";
    QTest::newRow("a file named --dir after --")
        << QStringList{"--", "--dir"} << LaunchAction::OpenWindow << "" << "--dir";
    QTest::newRow("no value") << QStringList{"--dir"} << LaunchAction::Usage << "" << "";
    QTest::newRow("empty value") << QStringList{"--dir="} << LaunchAction::Usage << "" << "";
    QTest::newRow("twice") << QStringList{"--dir", "a", "--dir", "b"} << LaunchAction::Usage << ""
                           << "";
  }
  void parsesTheDirectoryOption() {
    QFETCH(QStringList, args);
    QFETCH(LaunchAction, action);
    QFETCH(QString, directory);
    QFETCH(QString, file);
    std::vector<std::string> list;
    for (const QString& arg : args) list.push_back(arg.toStdString());
    const qt::LaunchRequest request = Parse(list);
    QCOMPARE(request.action, action);
    QCOMPARE(request.error.empty(), action != LaunchAction::Usage);
    if (action != LaunchAction::OpenWindow) return;
    QCOMPARE(QString::fromStdString(request.directory), directory);
    QCOMPARE(QString::fromStdString(request.baseFile), file);
  }

  void refusesADirectoryThatCannotBeSearched() {
    testing::TempDir dir;
    const std::string file = dir.Write("base.txt", "text");
    for (const std::string& bad : {dir.Join("absent"), file}) {
      std::string problem;
      QVERIFY(!qt::OpenMainWindow(Parse({"--dir", bad, file}), problem));
      QVERIFY2(problem.rfind("cannot search '" + bad + "': ", 0) == 0, problem.c_str());
    }
    std::string problem;
    QVERIFY(!qt::OpenMainWindow(Parse({"--dir", dir.path(), dir.Join("absent.txt")}), problem));
    QVERIFY2(problem.rfind("cannot open '", 0) == 0, problem.c_str());
  }

  // F2 plays harbour.txt; F4 (On The Fly Mode) jumps into another file of samples/.
  void wanderingFromMakeRun() {
    window_ = Launch(kMakeRunArgs);
    QVERIFY(window_);
    QCOMPARE(Title(), QString("Plinvaro - samples/harbour.txt"));
    QCOMPARE(DirectoryBox(), QString("samples"));
    QVERIFY2(Status().contains("F2") && Status().contains("F4") && Status().contains("samples"),
             qPrintable(Status()));

    window_->controls().SetTrackbarPosition(100);
    Press(Qt::Key_F2);
    QVERIFY(window_->panel().playing());
    QTRY_VERIFY_WITH_TIMEOUT(SourceSize() >= 100, 8000);  // a sentence or so of harbour.txt
    // The pick among the found parts is random and may land in harbour.txt
    // itself, where the words played are its own alone: each further F4
    // searches from the words played since, until they are shared.
    const QRegularExpression other("^Plinvaro - samples/(?!harbour\\.txt$)[^/]+\\.txt$");
    for (int attempt = 0; attempt < 150 && !other.match(Title()).hasMatch(); ++attempt) {
      const std::size_t before = SourceSize();
      QTRY_VERIFY_WITH_TIMEOUT(SourceSize() > before, 5000);
      Press(Qt::Key_F4);
      QTRY_VERIFY_WITH_TIMEOUT(!window_->search().IsRunning(), 5000);
    }
    QVERIFY2(other.match(Title()).hasMatch(), qPrintable(Title()));
    QTRY_VERIFY2(QRegularExpression("^\\d+ parts? in \\d+ files?$").match(Status()).hasMatch(),
                 qPrintable(Status()));
    QVERIFY(window_->panel().playing());
    const std::size_t switched = SourceSize();
    const std::size_t more = shotPath_.isEmpty() ? 40 : 160;
    QTRY_VERIFY_WITH_TIMEOUT(SourceSize() > switched + more, 10000);  // plays on there
    if (!shotPath_.isEmpty()) {
      Press(Qt::Key_F3);  // pauses, so that the picture holds what the title says
      QVERIFY2(window_->grab().save(shotPath_), qPrintable(shotPath_));
    }
  }

  void searchWithoutADirectorySaysSoInTheStatusBar() {
    window_ = Launch({});
    QVERIFY(window_);
    QVERIFY(Status().contains("Open..."));
    window_->controls().sourceBox().ReplaceSelection(u"the old road", 12);
    Press(Qt::Key_F4);
    QVERIFY2(Status().startsWith("no directory chosen"), qPrintable(Status()));
    QCOMPARE(Title(), QString("Plinvaro"));
  }

  void searchInAFolderWithoutTextFilesSaysSo() {
    testing::TempDir dir;
    const std::string notes = dir.MakeSubdir("notes");
    window_ = Launch({"--dir", notes});
    QVERIFY(window_);
    window_->controls().sourceBox().ReplaceSelection(u"the old road", 12);
    Press(Qt::Key_F4);
    QTRY_VERIFY(!window_->search().IsRunning());  // the scan runs on the worker
    QCOMPARE(Status(), QString("no .txt files in notes"));
  }

  void theDirectoryBoxFollowsTheBaseFile() {
    window_ = Launch({"samples/harbour.txt"});
    QVERIFY(window_);
    QCOMPARE(DirectoryBox(), QString("samples"));  // FILE at start

    testing::TempDir dir;
    const std::string folder = dir.MakeSubdir("texts");
    const std::string base = dir.Write("texts/base.txt", "the old road");
    qobject_cast<QLineEdit*>(window_->controls().widget(ControlId::DirEdit))->clear();
    plinvaro::testing::WhenModalIs<QFileDialog>([base](QFileDialog& modal) {
      auto* dialog = &modal;
      testing::ChooseFile(*dialog, QString::fromStdString(base));
    });
    window_->menuAction(Command::Open)->trigger();  // Open...
    QCOMPARE(DirectoryBox(), QString::fromStdString(folder));
  }
};

QTEST_MAIN(LaunchTest)
#include "LaunchTest.moc"
