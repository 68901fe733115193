// The steering options through the real window: the Options menu, the weight boxes of the Sources dock, the wander by itself, and their settings.
#include <QInputDialog>
#include <QMenu>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include "WhenModal.h"
#include "WindowFixture.h"
#include "qt/OptionsMenu.h"
#include "qt/ProvenanceFace.h"

using namespace plinvaro;

class SteeringTest : public QObject, protected testing::WindowFixture {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  qt::OptionsMenu& Options() { return *qt::OptionsMenuOf(*window_); }
  QString Steering() { return window_->status().steering(); }
  qt::ProvenanceFace& Seams() { return *qt::ProvenanceFaceOf(*window_); }

 private slots:
  void initTestCase() {
    QVERIFY(config_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config_.path());
  }
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { CloseWindow(); }

  // Options > Wander every N words: after N played words Search runs by
  // itself, through the worker, and playback goes on in the found file.
  void wandersByItselfAfterNWords() {
    window_->panel().OpenBaseFilePath(dir_->Write("base.txt", "one two three four five six seven"));
    window_->controls().SetDirectoryText(dir_->MakeSubdir("corpus"));
    const std::string hill = dir_->Write("corpus/hill.txt", "so one two three went up the hill");
    window_->controls().SetTrackbarPosition(100);
    testing::WhenModalIs<QInputDialog>([](QInputDialog& box) {
      QVERIFY(box.intMinimum() == kMinWanderWords && box.intMaximum() == kMaxWanderWords);
      box.setIntValue(3);
      box.accept();
    });
    Options().wanderWords()->trigger();
    QVERIFY(window_->panel().wanders() && window_->panel().wanderWords() == 3);
    QTRY_COMPARE(Steering(), QString("wander in 3 words"));
    Click(ControlId::StartButton);
    QTRY_COMPARE(window_->windowTitle(), QString::fromStdString("Plinvaro - " + hill));
    QVERIFY(window_->panel().playing());
  }

  // Match case and the weights survive a restart; the picture of the README.
  void optionsShowAndSurviveARestart() {
    const std::string corpus = dir_->MakeSubdir("corpus");
    for (const char* name : {"hill.txt", "road.txt", "shore.txt"}) dir_->Write(std::string("corpus/") + name, "words");
    window_->controls().SetDirectoryText(corpus);
    Options().matchCase()->trigger();
    Seams().action(Command::ToggleSources)->trigger();
    Seams().sources().Refresh(true);
    QCOMPARE(Seams().sources().table()->item(1, 0)->text(), QString("road.txt"));  // none in use: by name
    Seams().sources().weightBox(0)->setValue(0);  // hill.txt
    Seams().sources().weightBox(1)->setValue(4);
    QCOMPARE(window_->panel().weights().Of(corpus, "hill.txt"), 0);
    QTRY_COMPARE(Steering(), QString("case ignored, 1 file left out, 1 file weighted"));
    QVERIFY(window_->panel().SetWanderWords(7));
    Options().wander()->trigger();
    QTRY_VERIFY(Steering().startsWith("wander in 7 words, "));
    window_->close();
    window_ = std::make_unique<qt::MainWindow>();  // the same folder, kept
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QVERIFY(!window_->panel().matchCase() && window_->panel().wanders() && window_->panel().wanderWords() == 7);
    QVERIFY(window_->panel().weights().In(corpus + "/") == (SourceWeights::Names{{"hill.txt", 0}, {"road.txt", 4}}));
    emit Options().menu()->aboutToShow();
    QVERIFY(!Options().matchCase()->isChecked() && Options().wander()->isChecked());
    QCOMPARE(Options().wander()->text(), QString("&Wander every 7 words"));
    const QByteArray shot = qgetenv("PLINVARO_STEERING_PNG");  // the README's picture
    if (shot.isEmpty()) return;
    window_->resize(1100, 560);
    window_->panel().OpenBaseFilePath(dir_->Write("corpus/shore.txt", "along the shore the old road ran west"));
    window_->panel().StartPlayback();
    for (int i = 0; i < 6; ++i) window_->panel().PlaybackTick();
    window_->panel().PausePlayback();
    Seams().action(Command::ToggleSources)->trigger();
    window_->resizeDocks({&Seams().sources()}, {380}, Qt::Horizontal);
    Seams().sources().Refresh(true);
    QTRY_VERIFY(Steering().startsWith("wander in "));
    QVERIFY(window_->grab().save(QString::fromLocal8Bit(shot)));
  }
};

QTEST_MAIN(SteeringTest)
#include "SteeringTest.moc"
