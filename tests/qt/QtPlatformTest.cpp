// The timer, dialogs and message boxes under the controller: real ticks, answered dialogs, one typical use.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <functional>
#include <memory>

#include "TempDir.h"
#include "WhenModal.h"
#include "window/ControlTable.h"
#include "panel/MenuBar.h"
#include "WindowFixture.h"
#include "qt/MainWindow.h"

using namespace plinvaro;
using plinvaro::qt::MainWindow;

namespace {

constexpr const char* kBaseText =
    "The ferry left the harbour at dawn and the gulls followed it out past the "
    "breakwater, calling over the grey water while the town slept behind them.\r\n";
constexpr const char* kCorpusText =
    "Nobody on the quay saw the gulls followed it out past the last buoy where the "
    "sea turned green and cold and the lamps of the town went out one by one.\n";

// Answers the next modal file dialog: `check` looks at it, then `path` is chosen (or it is cancelled).
void AnswerFileDialog(std::function<void(QFileDialog&)> check, const QString& path) {
  plinvaro::testing::WhenModalIs<QFileDialog>([check, path](QFileDialog& modal) {
    auto* dialog = &modal;
    check(*dialog);
    if (path.isEmpty()) {
      QMetaObject::invokeMethod(dialog, "reject");
      return;
    }
    testing::ChooseFile(*dialog, path);
  });
}

}  // namespace

class QtPlatformTest : public QObject, protected testing::WindowFixture {
  Q_OBJECT

 private:

  MainPanel& Panel() { return window_->panel(); }
  void Menu(Command command) { window_->menuAction(command)->trigger(); }
  std::string Source() { return window_->controls().sourceBox().Bytes(); }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { CloseWindow(); }

  void playbackTicksThroughTheRealTimerEvenInsideAMessageBox() {
    Panel().OpenBaseFilePath(dir_->Write("base.txt", kBaseText));
    window_->controls().SetTrackbarPosition(100);
    Click(ControlId::StartButton);
    QCOMPARE(window_->timer().Interval(Panel().playbackTimerId()), 100);
    QTRY_VERIFY_WITH_TIMEOUT(Source().size() >= 10, 3000);
    std::size_t shownAt = 0;
    plinvaro::testing::WhenModalIs<QMessageBox>([&](QMessageBox& modal) {
      auto* box = &modal;
      shownAt = Source().size();
      QTRY_VERIFY_WITH_TIMEOUT(Source().size() > shownAt, 3000);
      box->accept();
    });
    Menu(Command::About);
    QVERIFY(shownAt > 0);
    Click(ControlId::PauseButton);
    QVERIFY(!window_->timer().IsRunning(Panel().playbackTimerId()));
    const std::string paused = Source();
    QTest::qWait(250);
    QVERIFY(Source() == paused);
    QVERIFY(std::string(kBaseText).compare(0, paused.size(), paused) == 0);
  }

  void theSliderChangesTheSpeedOnMouseReleaseOnly() {
    Panel().OpenBaseFilePath(dir_->Write("base.txt", kBaseText));
    Click(ControlId::StartButton);
    QCOMPARE(Panel().interval(), 430);  // position 70
    auto* slider = qobject_cast<QSlider*>(W(ControlId::SpeedTrackbar));
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Down);
    QCOMPARE(slider->value(), 71);
    QCOMPARE(Panel().interval(), 430);
    // A groove click pages the thumb on the press; the speed follows on the release.
    slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(Panel().interval(), 430);
    const QPointF at(slider->width() / 2.0, slider->height() - 15.0);
    QMouseEvent release(QEvent::MouseButtonRelease, at, slider->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(slider, &release);
    QCOMPARE(Panel().interval(), 100 + (100 - slider->value()) * 11);
    QCOMPARE(window_->timer().Interval(Panel().playbackTimerId()), Panel().interval());
  }

  void oneTypicalUseFromOpenToSaveAs() {
    const std::string base = dir_->Write("base.txt", kBaseText);
    const std::string corpus = dir_->MakeSubdir("corpus");
    dir_->Write("corpus/other.txt", kCorpusText);

    AnswerFileDialog([](QFileDialog& dialog) {
      QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
      QCOMPARE(dialog.nameFilters(), (QStringList{"Text Files (*.txt)", "All Files (*.*)"}));
      QCOMPARE(dialog.selectedNameFilter(), QString("Text Files (*.txt)"));
    }, QString::fromStdString(base));
    Menu(Command::Open);
    QCOMPARE(window_->windowTitle(), QString::fromStdString("Plinvaro - " + base));

    AnswerFileDialog([](QFileDialog& dialog) {
      QCOMPARE(dialog.windowTitle(), QString("Select Base directory"));
      QCOMPARE(dialog.fileMode(), QFileDialog::Directory);
    }, QString::fromStdString(corpus));
    Click(ControlId::BrowseButton);
    QCOMPARE(qobject_cast<QLineEdit*>(W(ControlId::DirEdit))->text(), QString::fromStdString(corpus));

    window_->controls().SetTrackbarPosition(100);
    Click(ControlId::StartButton);
    QTRY_VERIFY_WITH_TIMEOUT(Source().find("followed it out past ") != std::string::npos, 8000);
    Click(ControlId::SearchButton);  // "On The Fly Mode": plays on in the corpus file
    QTRY_VERIFY(!window_->search().IsRunning());  // the scan runs on the worker
    QCOMPARE(window_->windowTitle(),
             QString::fromStdString("Plinvaro - " + corpus + "/other.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(Source().find("buoy") != std::string::npos, 8000);
    Click(ControlId::StopButton);

    const std::string saved = dir_->Join("composed");  // no extension is added
    for (int round = 0; round < 2; ++round) {           // the second save replaces without asking
      AnswerFileDialog([](QFileDialog& dialog) {
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        QVERIFY(dialog.defaultSuffix().isEmpty());
      }, QString::fromStdString(saved));
      Menu(Command::SaveAs);
      QVERIFY(testing::ReadAll(saved) == Source());
    }
    QVERIFY(!QFile::exists(QString::fromStdString(saved + ".txt")));
  }

  void cancelledOpenKeepsTheTitle() {
    const std::string base = dir_->Write("base.txt", kBaseText);
    Panel().OpenBaseFilePath(base);
    AnswerFileDialog([](QFileDialog&) {}, QString());
    Menu(Command::Open);
    QCOMPARE(window_->windowTitle(), QString::fromStdString("Plinvaro - " + base));
  }

  void anUnwritableSaveShowsTheErrorBox() {
    window_->controls().sourceBox().ReplaceSelection(u"text", 4);
    bool shown = false;
    AnswerFileDialog([&shown](QFileDialog&) {
      plinvaro::testing::WhenModalIs<QMessageBox>([&shown](QMessageBox& modal) {
        auto* box = &modal;
        QCOMPARE(box->windowTitle(), QString("Error"));
        QCOMPARE(box->text().split('\n').first(), QString("Can't save to file"));  // then path: reason
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        shown = true;
        box->accept();
      });
    }, QString::fromStdString(dir_->Join("missing-folder/out.txt")));
    Menu(Command::SaveAs);
    QVERIFY(shown);
  }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
