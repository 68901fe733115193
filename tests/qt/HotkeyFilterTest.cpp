// Hotkeys through real key events at the window: once per event, wherever the focus is, inside message boxes too.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QtTest>
#include <memory>

#include "WhenModal.h"
#include "TempDir.h"
#include "window/ControlTable.h"
#include "panel/MenuBar.h"
#include "WindowFixture.h"
#include "qt/MainWindow.h"

using namespace plinvaro;
using plinvaro::qt::MainWindow;

Q_DECLARE_METATYPE(plinvaro::ControlId)

class HotkeyFilterTest : public QObject, protected testing::WindowFixture {
  Q_OBJECT

 private:

  QWindow* Handle() { return window_->windowHandle(); }
  bool Checked() { return qobject_cast<QCheckBox*>(W(ControlId::OnTheFlyCheck))->isChecked(); }
  int Speed() { return qobject_cast<QSlider*>(W(ControlId::SpeedTrackbar))->value(); }
  std::string SourceBytes() { return window_->controls().sourceBox().Bytes(); }

  void FocusOn(ControlId id) {
    W(id)->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), W(id));
  }
  // A key going down `presses` times (the later ones auto-repeats), then up.
  static void Hold(QWindow* window, Qt::Key key, Qt::KeyboardModifiers mods, int presses) {
    for (int i = 0; i < presses; ++i) {
      if (i > 0) qt_handleKeyEvent(window, QEvent::KeyRelease, key, mods, {}, true);
      qt_handleKeyEvent(window, QEvent::KeyPress, key, mods, {}, i > 0);
    }
    qt_handleKeyEvent(window, QEvent::KeyRelease, key, mods, {}, false);
  }

 private slots:
  void init() { QVERIFY(OpenWindow(true)); }
  void cleanup() { CloseWindow(); }

  void eachPressActsOnceWhereverTheFocusIs_data() {
    QTest::addColumn<ControlId>("focus");
    QTest::newRow("source box") << ControlId::SourceBox;
    QTest::newRow("directory edit") << ControlId::DirEdit;
    QTest::newRow("preview box") << ControlId::PreviewBox;
    QTest::newRow("start button") << ControlId::StartButton;
  }
  void eachPressActsOnceWhereverTheFocusIs() {
    QFETCH(ControlId, focus);
    FocusOn(focus);
    QVERIFY(Checked());
    QTest::keyClick(Handle(), Qt::Key_F7);  // flips the box: twice would leave it as it was
    QVERIFY(!Checked());
    Hold(Handle(), Qt::Key_F7, Qt::NoModifier, 3);  // a press and two repeats
    QVERIFY(Checked());
    QCOMPARE(QApplication::focusWidget(), W(focus));  // the key went on to the focused control
  }

  void ctrlDownAndUpStepBy5ToTheEnds() {
    QCOMPARE(Speed(), 70);
    QTest::keyClick(Handle(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(Speed(), 75);
    Hold(Handle(), Qt::Key_Down, Qt::ControlModifier, 10);
    QCOMPARE(Speed(), 100);
    Hold(Handle(), Qt::Key_Up, Qt::ControlModifier, 3);
    QCOMPARE(Speed(), 85);
    Hold(Handle(), Qt::Key_Up, Qt::ControlModifier, 30);
    QCOMPARE(Speed(), 0);
    QTest::keyClick(Handle(), Qt::Key_Down);  // without Ctrl: no speed change by the hotkey
    QCOMPARE(window_->panel().interval(), 1200);
  }

  void ctrlDigitsMoveTheFocusAndTypeNothing_data() {
    QTest::addColumn<ControlId>("from");
    QTest::newRow("from the source box") << ControlId::SourceBox;
    QTest::newRow("from the directory edit") << ControlId::DirEdit;
  }
  void ctrlDigitsMoveTheFocusAndTypeNothing() {
    QFETCH(ControlId, from);
    FocusOn(from);
    QTest::keyClick(Handle(), 'a');
    QTest::keyClick(Handle(), 'b');
    QTest::keyClick(Handle(), Qt::Key_2, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::focusWidget(), W(ControlId::PreviewBox));
    QCOMPARE(window_->controls().previewBox().Length(), 0);
    QTest::keyClick(Handle(), Qt::Key_1, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::focusWidget(), W(ControlId::SourceBox));
    const std::string typed = from == ControlId::SourceBox ? "ab" : "";
    QVERIFY(SourceBytes() == typed);
    const QString edit = from == ControlId::DirEdit ? "ab" : "";
    QCOMPARE(qobject_cast<QLineEdit*>(W(ControlId::DirEdit))->text(), edit);
    // The keypad's digits are other keys.
    QTest::keyClick(Handle(), Qt::Key_2, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), W(ControlId::SourceBox));
  }

  void altWithALetterThatIsNoMnemonicTypesNothing_data() {
    QTest::addColumn<ControlId>("into");
    QTest::newRow("the source box") << ControlId::SourceBox;
    QTest::newRow("the directory edit") << ControlId::DirEdit;
  }
  void altWithALetterThatIsNoMnemonicTypesNothing() {
    QFETCH(ControlId, into);
    FocusOn(into);
    for (const Qt::Key key : {Qt::Key_X, Qt::Key_B, Qt::Key_Q, Qt::Key_Z})
      QTest::keyClick(Handle(), key, Qt::AltModifier);
    QTest::keyClick(Handle(), Qt::Key_A);
    const std::string typed = into == ControlId::SourceBox ? SourceBytes()
                              : qobject_cast<QLineEdit*>(W(into))->text().toStdString();
    QCOMPARE(QString::fromStdString(typed), QString("a"));
  }

  void keysActInsideAMessageBox() {
    testing::TempDir dir;
    window_->panel().OpenBaseFilePath(dir.Write("base.txt", "one two three four "));
    bool answered = false;
    plinvaro::testing::WhenModalIs<QMessageBox>([&](QMessageBox& modal) {
      auto* box = &modal;
      QVERIFY(QTest::qWaitForWindowExposed(box));
      QTest::keyClick(box->windowHandle(), Qt::Key_F2);
      QVERIFY(window_->panel().playing());
      QVERIFY(window_->timer().IsRunning(window_->panel().playbackTimerId()));
      QTest::keyClick(box->windowHandle(), Qt::Key_F3);
      QVERIFY(!window_->panel().playing());
      answered = true;
      box->accept();
    });
    window_->menuAction(Command::About)->trigger();
    QVERIFY(answered);
  }
};

QTEST_MAIN(HotkeyFilterTest)
#include "HotkeyFilterTest.moc"
