// The read-only table of whole-row choices the docks show.
#include "qt/RowTable.h"

#include <QHeaderView>
#include <QTableWidget>

namespace plinvaro::qt {

QTableWidget* NewRowTable(const QStringList& headers, QWidget* parent) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setHorizontalHeaderLabels(headers);
  table->horizontalHeader()->setStretchLastSection(true);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  return table;
}

}  // namespace plinvaro::qt
