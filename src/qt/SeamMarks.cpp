// SeamMarks: indicator styles, redrawing the spans, the hover tooltip and the context menu.
#include "qt/SeamMarks.h"

#include <Qsci/qsciscintilla.h>

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QFile>
#include <QMenu>
#include <QToolTip>

#include "panel/SeamMenu.h"
#include "provenance/SeamTexts.h"

namespace plinvaro::qt {
namespace {

using Sci = QsciScintillaBase;

constexpr int kTintAlpha = 60;
constexpr int kHighlightAlpha = 110;
// Quiet backgrounds, Scintilla's 0xBBGGRR.
constexpr long kTintColours[SeamMarks::kTints] = {0x60C0FF, 0xFFC080, 0x80E0A0, 0xE0A0E0,
                                                  0x80E0E0, 0xA0A0FF, 0xC0E080, 0xD0B090};
constexpr long kJoinColour = 0x3030B0;
constexpr long kHighlightColour = 0x00D0FF;

QString FromBytes(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

}  // namespace

SeamMarks::SeamMarks(ScintillaDocument& box, MainPanel& panel)
    : QObject(box.widget()), box_(box), panel_(panel) {
  for (int i = 0; i < kTints; ++i) {
    const auto n = static_cast<unsigned long>(kTintIndicator + i);
    Send(Sci::SCI_INDICSETSTYLE, n, Sci::INDIC_STRAIGHTBOX);
    Send(Sci::SCI_INDICSETFORE, n, kTintColours[i]);
    Send(Sci::SCI_INDICSETALPHA, n, kTintAlpha);
    Send(Sci::SCI_INDICSETOUTLINEALPHA, n, 0);
    Send(Sci::SCI_INDICSETUNDER, n, 1);
  }
  Send(Sci::SCI_INDICSETSTYLE, kJoinIndicator, Sci::INDIC_POINT);
  Send(Sci::SCI_INDICSETFORE, kJoinIndicator, kJoinColour);
  Send(Sci::SCI_INDICSETSTYLE, kHighlightIndicator, Sci::INDIC_ROUNDBOX);
  Send(Sci::SCI_INDICSETFORE, kHighlightIndicator, kHighlightColour);
  Send(Sci::SCI_INDICSETALPHA, kHighlightIndicator, kHighlightAlpha);
  Send(Sci::SCI_INDICSETUNDER, kHighlightIndicator, 1);
  box_.widget()->viewport()->installEventFilter(this);
}

long SeamMarks::Send(unsigned int message, unsigned long wParam, long lParam) const {
  return box_.widget()->SendScintilla(message, wParam, lParam);
}

void SeamMarks::SetTint(bool on) {
  tint_ = on;
  Redraw(true);
}

void SeamMarks::HighlightFile(const std::string& path) {
  highlight_ = path;
  Redraw(true);
}

void SeamMarks::Fill(int indicator, std::int32_t start, std::int32_t length) {
  Send(Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(indicator));
  Send(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start), length);
}

void SeamMarks::Redraw(bool always) {
  const ProvenanceMap& map = panel_.provenance();
  if (!always && drawn_ && map.revision() == drawnRevision_) return;
  drawn_ = true;
  drawnRevision_ = map.revision();
  const long length = Send(Sci::SCI_GETLENGTH);
  for (int i = kTintIndicator; i <= kHighlightIndicator; ++i) {
    Send(Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(i));
    Send(Sci::SCI_INDICATORCLEARRANGE, 0, length);
  }
  // A map out of step with the box (a face that reports no edits) draws nothing.
  if (map.Length() != length) return;
  for (const ProvenanceSpan& span : map.spans()) {
    if (!IsFileKind(span.kind)) continue;
    if (tint_) {
      Fill(kTintIndicator + span.file % kTints, span.start, span.length);
      if (StartsAtSeam(span)) Fill(kJoinIndicator, span.start, 1);
    }
    if (!highlight_.empty() && map.FilePath(span) == highlight_)
      Fill(kHighlightIndicator, span.start, span.length);
  }
}

std::uint32_t SeamMarks::IndicatorsAt(std::int32_t position) const {
  return static_cast<std::uint32_t>(Send(Sci::SCI_INDICATORALLONFOR, static_cast<unsigned long>(position)));
}

QString SeamMarks::TooltipAt(std::int32_t position) const {
  return FromBytes(SpanTooltip(panel_.provenance(), position));
}

std::unique_ptr<QMenu> SeamMarks::ContextMenuAt(std::int32_t position) {
  std::unique_ptr<QMenu> menu(box_.widget()->createStandardContextMenu());
  if (!menu) menu = std::make_unique<QMenu>();
  menu->addSeparator();
  QAction* show = menu->addAction(QString::fromLatin1(kShowSourceText.data(),
                                                      static_cast<qsizetype>(kShowSourceText.size())));
  const ProvenanceMap& map = panel_.provenance();
  const std::int32_t index = map.SpanIndexAt(position);
  show->setEnabled(index >= 0 && IsFileKind(map.spans()[static_cast<std::size_t>(index)].kind));
  connect(show, &QAction::triggered, this, [this, position] { panel_.ShowSpanSource(position); });
  return menu;
}

long SeamMarks::PositionAt(QPoint point) const {
  return Send(Sci::SCI_POSITIONFROMPOINTCLOSE, static_cast<unsigned long>(point.x()), point.y());
}

bool SeamMarks::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    // Over a span its origin, elsewhere the box's own tooltip.
    const auto* help = static_cast<QHelpEvent*>(event);
    const long position = PositionAt(help->pos());
    const QString text = position < 0 ? QString() : TooltipAt(static_cast<std::int32_t>(position));
    QToolTip::showText(help->globalPos(), text.isEmpty() ? box_.widget()->toolTip() : text, box_.widget());
    return true;
  }
  if (event->type() != QEvent::ContextMenu) return QObject::eventFilter(watched, event);
  const auto* click = static_cast<QContextMenuEvent*>(event);
  long position = PositionAt(click->pos());
  if (position < 0) position = Send(Sci::SCI_GETCURRENTPOS);
  ContextMenuAt(static_cast<std::int32_t>(position))->exec(click->globalPos());
  return true;
}

}  // namespace plinvaro::qt
