// The panel's layout through the real window: at sizes from the least up, with each set of docks, no control overlaps another or is cut.
//
// CMakeLists.txt runs it twice: as it stands, and at QT_SCALE_FACTOR=2 on a
// screen of 1280 x 800 device pixels.
#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QTableWidget>
#include <QtTest>

#include "WindowFixture.h"
#include "qt/ProvenanceFace.h"

using namespace plinvaro;

namespace {

QString Describe(const QRect& r) {
  return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The room a control needs: what it asks for; the least it allows for the text boxes and the slider.
QSize Needed(const QWidget& widget) {
  const bool elastic = qobject_cast<const QAbstractScrollArea*>(&widget) || qobject_cast<const QAbstractSlider*>(&widget);
  return elastic ? widget.minimumSizeHint().expandedTo(widget.minimumSize()) : widget.sizeHint();
}

}  // namespace

class LayoutTest : public QObject, protected testing::WindowFixture {
  Q_OBJECT

 private:
  QRect InWindow(const QWidget& widget) { return {widget.mapTo(window_.get(), QPoint()), widget.size()}; }

  void ShowDocks(bool foundParts, bool sources) {
    qt::ProvenanceFace* face = qt::ProvenanceFaceOf(*window_);
    for (const auto& [command, on] : {std::pair{Command::ToggleFoundParts, foundParts},
                                      std::pair{Command::ToggleSources, sources}}) {
      QAction* item = face->action(command);
      if (item->isChecked() != on) item->trigger();
    }
  }

  // What is wrong with the window's layout now; empty when nothing is.
  QString LayoutFault() {
    const QRect window = window_->rect();
    const QRect room = InWindow(*window_->centralWidget());
    if (!window.contains(room)) return "the panel's room " + Describe(room) + " leaves the window";
    std::vector<std::pair<QString, QRect>> placed;
    for (const ControlSpec& row : ControlTable()) {
      const QWidget& widget = *W(row.control);
      if (row.kind == ControlKind::Panel || !widget.isVisible()) continue;
      const QString name = QString::fromLatin1(row.field.data(), row.field.size());
      const QRect r = InWindow(widget);
      if (!room.contains(r)) return name + " at " + Describe(r) + " lies outside " + Describe(room);
      const QSize needed = Needed(widget);
      if (r.width() < needed.width() || r.height() < needed.height())
        return name + " at " + Describe(r) + " is cut: it needs " + QString("%1x%2").arg(needed.width()).arg(needed.height());
      for (const auto& [other, at] : placed)
        if (r.intersects(at)) return name + " at " + Describe(r) + " overlaps " + other + " at " + Describe(at);
      placed.emplace_back(name, r);
    }
    for (const QDockWidget* dock : window_->findChildren<QDockWidget*>()) {
      if (!dock->isVisible()) continue;
      const QRect r = InWindow(*dock);
      if (!window.contains(r) || r.intersects(room))
        return dock->objectName() + " at " + Describe(r) + " leaves the window or covers the panel";
    }
    return {};
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { CloseWindow(); }

  void nothingOverlapsAndNothingIsCut_data() {
    QTest::addColumn<QSize>("outer");  // empty: the least size
    QTest::addColumn<bool>("foundParts");
    QTest::addColumn<bool>("sources");
    const std::pair<const char*, QSize> sizes[] = {
        {"least", QSize()}, {"start", QSize(700, 500)}, {"wide", QSize(1000, 640)}, {"large", QSize(1280, 900)}};
    const std::tuple<const char*, bool, bool> docks[] = {
        {"no dock", false, false}, {"found parts", true, false}, {"sources", false, true}, {"both docks", true, true}};
    for (const auto& [sizeName, outer] : sizes)
      for (const auto& [docksName, foundParts, sources] : docks)
        QTest::addRow("%s, %s", sizeName, docksName) << outer << foundParts << sources;
  }
  void nothingOverlapsAndNothingIsCut() {
    QFETCH(QSize, outer);
    QFETCH(bool, foundParts);
    QFETCH(bool, sources);
    ShowDocks(foundParts, sources);
    QTRY_COMPARE(window_->findChild<QDockWidget*>("FoundPartsDock")->isVisible(), foundParts);
    QTRY_COMPARE(window_->findChild<QDockWidget*>("SourcesDock")->isVisible(), sources);
    const QSize frame = window_->frameGeometry().size() - window_->size();
    QTest::qWait(1);  // the least size follows the docks once their layout is done
    const QSize wanted = outer.isEmpty() ? window_->minimumSize() : outer - frame;
    window_->resize(wanted);
    QTRY_COMPARE(window_->size(), wanted.expandedTo(window_->minimumSize()));
    QTRY_COMPARE(LayoutFault(), QString());
  }

  void theSourcesDockShowsItsShareColumnWholeWhenMaximised() {
    ShowDocks(false, true);
    auto* table = window_->findChild<QDockWidget*>("SourcesDock")->findChild<QTableWidget*>();
    window_->showMaximized();
    QTest::qWait(1);
    const QHeaderView* header = table->horizontalHeader();
    const int share = table->columnCount() - 1;
    const QString title = table->horizontalHeaderItem(share)->text();
    const int needed = header->fontMetrics().horizontalAdvance(title);
    QTRY_VERIFY2(header->sectionViewportPosition(share) + header->sectionSize(share) <= header->viewport()->width() &&
                     header->sectionSize(share) > needed,
                 qPrintable(QString("%1 px at %2 in %3").arg(header->sectionSize(share))
                                .arg(header->sectionViewportPosition(share)).arg(header->viewport()->width())));
  }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
