// A giant word in the real window: Select All, then a key that removes or replaces the selection, clears it, and the provenance map follows.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QtTest>

#include <Qsci/qsciscintilla.h>
#include <string>

#include "ProvenanceCheck.h"
#include "WindowFixture.h"
#include "window/LongLineWindow.h"

using namespace plinvaro;

class GiantLineTest : public QObject, protected testing::WindowFixture {
  Q_OBJECT

 private:
  qt::ScintillaDocument& Box() { return window_->controls().sourceBox(); }

  // Plays a word of several overlong lines' length into the composition and pauses.
  void PlayGiantWord() {
    const std::string word(static_cast<std::size_t>(8 * kLongLineBytes), 'g');
    window_->panel().OpenBaseFilePath(dir_->Write("giant.txt", word + " end"));
    window_->panel().Run(Command::Start);
    window_->panel().PlaybackTick();
    window_->panel().Run(Command::Pause);
    QCOMPARE(Box().Length(), static_cast<std::int32_t>(word.size() + 1));
  }

 private slots:
  void init() { QVERIFY(OpenWindow(true)); }
  void cleanup() { CloseWindow(); }

  void selectAllThenAKeyClearsTheWord_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("left");  // the composition afterwards
    QTest::newRow("Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers() << "";
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << Qt::KeyboardModifiers() << "";
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::ControlModifier) << "";
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "";
    QTest::newRow("a letter") << int(Qt::Key_Q) << Qt::KeyboardModifiers() << "q";
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << "pasted";
  }
  void selectAllThenAKeyClearsTheWord() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, left);
    PlayGiantWord();
    const std::string played = Box().Bytes();
    QApplication::clipboard()->setText("pasted");
    QTest::keyClick(window_->windowHandle(), Qt::Key_1, Qt::ControlModifier);
    QTRY_VERIFY(Box().widget()->hasFocus());
    QTest::keyClick(Box().widget(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(Box().GetSelection().end - Box().GetSelection().start, Box().Length());
    QTest::keyClick(Box().widget(), static_cast<Qt::Key>(key), modifiers);
    QCOMPARE(QString::fromStdString(Box().Bytes()), left);
    QCOMPARE(QString::fromStdString(testing::ProvenanceFault(window_->panel().provenance(), Box().Bytes())),
             QString());
    if (modifiers == Qt::ControlModifier && key == Qt::Key_X)
      QVERIFY(QApplication::clipboard()->text().toStdString() == played);
  }

  void theEditMenusCutClearsTheWordToo() {
    PlayGiantWord();
    window_->menuAction(Command::SelectAll)->trigger();
    window_->menuAction(Command::Cut)->trigger();
    QCOMPARE(Box().Length(), 0);
    QCOMPARE(window_->panel().provenance().Length(), 0);
  }
};

QTEST_MAIN(GiantLineTest)
#include "GiantLineTest.moc"
