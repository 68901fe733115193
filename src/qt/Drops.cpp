// Drops: reading the dragged paths, asking DropRule what they mean, and routing them to the panel.
#include "qt/Drops.h"

#include <Qsci/qsciscintilla.h>

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <vector>

#include "desktop/DropRule.h"
#include "panel/MainPanel.h"
#include "qt/CommandLine.h"
#include "qt/PanelWidgets.h"
#include "qt/Problems.h"

namespace plinvaro::qt {
namespace {

std::vector<DroppedItem> Items(const QMimeData& data) {
  std::vector<DroppedItem> items;
  if (!data.hasUrls()) return items;
  for (const QUrl& url : data.urls()) {
    items.push_back({url.isLocalFile(), url.isLocalFile() && QFileInfo(url.toLocalFile()).isDir()});
  }
  return items;
}

bool IsDrag(QEvent::Type type) {
  return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
}

}  // namespace

Drops::Drops(QWidget& window, MainPanel& panel, PanelWidgets& controls)
    : QObject(&window), window_(window), panel_(panel), controls_(controls) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
  controls.widget(ControlId::DirEdit)->installEventFilter(this);
  for (ScintillaDocument* box : {&controls.sourceBox(), &controls.previewBox()}) {
    box->widget()->viewport()->installEventFilter(this);
  }
}

bool Drops::Use(const QMimeData& data) {
  const std::vector<DroppedItem> items = Items(data);
  const DropUse use = UseOfDrop(items);
  if (use == DropUse::Refused) return false;
  const std::string path = QFile::encodeName(data.urls().front().toLocalFile()).toStdString();
  if (use == DropUse::BaseDirectory) {
    controls_.RunChange([this, path] { controls_.SetDirectoryText(path); });
    return true;
  }
  const std::string problem = BaseFileProblem(path);
  if (!problem.empty()) {
    ShowProblem(&window_, "cannot open '" + path + "': " + problem);
    return true;
  }
  controls_.RunChange([this, path] { panel_.OpenBaseFilePath(path); });
  return true;
}

bool Drops::eventFilter(QObject* watched, QEvent* event) {
  if (!IsDrag(event->type())) return false;
  auto* drag = static_cast<QDropEvent*>(event);
  const bool carriesPaths = drag->mimeData() != nullptr && drag->mimeData()->hasUrls();
  const bool dirBox = watched == controls_.widget(ControlId::DirEdit);
  if (!carriesPaths && !dirBox && watched != &window_) return false;  // text dragged in a text box
  const bool usable =
      carriesPaths && UseOfDrop(Items(*drag->mimeData())) != DropUse::Refused;
  if (event->type() == QEvent::Drop && usable) {
    drag->acceptProposedAction();
    Use(*drag->mimeData());
    return true;
  }
  if (usable) {
    drag->acceptProposedAction();
  } else {
    drag->ignore();
  }
  return true;
}

}  // namespace plinvaro::qt
