// The seam views in the real window: a wander through play, On The Fly switches, Accept, typing, Undo join and Retry join, checked against the files' bytes.
//
// With PLINVARO_SEAM_SCREENSHOT set to a path, the tinted window is saved there as PNG
// (docs/seams.png is made so; see docs/TESTING.md).
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QHelpEvent>
#include <QTableWidget>
#include <QToolTip>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <map>
#include <memory>

#include <Qsci/qsciscintilla.h>

#include "WhenModal.h"
#include "ProvenanceCheck.h"
#include "TempDir.h"
#include "provenance/ProvenanceJson.h"
#include "provenance/ProvenanceTexts.h"
#include "panel/SeamMenu.h"
#include "provenance/SeamTexts.h"
#include "qt/MainWindow.h"
#include "qt/ProvenanceFace.h"
#include "text/AnsiConversion.h"

using namespace plinvaro;
using plinvaro::qt::MainWindow;
using plinvaro::qt::ProvenanceFace;
using plinvaro::qt::SeamMarks;

namespace {

constexpr const char* kBase =
    "The cat sat by the old road, and then it slept in the sun until the evening came.";
constexpr const char* kHill =
    "Up the hill ran the old road, past the farm and the mill, where the miller sang.";
constexpr const char* kFarm =
    "They walked down the old road, to the farm and the mill and the river beyond it.";

void Write(const QString& path, const char* bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Answers the next modal message box with OK after noting its text.
void AnswerMessageBox(QString* text) {
  plinvaro::testing::WhenModalIs<QMessageBox>([text](QMessageBox& modal) {
    auto* box = &modal;
    *text = box->text();
    box->accept();
  });
}

}  // namespace

class SeamViewsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir scratch_;
  std::unique_ptr<MainWindow> window_;
  ProvenanceFace* face_ = nullptr;
  std::string base_, hill_, farm_;

