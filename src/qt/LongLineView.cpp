// LongLineView: hides the bytes of an overlong line outside its shown part through a style that is never drawn.
#include "qt/LongLineView.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

#include "qt/BoxLines.h"

namespace plinvaro::qt {
namespace {

using Sci = QsciScintillaBase;

constexpr int kShownStyle = 0;   // the style every inserted byte gets
constexpr int kHiddenStyle = 1;  // laid out at zero width, never drawn

}  // namespace

LongLineView::LongLineView(QsciScintilla* box) : box_(box) {
  // QScintilla shows annotations by default; with wrapping on, Scintilla then
  // lays out every changed line at once to size its annotations. None are used.
  Send(Sci::SCI_ANNOTATIONSETVISIBLE, Sci::ANNOTATION_HIDDEN);
  ReapplyHiddenStyle();
  // QScintilla's own handler counts the caret's column from the start of its
  // line after every change of the selection, which costs time in proportion to
  // the line; the boxes use neither that column nor brace matching.
  QObject::disconnect(box_, SIGNAL(SCN_UPDATEUI(int)), box_, SLOT(handleUpdateUI(int)));
  QObject::connect(box_, &QsciScintillaBase::SCN_UPDATEUI, box_,
                   [this](int updated) { OnUpdate(updated); });
  // The box has no lexer: every byte keeps the style it has (inserted bytes get
  // the shown style). Left unanswered, this request comes again at each repaint
  // and advances Scintilla's style clock, which makes it check every cached line
  // against the document byte by byte.
  QObject::connect(box_, &QsciScintillaBase::SCN_STYLENEEDED, box_, [this](int) { MarkStyled(); });
}

void LongLineView::MarkStyled() {
  Send(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(Send(Sci::SCI_GETLENGTH)), 0);
}

long LongLineView::Send(unsigned int message, unsigned long wParam, long lParam) const {
  return box_->SendScintilla(message, wParam, lParam);
}

void LongLineView::ReapplyHiddenStyle() { Send(Sci::SCI_STYLESETVISIBLE, kHiddenStyle, 0); }

bool LongLineView::IsHidden(std::int32_t position) const {
  return Send(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(position)) == kHiddenStyle;
}

bool LongLineView::NeedsShowing(LinePart line, std::int32_t focus) const {
  if (!IsLongLine(line)) {
    // A long line made short again shows whole.
    return line.length() > 0 && (IsHidden(line.start) || IsHidden(line.end - 1));
  }
  const LinePart reach = FocusReach(line, focus);
  if (IsHidden(reach.start) || IsHidden(reach.end - 1)) return true;
  // A line that grew long a little at a time is still shown whole.
  return !IsHidden(line.start) && !IsHidden(line.end - 1);
}

bool LongLineView::Overshown(LinePart line, std::int32_t focus) const {
  const OvershowProbes probes = OvershowProbesFor(line, focus);
  return (probes.before >= 0 && !IsHidden(probes.before)) || (probes.after >= 0 && !IsHidden(probes.after));
}

void LongLineView::Show(LinePart line, std::int32_t focus) {
  const LinePart shown = WholeCharacters(*box_, line, ShownPart(line, focus));
  Send(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(line.start), 0);
  Send(Sci::SCI_SETSTYLING, static_cast<unsigned long>(shown.start - line.start), kHiddenStyle);
  Send(Sci::SCI_SETSTYLING, static_cast<unsigned long>(shown.length()), kShownStyle);
  Send(Sci::SCI_SETSTYLING, static_cast<unsigned long>(line.end - shown.end), kHiddenStyle);
  WrapLineNow(*box_, line.start);
}

void LongLineView::AfterReplacement(std::int32_t start, std::int32_t length, std::int32_t caret) {
  MarkStyled();
  const std::int32_t end = start + length;
  std::int32_t at = LineOf(*box_, start).start;
  // Each line the replacement touched, up to the one holding its end.
  while (true) {
    const LinePart line = LineOf(*box_, at);
    const bool caretHere = caret >= line.start && caret <= line.end;
    const std::int32_t focus = caretHere ? caret : std::clamp(end, line.start, line.end);
    if (NeedsShowing(line, focus) || Overshown(line, focus)) Show(line, focus);
    if (line.end >= end) break;
    const long next = Send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(line.end)) + 1;
    at = static_cast<std::int32_t>(Send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(next)));
    if (at <= line.end) break;
  }
}

void LongLineView::OnUpdate(int updated) {
  if (following_) return;
  following_ = true;
  if ((updated & Sci::SC_UPDATE_SELECTION) != 0) FollowCaret();
  if ((updated & Sci::SC_UPDATE_V_SCROLL) != 0) FollowViewTop();
  following_ = false;
}

void LongLineView::FollowCaret() {
  const auto caret = static_cast<std::int32_t>(Send(Sci::SCI_GETCURRENTPOS));
  const LinePart line = LineOf(*box_, caret);
  if (!NeedsShowing(line, caret)) return;
  Show(line, caret);
  Send(Sci::SCI_SCROLLCARET);
}

void LongLineView::FollowViewTop() {
  const auto top = static_cast<std::int32_t>(Send(Sci::SCI_POSITIONFROMPOINT, 0, 0));
  const LinePart line = LineOf(*box_, top);
  if (!NeedsShowing(line, top)) return;
  Show(line, top);
  // The same byte stays at the top: its display line within the line, anew.
  const long docLine = Send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(top));
  const long height = std::max(1L, Send(Sci::SCI_TEXTHEIGHT, static_cast<unsigned long>(docLine)));
  const long below = (Send(Sci::SCI_POINTYFROMPOSITION, 0, top) -
                      Send(Sci::SCI_POINTYFROMPOSITION, 0, line.start)) / height;
  Send(Sci::SCI_SETFIRSTVISIBLELINE,
       static_cast<unsigned long>(Send(Sci::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(docLine)) + below));
}

}  // namespace plinvaro::qt
