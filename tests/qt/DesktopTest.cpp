// Drops, screen fitting, error boxes and the window icon through the real window.
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <QtTest>
#include <functional>
#include <memory>

#include <Qsci/qsciscintilla.h>

#include "WhenModal.h"
#include "TempDir.h"
#include "window/ControlTable.h"
#include "WindowFixture.h"
#include "qt/MainWindow.h"

using namespace plinvaro;
using plinvaro::qt::MainWindow;

namespace {

// Presses OK on the next message box once it is up, handing its text to `seen`.
void AnswerBox(QString& seen) {
  plinvaro::testing::WhenModalIs<QMessageBox>([&seen](QMessageBox& box) {
    seen = box.text();
    box.accept();
  });
}

}  // namespace

class DesktopTest : public QObject, protected testing::WindowFixture {
  Q_OBJECT

 private:

  QString DirText() { return qobject_cast<QLineEdit*>(W(ControlId::DirEdit))->text(); }

  // Drags `data` onto `target` and drops it there; true when the drop was accepted.
  static bool Drop(QWidget* target, QMimeData& data) {
    const QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
  }
  static std::unique_ptr<QMimeData> Paths(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { CloseWindow(); }

  void aDroppedFolderBecomesTheBaseDirectoryAsALocalPath() {
    const QString folder = QString::fromStdString(dir_->MakeSubdir("texts"));
    for (QWidget* target : {static_cast<QWidget*>(window_.get()), W(ControlId::DirEdit)}) {
      qobject_cast<QLineEdit*>(W(ControlId::DirEdit))->setText("old");
      QVERIFY(Drop(target, *Paths({folder})));
      QCOMPARE(DirText(), folder);
    }
  }

  void aDroppedFileOpensAsTheBaseFileEvenOverTheComposition() {
    const std::string base = dir_->Write("base.txt", "one two three");
    QVERIFY(Drop(window_->controls().sourceBox().widget()->viewport(),
                 *Paths({QString::fromStdString(base)})));
    QCOMPARE(window_->panel().baseFile(), base);
    QCOMPARE(window_->controls().sourceBox().Length(), 0);  // nothing was inserted
    QTRY_COMPARE(window_->windowTitle(), QString::fromStdString("Plinvaro - " + base));
  }

  void everythingElseIsRefused() {
    qobject_cast<QLineEdit*>(W(ControlId::DirEdit))->setText("kept");
    QMimeData text;
    text.setText("file:///tmp");
    QVERIFY(!Drop(W(ControlId::DirEdit), text));
    const QString a = QString::fromStdString(dir_->Write("a.txt", "a"));
    QVERIFY(!Drop(window_.get(), *Paths({a, a})));
    QMimeData remote;
    remote.setUrls({QUrl("https://host.invalid/a.txt")});
    QVERIFY(!Drop(window_.get(), remote));
    QCOMPARE(DirText(), QString("kept"));
    QVERIFY(window_->panel().baseFile().empty());
  }

  void aDroppedFileThatCannotBeOpenedSaysWhy() {
    const QString missing = QString::fromStdString(dir_->Join("missing.txt"));
    QString seen;
    AnswerBox(seen);
    QVERIFY(Drop(window_.get(), *Paths({missing})));
    QVERIFY2(seen.startsWith("cannot open '" + missing + "': "), qPrintable(seen));
    QVERIFY(window_->panel().baseFile().empty());
  }

  void saveErrorsNameThePathAndTheReason() {
    window_->controls().sourceBox().ReplaceSelection(u"words", 5);
    const std::string target = dir_->Join("no-such-folder/out.txt");
    QString seen;
    AnswerBox(seen);
    QVERIFY(!window_->panel().SaveSourceText(target));
    const QStringList lines = seen.split('\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QString("Can't save to file"));
    QVERIFY2(lines[1].startsWith(QString::fromStdString(target) + ": ") &&
                 lines[1].size() > static_cast<qsizetype>(target.size()) + 2,
             qPrintable(lines[1]));
  }

  // Run also at QT_SCALE_FACTOR=2 on a screen smaller than 700 x 500 (tests/qt/CMakeLists.txt).
  void fitsTheScreensAvailableArea() {
    const QRect area = window_->screen()->availableGeometry();
    QTRY_VERIFY2(area.contains(window_->frameGeometry()),
                 qPrintable(QString("%1,%2 %3x%4")
                                .arg(window_->frameGeometry().x())
                                .arg(window_->frameGeometry().y())
                                .arg(window_->frameGeometry().width())
                                .arg(window_->frameGeometry().height())));
    QVERIFY(window_->minimumWidth() <= area.width());
    QVERIFY(window_->minimumHeight() <= area.height());
    if (area.width() >= 700 && area.height() >= 500) {
      QCOMPARE(window_->frameGeometry().size(), QSize(700, 500));
    }
  }

  void hasAnIconFromTheBuildTree() { QVERIFY(!window_->windowIcon().isNull()); }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
