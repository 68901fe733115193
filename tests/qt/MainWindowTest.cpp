// The main window through its real widgets: initial state, start and minimum size, menus, message boxes.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include <Qsci/qsciscintilla.h>

#include "WhenModal.h"
#include "window/ControlTable.h"
#include "window/MainWindowGeometry.h"
#include "panel/MenuBar.h"
#include "WindowFixture.h"
#include "qt/MainWindow.h"
#include "text/AnsiConversion.h"

using namespace plinvaro;
using plinvaro::qt::MainWindow;

namespace {

QRect ToQRect(const Rect& r) { return {r.x, r.y, r.width, r.height}; }

std::u16string Wide(const std::string& bytes) {
  return AnsiToWide(reinterpret_cast<const unsigned char*>(bytes.data()),
                    static_cast<std::int32_t>(bytes.size()));
}

// Answers the next modal message box: hands it to `check`, then presses OK.
void AnswerMessageBox(std::function<void(QMessageBox&)> check) {
  plinvaro::testing::WhenModalIs<QMessageBox>([check](QMessageBox& modal) {
    auto* box = &modal;
    check(*box);
    box->accept();
  });
}

}  // namespace

class MainWindowTest : public QObject, protected testing::WindowFixture {
  Q_OBJECT

 private:

  // A menu text as shown, without the mnemonic's marker.
  static QString Shown(QString text) {
    text.replace("&&", QString(QChar(1)));
    text.remove('&');
    return text.replace(QChar(1), '&');
  }

  // The window model's items of pop-up `index`; the desktop's own sub-menus are left out.
  QStringList MenuTexts(int index) {
    QStringList texts;
    for (QAction* action : window_->menu(index)->actions()) {
      if (action->menu() != nullptr) continue;
      texts << (action->isSeparator() ? QString("-") : Shown(action->text()));
    }
    return texts;
  }

  // Opens the Edit menu as the user would and reads which items are enabled.
  QList<bool> EditStates() {
    QMenu* edit = window_->menu(kEditMenuPosition);
    edit->popup(QPoint(0, 0));
    QTest::qWait(1);
    edit->hide();
    QList<bool> states;
    for (Command command : {Command::Copy, Command::Cut, Command::Paste, Command::SelectAll})
      states << window_->menuAction(command)->isEnabled();
    return states;  // Copy, Cut, Paste, Select All
  }

 private slots:
  void init() { QVERIFY(OpenWindow(true)); }
  void cleanup() { CloseWindow(); }

