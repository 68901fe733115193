// FoundPartsDock: FoundPartRows in a four-column table, kept in step with the current part.
#include "qt/FoundPartsDock.h"
#include "qt/RowTable.h"

#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableWidget>

#include "desktop/OptionTexts.h"
#include "provenance/SeamTexts.h"

namespace plinvaro::qt {
namespace {

QString FromBytes(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

}  // namespace

FoundPartsDock::FoundPartsDock(MainPanel& panel, QWidget* parent)
    : QDockWidget(QStringLiteral("Found parts"), parent),
      panel_(panel),
      table_(NewRowTable({QStringLiteral("Match"), QStringLiteral("File"),
                          QStringLiteral("Shared words"), QStringLiteral("Continuation")},
                         this)) {
  setObjectName(QStringLiteral("FoundPartsDock"));
  setWidget(table_);
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
    const QList<QTableWidgetItem*> chosen = table_->selectedItems();
    if (!chosen.isEmpty()) panel_.ShowPartAt(chosen.front()->row());
  });
  hide();
}

void FoundPartsDock::Refresh() {
  const bool newList = !shownOnce_ || panel_.partsRevision() != shownRevision_;
  if (newList || panel_.weights().revision() != shownWeights_) {
    shownOnce_ = true;
    shownRevision_ = panel_.partsRevision();
    shownWeights_ = panel_.weights().revision();
    const std::vector<FoundPartRow> rows = FoundPartRows(panel_.results());
    const QSignalBlocker quiet(table_);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
      const FoundPartRow& row = rows[static_cast<std::size_t>(i)];
      // The items are owned by the table.
      table_->setItem(i, 0, new QTableWidgetItem(QString::number(row.matchLength)));
      // A part of a file of weight 0 says so; "<<" and ">>" step past it.
      const std::string leftOut(panel_.PartLeftOut(i) ? kLeftOutMark : std::string_view());
      table_->setItem(i, 1, new QTableWidgetItem(FromBytes(BaseNameOf(row.file) + leftOut)));
      table_->setItem(i, 2, new QTableWidgetItem(FromBytes(row.shared)));
      table_->setItem(i, 3, new QTableWidgetItem(FromBytes(row.continuation)));
    }
    if (newList && panel_.OffersParts()) show();
  }
  SelectCurrent();
}

void FoundPartsDock::SelectCurrent() {
  const int current = panel_.CurrentPartIndex();
  // Left alone when it already shows the current part, so that the user's scrolling stays.
  const bool selected = current >= 0 && table_->selectionModel()->isRowSelected(current, QModelIndex());
  if (current == table_->currentRow() && (selected || current < 0)) return;
  const QSignalBlocker quiet(table_);
  if (current < 0) {
    table_->clearSelection();
    return;
  }
  table_->selectRow(current);
}

}  // namespace plinvaro::qt
