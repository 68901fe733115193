// SourcesDock: a three-column table of SourceTotals.
#include "qt/SourcesDock.h"
#include "qt/RowTable.h"

#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

#include "provenance/SeamTexts.h"

namespace plinvaro::qt {
namespace {

QString FromBytes(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

}  // namespace

SourcesDock::SourcesDock(MainPanel& panel, SeamMarks& marks, QWidget* parent)
    : QDockWidget(QStringLiteral("Sources"), parent),
      panel_(panel),
      marks_(marks),
      table_(NewRowTable({QStringLiteral("File"), QStringLiteral("Bytes"), QStringLiteral("Share")},
                         this)) {
  setObjectName(QStringLiteral("SourcesDock"));
  setWidget(table_);
  // The numbers keep their width, however narrow the dock; the file names take what is left.
  QHeaderView* header = table_->horizontalHeader();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  int least = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < table_->columnCount(); ++column) {
    if (column > 0) header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    least += header->sectionSizeHint(column);
  }
  table_->setMinimumWidth(least);
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
    const QList<QTableWidgetItem*> chosen = table_->selectedItems();
    const QTableWidgetItem* file = chosen.isEmpty() ? nullptr : table_->item(chosen.front()->row(), 0);
    marks_.HighlightFile(file ? file->data(Qt::UserRole).toByteArray().toStdString() : std::string());
  });
  hide();
}

void SourcesDock::Refresh(bool always) {
  const ProvenanceMap& map = panel_.provenance();
  if (!always && shown_ && map.revision() == shownRevision_) return;
  shown_ = true;
  shownRevision_ = map.revision();
  const std::vector<SourceTotal> totals = SourceTotals(map);
  const QSignalBlocker quiet(table_);
  table_->setRowCount(static_cast<int>(totals.size()));
  for (int row = 0; row < static_cast<int>(totals.size()); ++row) {
    const SourceTotal& total = totals[static_cast<std::size_t>(row)];
    auto* file = new QTableWidgetItem(FromBytes(BaseNameOf(total.path)));  // owned by the table
    file->setData(Qt::UserRole, QByteArray::fromStdString(total.path));
    file->setToolTip(FromBytes(total.path));
    table_->setItem(row, 0, file);
    table_->setItem(row, 1, new QTableWidgetItem(QString::number(total.bytes)));
    table_->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(ShareText(total.share))));
  }
}

}  // namespace plinvaro::qt
