// Crash recovery through the real program's window: a child killed with SIGKILL after changes, then a restart that restores the bytes.
#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <QApplication>
#include <csignal>
#include <cstdlib>
#include <memory>

#include "WhenModal.h"
#include "qt/MainWindow.h"
#include "text/AnsiConversion.h"

using plinvaro::qt::MainWindow;

namespace {

constexpr const char* kChildVariable = "PLINVARO_RECOVERY_CHILD";
const std::string kComposition = "played words\r\nand typed \xe9 ones ";

std::u16string Wide(const std::string& bytes) {
  return plinvaro::AnsiToWide(reinterpret_cast<const unsigned char*>(bytes.data()),
                              static_cast<std::int32_t>(bytes.size()));
}

QString CopyPath(const QString& state) { return state + "/plinvaro/composition.txt"; }

// Presses `button` on the next modal question, noting that it was asked.
void Answer(QMessageBox::StandardButton button, bool& asked) {
  plinvaro::testing::WhenModalIs<QMessageBox>([button, &asked](QMessageBox& modal) {
    auto* box = &modal;
    asked = true;
    box->button(button)->click();
  });
}

}  // namespace

class RecoveryTest : public QObject {
  Q_OBJECT

 private slots:
  // In the child: make changes, then wait to be killed.
  void initTestCase() {
    if (qEnvironmentVariableIsEmpty(kChildVariable)) return;
    MainWindow window;
    window.show();
    window.controls().sourceBox().ReplaceSelection(Wide(kComposition),
                                                    static_cast<std::int32_t>(kComposition.size()));
    QTest::qWait(60000);
    std::_Exit(0);
  }

  void restartAfterSigkillRestoresTheExactBytes() {
    QTemporaryDir state;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_STATE_HOME", state.path());
    env.insert(kChildVariable, "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(CopyPath(state.path())).size() > 0, 10000);
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    MainWindow window;
    window.show();
    bool asked = false;
    Answer(QMessageBox::Yes, asked);
    window.OfferRecovery();
    QVERIFY(asked);
    auto& box = window.controls().sourceBox();
    QCOMPARE(box.GetRangeText(0, box.Length()), Wide(kComposition));
    QVERIFY(window.panel().HasUnsavedText());
    QVERIFY(QFileInfo::exists(CopyPath(state.path())));  // kept until saved or closed
    QTemporaryDir saved;
    QVERIFY(window.panel().SaveSourceText(saved.filePath("composition.txt").toStdString()));
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(CopyPath(state.path())), 2000);  // a save removes it
  }

  void cleanCloseOverDiscardedChangesLeavesNoCopy() {
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    MainWindow window;
    window.show();
    window.controls().sourceBox().ReplaceSelection(u"typed", 5);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(CopyPath(state.path())).size() == 5, 2000);
    bool askedToSave = false;
    Answer(QMessageBox::Discard, askedToSave);
    window.close();
    QVERIFY(askedToSave);
    QVERIFY(!QFileInfo::exists(CopyPath(state.path())));
  }

  void declinedRestoreRemovesTheCopyAndNothingIsAskedWithoutOne() {
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    QVERIFY(QDir().mkpath(state.path() + "/plinvaro"));
    QFile copy(CopyPath(state.path()));
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write("left over");
    copy.close();
    MainWindow window;
    bool asked = false;
    Answer(QMessageBox::No, asked);
    window.OfferRecovery();
    QVERIFY(asked);
    QCOMPARE(window.controls().sourceBox().Length(), 0);
    QVERIFY(!QFileInfo::exists(CopyPath(state.path())));
    window.OfferRecovery();  // no copy: no question (a question would block here)
  }
};

QTEST_MAIN(RecoveryTest)
#include "RecoveryTest.moc"
