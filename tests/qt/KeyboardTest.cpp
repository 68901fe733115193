// The keyboard through the real window: Tab order, menu mnemonics and shortcuts, "\/"'s key, names, the Hotkeys box.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSlider>
#include <QtTest>
#include <functional>
#include <memory>

#include <Qsci/qsciscintilla.h>

#include "TempDir.h"
#include "window/ControlTable.h"
#include "panel/MenuBar.h"
#include "WhenModal.h"
#include "WindowFixture.h"
#include "qt/MainWindow.h"

using namespace plinvaro;
using plinvaro::qt::MainWindow;

namespace {

using testing::WhenModal;

}  // namespace

class KeyboardTest : public QObject, protected testing::WindowFixture {
  Q_OBJECT

 private:

  QAction* Item(Command command) { return window_->menuAction(command); }

 private slots:
  void init() { QVERIFY(OpenWindow(true)); }
  void cleanup() { CloseWindow(); }

  void tabVisitsTheEnabledControlsInReadingOrderAndShiftTabGoesBack() {
    const QList<ControlId> expected = {
        ControlId::DirEdit,     ControlId::BrowseButton, ControlId::OnTheFlyCheck,
        ControlId::FontSizeCombo, ControlId::SourceBox,  ControlId::StartButton,
        ControlId::PauseButton, ControlId::SearchButton, ControlId::ToSrcButton,
        ControlId::StopButton,  ControlId::SpeedTrackbar, ControlId::PreviewBox,
    };  // the part buttons are disabled until a search finds parts
    W(ControlId::DirEdit)->setFocus();
    QTRY_VERIFY(W(ControlId::DirEdit)->hasFocus());
    for (int i = 1; i <= expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), W(expected[i % expected.size()]));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), W(ControlId::PreviewBox));
    QCOMPARE(window_->controls().sourceBox().Length(), 0);  // no tab was typed on the way
  }

  void ctrlTabTypesATabIntoTheComposition() {
    W(ControlId::SourceBox)->setFocus();
    QTest::keyClick(W(ControlId::SourceBox), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(window_->controls().sourceBox().Bytes(), std::string("\t"));
    QVERIFY(W(ControlId::SourceBox)->hasFocus());
  }

  void menusHaveMnemonicsAndTheFileShortcutsWork() {
    QCOMPARE(window_->menu(0)->title(), QString("&File"));
    QCOMPARE(window_->menu(1)->title(), QString("&Edit"));
    QCOMPARE(Item(Command::Exit)->text(), QString("E&xit"));
    QMenu* view = window_->menuBar()->actions().at(2)->menu();  // the seam views' menu, before Help
    QCOMPARE(view->title(), QString("&View"));
    QStringList items;
    for (const QAction* action : view->actions()) items << action->text();
    QCOMPARE(items, (QStringList{"Source &tint", "&Sources", "&Found parts"}));
    QCOMPARE(Item(Command::Open)->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(Item(Command::SaveAs)->shortcut(), QKeySequence("Ctrl+S"));
    QCOMPARE(Item(Command::Exit)->shortcut(), QKeySequence("Ctrl+Q"));
    for (const auto& [key, mode] : {std::pair{Qt::Key_O, QFileDialog::AcceptOpen},
                                    std::pair{Qt::Key_S, QFileDialog::AcceptSave}}) {
      bool shown = false;
      WhenModal([&shown, mode = mode](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->acceptMode(), mode);
        shown = true;
        QMetaObject::invokeMethod(dialog, "reject");
      });
      window_->activateWindow();  // back from the last dialog
      QVERIFY(QTest::qWaitForWindowActive(window_.get()));
      QTest::keyClick(window_->windowHandle(), key, Qt::ControlModifier);
      QVERIFY(shown);
    }
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCOMPARE(window_->controls().sourceBox().Length(), 0);  // no letter reached the box
    QTest::keyClick(window_->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!window_->isVisible());
  }

  void f12LoadsMoreTextOfTheFoundPart() {
    testing::TempDir dir;
    std::string body;
    for (int i = 0; body.size() < 3000; ++i) body += "word" + std::to_string(i) + " ";
    dir.MakeSubdir("corpus");
    dir.Write("corpus/a.txt", "on the old road " + body);
    window_->controls().SetDirectoryText(dir.Join("corpus"));
    qobject_cast<QCheckBox*>(W(ControlId::OnTheFlyCheck))->setChecked(false);
    window_->controls().sourceBox().ReplaceSelection(u"the old road", 12);
    QTest::mouseClick(W(ControlId::SearchButton), Qt::LeftButton);
    QTRY_VERIFY(!window_->search().IsRunning());  // the scan runs on the worker
    QCOMPARE(window_->controls().previewBox().Length(), 1023);
    QTest::keyClick(window_->windowHandle(), Qt::Key_F12);
    QCOMPARE(window_->controls().previewBox().Length(), 2047);
  }

  void controlsCarryNamesWithTheirKeysAndTheSliderItsSpeed() {
    QCOMPARE(W(ControlId::PrevButton)->toolTip(), QString("Previous found part (F8)"));
    QCOMPARE(W(ControlId::PrevButton)->accessibleName(), QString("Previous found part (F8)"));
    QCOMPARE(W(ControlId::MoreButton)->toolTip(), QString("More text of the found part (F12)"));
    auto* slider = qobject_cast<QSlider*>(W(ControlId::SpeedTrackbar));
    QCOMPARE(slider->accessibleName(), QString("Speed: 430 ms per word"));
    slider->setValue(100);
    QCOMPARE(slider->accessibleName(), QString("Speed: 100 ms per word"));
    QCOMPARE(slider->toolTip(), slider->accessibleName());
  }

  void hotkeysBoxListsTheExtraKeyInAFixedPitchFont() {
    bool seen = false;
    plinvaro::testing::WhenModalIs<QMessageBox>([&seen](QMessageBox& modal) {
      auto* box = &modal;
      QVERIFY(box->text().contains("F12"));
      QVERIFY(!box->text().contains('\t'));
      auto* label = box->findChild<QLabel*>("qt_msgbox_label");
      QVERIFY(label != nullptr);
      const QFontMetrics metrics(label->font());  // what the user sees, whatever the family says
      QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
      seen = true;
      box->accept();
    });
    Item(Command::ViewHotkeys)->trigger();
    QVERIFY(seen);
  }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
