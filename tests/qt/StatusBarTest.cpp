// The status bar and the title through the real window: playback state, speed, search outcome, preview position.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "TempDir.h"
#include "desktop/SearchGate.h"
#include "desktop/StartHint.h"
#include "panel/SearchOutcome.h"
#include "window/ControlTable.h"
#include "WindowFixture.h"
#include "qt/MainWindow.h"

using namespace plinvaro;
using plinvaro::qt::MainWindow;

class StatusBarTest : public QObject, protected testing::WindowFixture {
  Q_OBJECT

 private:

  qt::StatusBar& Bar() { return window_->status(); }
  static QString Q(const std::string& text) { return QString::fromStdString(text); }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { CloseWindow(); }

  void showsStateFileAndSpeedAsPlaybackRuns() {
    QCOMPARE(Bar().playback(), QString("Stopped"));
    QCOMPARE(Bar().run(), QString());
    QCOMPARE(Bar().speed(), QString("430 ms per word"));  // the slider's start position
    const std::string base = dir_->Write("base.txt", "one two three four five six seven eight");
    window_->panel().OpenBaseFilePath(base);
    Click(ControlId::StartButton);
    QTRY_COMPARE(Bar().playback(), Q("Playing: base.txt"));
    QTRY_VERIFY(Bar().run().startsWith("Run: "));  // words since the last join
    QTest::keyClick(window_->windowHandle(), Qt::Key_Up, Qt::ControlModifier);  // one step slower
    QTRY_COMPARE(Bar().speed(), QString("485 ms per word"));
    Click(ControlId::PauseButton);
    QTRY_COMPARE(Bar().playback(), Q("Paused: base.txt"));
    Click(ControlId::StopButton);
    QTRY_COMPARE(Bar().playback(), QString("Stopped"));
  }

  void showsTheSearchOutcomeAndThePreviewPartWhileTheTitleFollowsPlayback() {
    const std::string base = dir_->Write("base.txt", "base words here and more");
    dir_->MakeSubdir("corpus");
    const std::string a = dir_->Write("corpus/a.txt", "x the old road a1 a2");
    const std::string b = dir_->Write("corpus/b.txt", "y the old road b1 b2");
    window_->panel().OpenBaseFilePath(base);
    window_->controls().SetDirectoryText(dir_->Join("corpus"));
    qobject_cast<QCheckBox*>(W(ControlId::OnTheFlyCheck))->setChecked(false);
    window_->controls().sourceBox().ReplaceSelection(u"the old road", 12);
    Click(ControlId::SearchButton);
    QTRY_COMPARE(Bar().message(), QString("2 parts in 2 files"));
    const std::string picked = window_->panel().foundFile();
    QTRY_COMPARE(window_->windowTitle(), Q("Plinvaro - " + picked));
    QTRY_VERIFY(Bar().preview().startsWith("part "));
    const QByteArray shot = qgetenv("PLINVARO_STATUS_PNG");  // the README's picture
    if (!shot.isEmpty()) QVERIFY(window_->grab().save(QString::fromLocal8Bit(shot)));
    const bool atFirst = Bar().preview().startsWith("part 1 of 2: ");
    Click(atFirst ? ControlId::NextButton : ControlId::PrevButton);
    const QString stepped = Q(std::string(atFirst ? "part 2 of 2: " : "part 1 of 2: "));
    QTRY_VERIFY(Bar().preview() == stepped + "a.txt" || Bar().preview() == stepped + "b.txt");
    const std::string shown = Bar().preview().endsWith("a.txt") ? a : b;
    Click(ControlId::AcceptButton);
    QTRY_COMPARE(window_->windowTitle(), Q("Plinvaro - " + shown));
    Click(ControlId::ToSrcButton);
    QTRY_COMPARE(window_->windowTitle(), Q("Plinvaro - " + base));
    QTRY_COMPARE(Bar().playback(), QString("Playing: base.txt"));
    QCOMPARE(Bar().preview(), QString());
  }

