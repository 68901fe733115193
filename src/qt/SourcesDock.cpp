// SourcesDock: a four-column table of SourceRows, with a spin box per weight.
#include "qt/SourcesDock.h"
#include "qt/RowTable.h"

#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>

#include "desktop/SourceRows.h"
#include "provenance/SeamTexts.h"

namespace plinvaro::qt {
namespace {

// How long a listing of the directory stands before the files are listed again.
constexpr qint64 kListingMs = 2000;
constexpr int kWeightColumn = 3;
const char* const kNameProperty = "fileName";

QString FromBytes(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

// The table's item at (row, column), made when the row is new; owned by the table.
QTableWidgetItem* ItemAt(QTableWidget& table, int row, int column) {
  if (QTableWidgetItem* item = table.item(row, column)) return item;
  auto* item = new QTableWidgetItem;
  table.setItem(row, column, item);
  return item;
}

}  // namespace

SourcesDock::SourcesDock(MainPanel& panel, const PanelControls& controls, SeamMarks& marks,
                         QWidget* parent)
    : QDockWidget(QStringLiteral("Sources"), parent),
      panel_(panel),
      controls_(controls),
      marks_(marks),
      table_(NewRowTable({QStringLiteral("File"), QStringLiteral("Bytes"), QStringLiteral("Share"),
                          QStringLiteral("Weight")},
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

QSpinBox* SourcesDock::weightBox(int row) const {
  return qobject_cast<QSpinBox*>(table_->cellWidget(row, kWeightColumn));
}

void SourcesDock::Refresh(bool always) {
  const ProvenanceMap& map = panel_.provenance();
  const std::string directory = controls_.DirectoryText();
  const bool relist = always || directory != directory_ || !listed_.isValid() || listed_.elapsed() > kListingMs;
  if (!relist && shown_ && map.revision() == shownRevision_ && panel_.weights().revision() == shownWeights_)
    return;
  if (relist) {
    directory_ = directory;
    names_ = SourceNames(directory);
    listed_.start();
  }
  shown_ = true;
  shownRevision_ = map.revision();
  shownWeights_ = panel_.weights().revision();
  const std::vector<SourceRow> rows = SourceRows(map, directory_, names_, panel_.weights());
  const QSignalBlocker quiet(table_);
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) ShowRow(row, rows[static_cast<std::size_t>(row)]);
}

void SourcesDock::ShowRow(int row, const SourceRow& source) {
  QTableWidgetItem* file = ItemAt(*table_, row, 0);
  file->setText(FromBytes(source.name));
  file->setData(Qt::UserRole, QByteArray::fromStdString(source.path));
  file->setToolTip(FromBytes(source.inUse() ? source.path : source.name));
  ItemAt(*table_, row, 1)->setText(source.inUse() ? QString::number(source.bytes) : QString());
  ItemAt(*table_, row, 2)->setText(source.inUse() ? QString::fromStdString(ShareText(source.share)) : QString());
  QSpinBox* box = weightBox(row);
  if (!source.weight) {
    if (box != nullptr) table_->removeCellWidget(row, kWeightColumn);
    return;
  }
  if (box == nullptr) {
    box = new QSpinBox;  // owned by the table once set
    box->setRange(kLeftOutWeight, kMaxWeight);
    box->setToolTip(QStringLiteral("Weight in the random pick: 0 leaves the file out, 1 is the default"));
    connect(box, &QSpinBox::valueChanged, this, [this, box](int weight) {
      panel_.SetSourceWeight(directory_, box->property(kNameProperty).toByteArray().toStdString(), weight);
    });
    table_->setCellWidget(row, kWeightColumn, box);
  }
  box->setProperty(kNameProperty, QByteArray::fromStdString(source.name));
  box->setAccessibleName(FromBytes("Weight of " + source.name));
  const QSignalBlocker quiet(box);
  box->setValue(*source.weight);
}

}  // namespace plinvaro::qt
