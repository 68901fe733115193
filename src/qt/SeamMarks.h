// SeamMarks: the source box's seams drawn with QScintilla indicators: a tint per source file, a mark at each join, a highlighted file; the span tooltip and "Show source".
//
// Redraws from the controller's provenance map when told to; positions are
// bytes (one per unit). A QObject child of the box's widget; the document and
// the panel must outlive it.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "panel/MainPanel.h"
#include "qt/ScintillaDocument.h"

class QMenu;

namespace plinvaro::qt {

class SeamMarks : public QObject {
 public:
  // Indicator numbers: kTints tints from kTintIndicator, then the join mark and the highlight.
  static constexpr int kTintIndicator = 8;
  static constexpr int kTints = 8;
  static constexpr int kJoinIndicator = kTintIndicator + kTints;
  static constexpr int kHighlightIndicator = kJoinIndicator + 1;

  SeamMarks(ScintillaDocument& box, MainPanel& panel);

  // Tint and join marks on or off; redraws.
  void SetTint(bool on);
  bool tint() const { return tint_; }
  // Highlights every span of `path` ("" for none); redraws.
  void HighlightFile(const std::string& path);
  // Redraws when the map changed since the last drawing (or `always`).
  void Redraw(bool always = false);

  // The indicators set at `position`, one bit per indicator number.
  std::uint32_t IndicatorsAt(std::int32_t position) const;
  QString TooltipAt(std::int32_t position) const;
  // The box's context menu for a click at `position`, with "Show source".
  std::unique_ptr<QMenu> ContextMenuAt(std::int32_t position);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
  // The box position at `point` of the viewport; -1 off the text.
  long PositionAt(QPoint point) const;
  void Fill(int indicator, std::int32_t start, std::int32_t length);

  ScintillaDocument& box_;
  MainPanel& panel_;
  bool tint_ = true;
  std::string highlight_;
  std::uint64_t drawnRevision_ = 0;
  bool drawn_ = false;
};

}  // namespace plinvaro::qt