  void failedSearchesSayWhy() {
    window_->controls().SetDirectoryText(dir_->Join("absent"));
    window_->controls().sourceBox().ReplaceSelection(u"words", 5);
    Click(ControlId::SearchButton);
    QTRY_VERIFY(Bar().message().startsWith("absent: "));
    QVERIFY(window_->findChild<QLabel*>("statusMessage")->toolTip().startsWith(Q(dir_->Join("absent") + " cannot be read: ")));
    window_->controls().SetDirectoryText(dir_->MakeSubdir("empty"));
    Click(ControlId::SearchButton);
    QTRY_COMPARE(Bar().message(), QString("no .txt files in empty"));
  }

  // At the start size every short form shows whole, a longer text loses only its end, and the tooltip holds the whole text.
  void textsShowWholeOrCutAtTheirEndAt700By500_data() {
    QTest::addColumn<bool>("playing");      // as at start, or with a file paused and the run counted
    QTest::addColumn<QString>("expected");  // the text the message field holds
    QTest::addColumn<QString>("whole");     // its tooltip
    QTest::addColumn<bool>("fits");
    const std::string deep = "/home/writer/a/rather/long/way/down/to/the/texts/of/the/coast";
    const std::string base = deep + "/harbour.txt";
    for (const auto& [name, chosenBase, chosenDir] :
         {std::tuple{"hint, nothing chosen", std::string(), std::string()},
          std::tuple{"hint, a base file only", base, std::string()},
          std::tuple{"hint, both", base, deep}}) {
      QTest::newRow(name) << false << Q(StartHint(chosenBase, chosenDir))
                          << Q(StartHint(chosenBase, chosenDir, StatusForm::Whole)) << true;
    }
    const std::string progress = SearchProgressText(46, 240, 41'200'000, 314'600'000, 2);
    QTest::newRow("progress") << true << Q(progress) << Q(progress) << true;
    const SearchOutcome missing{SearchOutcomeKind::CannotRead, deep + "/nosuchdir", "No such file or directory", 0, 0};
    QTest::newRow("missing folder") << true << Q(SearchOutcomeStatus(missing, StatusForm::Short))
                                    << Q(SearchOutcomeText(missing)) << true;
    const std::string tail(400, 'w');
    QTest::newRow("a long text") << true << Q("no .txt files in " + tail) << Q(deep + "/" + tail) << false;
  }
  void textsShowWholeOrCutAtTheirEndAt700By500() {
    QFETCH(bool, playing);
    QFETCH(QString, expected);
    QFETCH(QString, whole);
    QFETCH(bool, fits);
    const QSize frame = window_->frameGeometry().size() - window_->size();
    window_->resize(QSize(700, 500) - frame);
    if (playing) {
      window_->panel().OpenBaseFilePath(dir_->Write("keepers-log.txt", "one two three four"));
      Click(ControlId::StartButton);
      window_->panel().PlaybackTick();
      Click(ControlId::PauseButton);
    }
    window_->ShowStatus(expected.toStdString(), whole.toStdString());
    window_->status().Refresh();
    QTest::qWait(1);
    auto* label = window_->findChild<QLabel*>("statusMessage");
    QCOMPARE(label->text(), expected);
    QCOMPARE(label->toolTip(), whole);
    const QString shown = qt::ShownText(*label);
    if (fits) {
      QCOMPARE(shown, expected);
    } else {
      QVERIFY(shown.endsWith(QChar(0x2026)));
      QVERIFY(expected.startsWith(shown.chopped(1)));
    }
    for (const char* other : {"statusPlayback", "statusRun"}) {
      const auto* text = window_->findChild<QLabel*>(other);
      QCOMPARE(qt::ShownText(*text), text->text());
    }
    if (playing) QCOMPARE(window_->findChild<QLabel*>("statusRun")->text(), QString("Run: 1 word"));
  }
};

QTEST_MAIN(StatusBarTest)
#include "StatusBarTest.moc"
