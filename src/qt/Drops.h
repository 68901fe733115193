// Drops: a file dropped on the window opens as the base file; a folder becomes the base directory.
//
// Installed on the window, the directory box and both text boxes. Drags that
// carry paths are taken over everywhere; the directory box refuses every other
// drag, the text boxes keep their own handling of dragged text. Refers to the
// panel and controls, which must outlive it.
#pragma once

#include <QObject>

class QMimeData;
class QWidget;

namespace plinvaro {
class MainPanel;
}

namespace plinvaro::qt {

class PanelWidgets;

class Drops : public QObject {
 public:
  Drops(QWidget& window, MainPanel& panel, PanelWidgets& controls);

  // Uses `data` as a drop would; false when it is refused.
  bool Use(const QMimeData& data);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  MainPanel& panel_;
  PanelWidgets& controls_;
};

}  // namespace plinvaro::qt
