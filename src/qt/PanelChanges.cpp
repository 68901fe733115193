// PanelChanges: one queued delivery per burst of the panel's changes.
#include "qt/PanelChanges.h"

#include <QMetaObject>

#include "panel/MainPanel.h"

namespace plinvaro::qt {

PanelChanges::PanelChanges(MainPanel& panel) : panel_(panel) {
  panel_.SetChangeListener([this] {
    if (pending_) return;
    pending_ = true;
    QMetaObject::invokeMethod(this, [this] { Deliver(); }, Qt::QueuedConnection);
  });
}

PanelChanges::~PanelChanges() { panel_.SetChangeListener({}); }

void PanelChanges::Listen(std::function<void()> view) { views_.push_back(std::move(view)); }

void PanelChanges::Deliver() {
  if (!pending_) return;
  pending_ = false;
  for (const std::function<void()>& view : views_) view();
}

}  // namespace plinvaro::qt
