// The status bar and the title through the real window: playback state, speed, search outcome, preview position.
#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "TempDir.h"
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
    QTRY_COMPARE(Bar().playback(), Q("Playing: " + base));
    QTRY_VERIFY(Bar().run().startsWith("Run: "));  // words since the last join
    QTest::keyClick(window_->windowHandle(), Qt::Key_Up, Qt::ControlModifier);  // one step slower
    QTRY_COMPARE(Bar().speed(), QString("485 ms per word"));
    Click(ControlId::PauseButton);
    QTRY_COMPARE(Bar().playback(), Q("Paused: " + base));
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
    const std::string other = picked == a ? b : a;
    const QString stepped = Q(std::string(atFirst ? "part 2 of 2: " : "part 1 of 2: "));
    QTRY_VERIFY(Bar().preview() == stepped + Q(picked) || Bar().preview() == stepped + Q(other));
    const std::string shown = Bar().preview().endsWith(Q(a)) ? a : b;
    Click(ControlId::AcceptButton);
    QTRY_COMPARE(window_->windowTitle(), Q("Plinvaro - " + shown));
    Click(ControlId::ToSrcButton);
    QTRY_COMPARE(window_->windowTitle(), Q("Plinvaro - " + base));
    QTRY_COMPARE(Bar().playback(), Q("Playing: " + base));
    QCOMPARE(Bar().preview(), QString());
  }

  void failedSearchesSayWhy() {
    window_->controls().SetDirectoryText(dir_->Join("absent"));
    window_->controls().sourceBox().ReplaceSelection(u"words", 5);
    Click(ControlId::SearchButton);
    QTRY_VERIFY(Bar().message().startsWith(Q(dir_->Join("absent") + " cannot be read: ")));
    window_->controls().SetDirectoryText(dir_->MakeSubdir("empty"));
    Click(ControlId::SearchButton);
    QTRY_COMPARE(Bar().message(), Q("no .txt files in " + dir_->Join("empty")));
  }
};

QTEST_MAIN(StatusBarTest)
#include "StatusBarTest.moc"
