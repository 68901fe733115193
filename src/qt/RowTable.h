// The read-only table of whole-row choices the docks show.
#pragma once

#include <QStringList>

class QTableWidget;
class QWidget;

namespace plinvaro::qt {

// A table with `headers` as its columns, no row numbers, no editing, and one
// whole row selectable at a time; owned by `parent`.
QTableWidget* NewRowTable(const QStringList& headers, QWidget* parent);

}  // namespace plinvaro::qt
