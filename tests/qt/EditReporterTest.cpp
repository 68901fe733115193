// EditReporter on a real QScintilla box: the controller's replacements are told once as Program changes, the user's keys as User, Undo and Redo as Restore.
#include <QWidget>
#include <QtTest>
#include <vector>

#include <Qsci/qsciscintilla.h>

#include "qt/EditReporter.h"
#include "qt/ScintillaDocument.h"

using namespace plinvaro;

namespace {

class RecordingListener : public TextChangeListener {
 public:
  void TextChanged(const TextChange& change) override { changes.push_back(change); }
  std::vector<TextChange> changes;
};

bool Is(const TextChange& c, std::int32_t position, std::int32_t removed, std::int32_t inserted,
        ChangeCause cause) {
  return c.position == position && c.removed == removed && c.inserted == inserted && c.cause == cause;
}

}  // namespace

class EditReporterTest : public QObject {
  Q_OBJECT

 private slots:
  void reportsEachChangeOnceWithItsCause() {
    QWidget parent;
    qt::ScintillaDocument box(&parent, qt::DisplayCodePage::Latin1);
    RecordingListener listener;
    box.SetChangeListener(&listener);
    QVERIFY(!box.ReportsUserChanges());
    auto* reporter = new qt::EditReporter(box);  // owned by the box's widget
    QVERIFY(box.ReportsUserChanges());
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));

    box.ReplaceSelection(u"one two ", 8);
    QCOMPARE(listener.changes.size(), std::size_t{1});
    QVERIFY(Is(listener.changes[0], 0, 0, 8, ChangeCause::Program));

    box.widget()->setFocus();
    QTest::keyClicks(box.widget(), "ab");
    QCOMPARE(listener.changes.size(), std::size_t{3});
    QVERIFY(Is(listener.changes[1], 8, 0, 1, ChangeCause::User));
    QVERIFY(Is(listener.changes[2], 9, 0, 1, ChangeCause::User));

    box.SetSelection(0, 4);
    box.Cut();
    QVERIFY(Is(listener.changes.back(), 0, 4, 0, ChangeCause::User));
    box.widget()->SendScintilla(QsciScintillaBase::SCI_UNDO);
    QVERIFY(Is(listener.changes.back(), 0, 0, 4, ChangeCause::Restore));
    box.widget()->SendScintilla(QsciScintillaBase::SCI_REDO);
    QVERIFY(Is(listener.changes.back(), 0, 4, 0, ChangeCause::Restore));

    // Turned off, the box tells only the controller's own changes.
    reporter->SetReporting(false);
    const std::size_t before = listener.changes.size();
    QTest::keyClicks(box.widget(), "c");
    QCOMPARE(listener.changes.size(), before);
    QVERIFY(!box.ReportsUserChanges());
    box.SetChangeListener(nullptr);
  }
};

QTEST_MAIN(EditReporterTest)
#include "EditReporterTest.moc"