  MainPanel& Panel() { return window_->panel(); }
  qt::ScintillaDocument& Box() { return window_->controls().sourceBox(); }
  std::string Text() { return Box().Bytes(); }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) Panel().PlaybackTick();
  }
  QString Fault() { return QString::fromStdString(testing::ProvenanceFault(Panel().provenance(), Text())); }

  // Plays the base file's first seven chunks: "The cat sat by the old road, ".
  void PlayBaseFile() {
    Panel().OpenBaseFilePath(base_);
    window_->controls().SetDirectoryText(scratch_.filePath("corpus").toStdString());
    Panel().StartPlayback();
    Tick(7);
  }

 private slots:
  void init() {
    QDir(scratch_.path()).mkpath("corpus");
    base_ = scratch_.filePath("base.txt").toStdString();
    hill_ = scratch_.filePath("corpus/hill.txt").toStdString();
    farm_ = scratch_.filePath("corpus/farm.txt").toStdString();
    Write(QString::fromStdString(base_), kBase);
    Write(QString::fromStdString(hill_), kHill);
    Write(QString::fromStdString(farm_), kFarm);
    window_ = std::make_unique<MainWindow>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    face_ = qt::ProvenanceFaceOf(*window_);
    QVERIFY(face_ != nullptr);
  }
  void cleanup() { window_.reset(); }

  void wanderKeepsTheSpansOnTheFilesBytes() {
    PlayBaseFile();
    Panel().RunSearch();  // On The Fly: a switch into hill.txt or farm.txt
    Tick(3);
    QCOMPARE(Panel().provenance().spans().size(), std::size_t{2});
    QCOMPARE(Fault(), QString());

    // Preview mode: the Found parts dock lists the parts; a row is the current part.
    Panel().SwitchMode(true);
    Panel().RunSearch();
    face_->Refresh();
    QTableWidget* parts = face_->foundParts().table();
    QVERIFY(face_->foundParts().isVisible());
    QCOMPARE(parts->rowCount(), Panel().results().PartCount());
    QVERIFY(parts->rowCount() >= 2);
    QCOMPARE(parts->item(0, 0)->text().toInt(), Panel().results().parts().front()->matchLength);
    parts->selectRow(1);
    QCOMPARE(Panel().CurrentPartIndex(), 1);
    Panel().PreviousPart();
    face_->Refresh();
    QCOMPARE(parts->currentRow(), 0);

    // Accept, then the user types at the end: typed text stays plain.
    Panel().AcceptPart();
    Panel().StartPlayback();
    Tick(2);
    Panel().PausePlayback();
    Box().widget()->setFocus();
    QTest::keyClicks(Box().widget(), "mine ");
    const std::vector<ProvenanceSpan>& spans = Panel().provenance().spans();
    QCOMPARE(spans.back().kind, SpanKind::Typed);
    QCOMPARE(spans.back().length, 5);
    QCOMPARE(Fault(), QString());

    // Tint on file spans only, a mark at each join, tooltips naming file and byte.
    face_->Refresh();
    const SeamMarks& marks = face_->marks();
    const std::uint32_t tintBits = ((1u << SeamMarks::kTints) - 1) << SeamMarks::kTintIndicator;
    QVERIFY((marks.IndicatorsAt(4) & tintBits) != 0);
    QVERIFY((marks.IndicatorsAt(spans[1].start) & (1u << SeamMarks::kJoinIndicator)) != 0);
    QCOMPARE(marks.IndicatorsAt(spans.back().start + 1) & tintBits, 0u);
    QCOMPARE(marks.TooltipAt(4), QString("base.txt\nbyte 4\nshared: -"));
    const ProvenanceSpan& found = spans[1];
    QCOMPARE(marks.TooltipAt(found.start),
             QString::fromStdString(BaseNameOf(Panel().provenance().FilePath(found)) + "\nbyte " +
                                    std::to_string(found.offset) + "\nshared: " + found.shared));
    QCOMPARE(marks.TooltipAt(spans.back().start), QString("Typed or pasted"));
    // A hover, as Qt delivers it, shows the origin of the span under the mouse.
    QWidget* viewport = Box().widget()->viewport();
    for (const ProvenanceSpan& span : {spans[0], spans[1], spans.back()}) {
      const long at = span.start + span.length / 2;
      const QPoint point(
          static_cast<int>(Box().widget()->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, at)) + 1,
          static_cast<int>(Box().widget()->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0, at)) + 2);
      QHelpEvent hover(QEvent::ToolTip, point, viewport->mapToGlobal(point));
      QApplication::sendEvent(viewport, &hover);
      QCOMPARE(QToolTip::text(), marks.TooltipAt(static_cast<std::int32_t>(at)));
    }

    // The Sources dock: each file's bytes as the spans hold them.
    face_->action(Command::ToggleSources)->trigger();
    QVERIFY(face_->sources().isVisible());
    std::map<QString, long long> expected;
    for (const ProvenanceSpan& span : spans)
      if (IsFileKind(span.kind))
        expected[QString::fromStdString(BaseNameOf(Panel().provenance().FilePath(span)))] += span.length;
    QTableWidget* sources = face_->sources().table();
    // The files in use come first; the directory's others follow with no bytes.
    for (int row = 0; row < sources->rowCount(); ++row)
      QCOMPARE(sources->item(row, 1)->text().toLongLong(),
               row < static_cast<int>(expected.size()) ? expected[sources->item(row, 0)->text()] : 0);

    SaveScreenshot();

    // Undo join refuses over typed text, with its message.
    QString message;
    AnswerMessageBox(&message);
    face_->action(Command::UndoJoin)->trigger();
    QCOMPARE(message, QString(kJoinEditedText));
    QCOMPARE(spans.back().kind, SpanKind::Typed);
  }

  void undoAndRetryJoinTakeBackTheJoins() {
    PlayBaseFile();
    Panel().RunSearch();
    Tick(4);
    QCOMPARE(face_->action(Command::RetryJoin)->shortcut(), QKeySequence("Ctrl+Shift+J"));
    face_->action(Command::RetryJoin)->trigger();
    QTRY_VERIFY(!window_->search().IsRunning());  // the retry's search runs on the worker
    QCOMPARE(Panel().provenanceTracker().joins().size(), std::size_t{1});
    QCOMPARE(Text(), std::string("The cat sat by the old road, "));
    Tick(3);
    QCOMPARE(Text().rfind("The cat sat by the old road, ", 0), std::size_t{0});
    QVERIFY(Text().size() > 29);
    QCOMPARE(Fault(), QString());

    // Its key works with the focus in the source box.
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Box().widget()->setFocus();
    QTest::keyClick(Box().widget(), Qt::Key_J, Qt::ControlModifier);
    QCOMPARE(Text(), std::string("The cat sat by the old road, "));
    QCOMPARE(Panel().playingFrom(), PlaybackSource::Base);
    QCOMPARE(Fault(), QString());

    // The box's own Undo and Redo bring text back of unknown origin; the map stays whole.
    QTest::keyClick(Box().widget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Fault(), QString());
    QTest::keyClick(Box().widget(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Fault(), QString());
  }

  void showSourcePutsTheSpansBytesIntoThePreview() {
    PlayBaseFile();
    Panel().RunSearch();
    Tick(2);
    const ProvenanceSpan span = Panel().provenance().spans()[1];
    std::unique_ptr<QMenu> menu = face_->marks().ContextMenuAt(span.start);
    QAction* show = menu->actions().back();
    QCOMPARE(show->text(), QString("Show source"));
    QVERIFY(show->isEnabled());
    show->trigger();
    const std::string file = testing::ReadAll(Panel().provenance().FilePath(span));
    auto& preview = window_->controls().previewBox();
    QCOMPARE(preview.Bytes(), file.substr(static_cast<std::size_t>(span.offset)));
    QCOMPARE(preview.GetSelection().end - preview.GetSelection().start, span.length);
  }

  void exportedJsonHoldsEverySpanOnItsFile() {
    PlayBaseFile();
    Panel().RunSearch();
    Tick(3);
    QTest::keyClicks(Box().widget(), "x");
    const QString out = scratch_.filePath("sources.json");
    QVERIFY(Panel().ExportSourcesTo(out.toStdString()));
    const std::string json = testing::ReadAll(out.toStdString());
    QCOMPARE(json, ProvenanceJson(Panel().provenance(), Panel().directory()));
    // Each span line again, from the text and the files.
    const std::string text = Text();
    for (const ProvenanceSpan& span : Panel().provenance().spans()) {
      std::string line = "{\"start\":" + std::to_string(span.start) + ",\"end\":" + std::to_string(span.end());
      QVERIFY(json.find(line) != std::string::npos);
      if (!IsFileKind(span.kind)) continue;
      const std::string file = testing::ReadAll(Panel().provenance().FilePath(span));
      QCOMPARE(file.substr(static_cast<std::size_t>(span.offset), static_cast<std::size_t>(span.length)),
               text.substr(static_cast<std::size_t>(span.start), static_cast<std::size_t>(span.length)));
    }
  }

  void tintCanBeTurnedOff() {
    PlayBaseFile();
    Panel().RunSearch();
    Tick(2);
    face_->Refresh();
    QVERIFY(face_->marks().IndicatorsAt(2) != 0);
    face_->action(Command::ToggleTint)->trigger();
    QCOMPARE(face_->marks().IndicatorsAt(2), 0u);
    QVERIFY(!face_->sources().isVisible());  // hidden until View > Sources
  }

 private:
  void SaveScreenshot() {
    const QByteArray path = qgetenv("PLINVARO_SEAM_SCREENSHOT");
    if (path.isEmpty()) return;
    window_->resize(1100, 640);
    Box().ScrollToTop();
    QTest::qWait(50);
    QVERIFY(window_->grab().save(QString::fromLocal8Bit(path), "PNG"));
  }
};

QTEST_MAIN(SeamViewsTest)
#include "SeamViewsTest.moc"