  void startsWithTheSpecifiedControlStates() {
    QCOMPARE(window_->windowTitle(), QString("Plinvaro"));
    for (const ControlSpec& row : ControlTable()) {
      if (row.kind == ControlKind::PushButton || row.kind == ControlKind::Label) {
        const QString text = row.kind == ControlKind::Label
                                 ? qobject_cast<QLabel*>(W(row.control))->text()
                                 : qobject_cast<QPushButton*>(W(row.control))->text();
        QCOMPARE(text, QString::fromLatin1(row.text.data(), row.text.size()));
      }
    }
    QCOMPARE(qobject_cast<QPushButton*>(W(ControlId::MoreButton))->text(), QString("\\/"));
    for (ControlId id : {ControlId::PrevButton, ControlId::NextButton, ControlId::AcceptButton,
                         ControlId::MoreButton}) {
      QVERIFY(!W(id)->isEnabled());
    }
    QVERIFY(W(ControlId::StartButton)->isEnabled());
    auto* check = qobject_cast<QCheckBox*>(W(ControlId::OnTheFlyCheck));
    QVERIFY(check->isChecked());
    QCOMPARE(check->layoutDirection(), Qt::RightToLeft);  // label left of the box
    auto* sizes = qobject_cast<QComboBox*>(W(ControlId::FontSizeCombo));
    QCOMPARE(sizes->count(), 32);
    QCOMPARE(sizes->itemText(0), QString("8"));
    QCOMPARE(sizes->itemText(31), QString("70"));
    QCOMPARE(sizes->currentText(), QString("12"));
    QVERIFY(qobject_cast<QLineEdit*>(W(ControlId::DirEdit))->text().isEmpty());
    auto* slider = qobject_cast<QSlider*>(W(ControlId::SpeedTrackbar));
    QCOMPARE(slider->orientation(), Qt::Vertical);
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 100);
    QCOMPARE(slider->tickInterval(), 10);
    QCOMPARE(slider->value(), 70);
    QVERIFY(slider->invertedAppearance());  // 0 at the top, faster lower down
    for (auto* box : {&window_->controls().sourceBox(), &window_->controls().previewBox()}) {
      QCOMPARE(QString::fromStdString(box->FontFace()), QString("Times New Roman"));
      QCOMPARE(box->FontTwips(), 240);
    }
    QVERIFY(window_->controls().previewBox().Background() == kPreviewBackground);
    QTRY_COMPARE(QApplication::focusWidget(), W(ControlId::SourceBox));
  }

  void onlyTheBrowseButtonKeepsTheSystemFont() {
    for (const ControlSpec& row : ControlTable()) {
      if (row.kind == ControlKind::Panel || row.kind == ControlKind::RichText ||
          row.kind == ControlKind::Trackbar) {
        continue;
      }
      // The GUI font is the application's, which a widget has unless a font is set on it.
      if (row.guiFont) {
        QVERIFY(!W(row.control)->testAttribute(Qt::WA_SetFont));
      } else {
        QCOMPARE(W(row.control)->font(), qt::SystemFont());
      }
    }
    QVERIFY(!Control(ControlId::BrowseButton).guiFont);
  }

  void opensCentredAt700By500() {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QCOMPARE(window_->frameGeometry(),
             ToQRect(MainWindowStartRect(screen.width(), screen.height())));
  }

  void isNeverSmallerThan700By500() {
    const QSize frame = window_->frameGeometry().size() - window_->size();
    QCOMPARE(window_->minimumSize() + frame, QSize(kMainWindowWidth, kMainWindowHeight));
    window_->resize(300, 200);
    QTest::qWait(1);
    QVERIFY(window_->frameGeometry().width() >= kMainWindowWidth);
    QVERIFY(window_->frameGeometry().height() >= kMainWindowHeight);
  }

  void menusHoldExactlyTheModelsItemsWithMnemonicsAdded() {
    const QStringList titles = {Shown(window_->menu(0)->title()), Shown(window_->menu(1)->title()),
                                Shown(window_->menu(2)->title())};
    QCOMPARE(titles, (QStringList{"File", "Edit", "Help"}));
    // The shared menu items, with the desktop face's seam items (panel/SeamMenu.h) added.
    QCOMPARE(MenuTexts(0), (QStringList{"Open...", "Save as...", "Export sources...", "-", "Exit"}));
    QCOMPARE(MenuTexts(1), (QStringList{"Copy", "Cut", "Paste", "Select All", "-", "Undo join",
                                        "Retry join"}));
    QCOMPARE(MenuTexts(2), (QStringList{"View hotkeys...", "About..."}));
    for (QAction* action : window_->menuBar()->actions()) QVERIFY(action->shortcut().isEmpty());
  }

  void editItemsFollowTheSourceBoxWhenTheMenuOpens() {
    QApplication::clipboard()->clear();
    QCOMPARE(EditStates(), (QList<bool>{false, false, false, false}));
    auto& source = window_->controls().sourceBox();
    source.ReplaceSelection(Wide("some words"), 10);
    QCOMPARE(EditStates(), (QList<bool>{false, false, false, true}));
    window_->menuAction(Command::SelectAll)->trigger();
    QCOMPARE(source.GetSelection().end, 10);
    QCOMPARE(EditStates(), (QList<bool>{true, true, false, true}));
    window_->menuAction(Command::Copy)->trigger();
    QCOMPARE(EditStates(), (QList<bool>{true, true, true, true}));
  }

  void tickLeavesTheFocusInTheDirectoryBoxButTakesItFromAButton() {
    QTemporaryDir scratch;
    const QString base = scratch.filePath("base.txt");
    QFile file(base);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("one two three four ");
    file.close();
    window_->panel().OpenBaseFilePath(QFile::encodeName(base).toStdString());
    window_->panel().StartPlayback();
    auto* dir = qobject_cast<QLineEdit*>(W(ControlId::DirEdit));
    dir->clear();
    dir->setFocus();
    QTRY_VERIFY(dir->hasFocus());
    QTest::keyClicks(dir, "ab");
    window_->panel().PlaybackTick();
    QVERIFY(dir->hasFocus());
    QTest::keyClicks(dir, "cd");
    QCOMPARE(dir->text(), QString("abcd"));
    auto& source = window_->controls().sourceBox();
    QCOMPARE(source.GetRangeText(0, source.Length()), std::u16string(u"one "));
    W(ControlId::StartButton)->setFocus();
    QTRY_VERIFY(W(ControlId::StartButton)->hasFocus());
    window_->panel().PlaybackTick();
    QTRY_VERIFY(source.widget()->hasFocus());
  }

  void helpItemsShowIconlessBoxes_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("hotkeys") << 8 << "Hotkeys..." << "";
    QTest::newRow("about") << 9 << "About..." << QString(" Plinvaro version 1.0");
  }
  void helpItemsShowIconlessBoxes() {
    QFETCH(int, command);
    QFETCH(QString, caption);
    QFETCH(QString, firstLine);
    bool seen = false;
    AnswerMessageBox([&](QMessageBox& box) {
      seen = true;
      QCOMPARE(box.windowTitle(), caption);
      QCOMPARE(box.icon(), QMessageBox::NoIcon);
      QCOMPARE(box.textFormat(), Qt::PlainText);
      QCOMPARE(box.text().split('\n').first(), firstLine);
    });
    window_->menuAction(*MenuItemCommand(command))->trigger();
    QVERIFY(seen);
  }

  void exitOverUnsavedTextAsksAndFollowsTheAnswer() {
    window_->controls().sourceBox().ReplaceSelection(Wide("typed words"), 11);
    QString question;
    auto press = [&question](QMessageBox::StandardButton button) {
      plinvaro::testing::WhenModalIs<QMessageBox>([&question, button](QMessageBox& modal) {
        auto* box = &modal;
        question = box->text();
        box->button(button)->click();
      });
    };
    press(QMessageBox::Cancel);
    window_->menuAction(Command::Exit)->trigger();
    QVERIFY(question.startsWith("The composition has changes that are not saved."));
    QVERIFY(window_->isVisible());
    question.clear();
    press(QMessageBox::Discard);
    window_->close();
    QVERIFY(!question.isEmpty());
    QTRY_VERIFY(!window_->isVisible());
  }

  void theCloseGuardsButtonsHaveMnemonicsAndAltDDiscards() {
    window_->controls().sourceBox().ReplaceSelection(Wide("typed words"), 11);
    QStringList texts;
    plinvaro::testing::WhenModalIs<QMessageBox>([&texts](QMessageBox& box) {
      for (const QMessageBox::StandardButton answer : {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel})
        texts << box.button(answer)->text();
      QTest::keyClick(&box, Qt::Key_D, Qt::AltModifier);
    });
    window_->close();
    QCOMPARE(texts, (QStringList{"&Save", "&Discard", "&Cancel"}));
    QTRY_VERIFY(!window_->isVisible());
  }

  void exitClosesTheWindow() {
    window_->menuAction(Command::Exit)->trigger();
    QTRY_VERIFY(!window_->isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
