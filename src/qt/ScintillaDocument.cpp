// ScintillaDocument: byte-exact reads and replacements through Scintilla's target and selection messages.
#include "qt/ScintillaDocument.h"

#include <Qsci/qsciscintilla.h>
#include <langinfo.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QMimeData>
#include <QEvent>
#include <QKeyEvent>
#include <algorithm>
#include <cstring>
#include <vector>

#include "qt/BoxLines.h"
#include "qt/InputBox.h"
#include "text/AnsiConversion.h"

namespace plinvaro::qt {
namespace {

using Sci = QsciScintillaBase;

constexpr int kTwipsPerPoint = 20;
constexpr int kFractionalPerPoint = 100;  // SCI_STYLESETSIZEFRACTIONAL's unit: 1/100 point
constexpr int kMarginCount = 5;
// Replacements longer than this may wrap into many display lines at once; a
// playback word is shorter, and setting the scroll bars each tick costs time.
constexpr std::size_t kRescrollBytes = 1024;

// A rich-text box types nothing for Ctrl+digit; Scintilla would insert the digit.
class CtrlDigitSwallower : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool ctrlOnly = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) ==
                          Qt::ControlModifier;
    return ctrlOnly && key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9;
  }
};

// QScintilla's own accessible counts the characters from the start of the text
// to the caret after every change, so each repaint of a long text costs time in
// proportion to its length. Without an assistive technology running, the boxes
// get a plain widget accessible instead.
QAccessibleInterface* PlainBoxAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String("QsciScintilla") || !object->isWidgetType()) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
}

// Factories installed later are asked first, so this one goes in after QScintilla's.
void PreferPlainAccessible() {
  static bool installed = false;
  if (installed || QAccessible::isActive()) return;
  QAccessible::installFactory(PlainBoxAccessible);
  installed = true;
}

int ColourValue(Rgb colour) {
  return colour.red | (colour.green << 8) | (colour.blue << 16);  // Scintilla's 0xBBGGRR
}

}  // namespace

DisplayCodePage DisplayCodePageFromLocale() {
  const char* codeset = nl_langinfo(CODESET);
  const bool utf8 = codeset != nullptr &&
                    (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
  return utf8 ? DisplayCodePage::Utf8 : DisplayCodePage::Latin1;
}

ScintillaDocument::ScintillaDocument(QWidget* parent, DisplayCodePage codePage)
    : box_(new InputBox(parent)), longLines_(box_) {
  // Notifications of every change make chunked inserts quadratic; nothing here reads them.
  Send(Sci::SCI_SETMODEVENTMASK, 0);
  Send(Sci::SCI_SETCODEPAGE, codePage == DisplayCodePage::Utf8 ? Sci::SC_CP_UTF8 : 0);
  Send(Sci::SCI_SETWRAPMODE, Sci::SC_WRAP_WORD);
  // The lines on screen keep their layout, so a repaint after a tick or a
  // one-line scroll measures only the lines that changed.
  Send(Sci::SCI_SETLAYOUTCACHE, Sci::SC_CACHE_PAGE);
  // A steady caret: each blink repaints the caret's line, and Scintilla checks
  // a cached line's layout against every byte of the line, so a blinking caret
  // on a line of megabytes keeps a core busy while nothing happens.
  Send(Sci::SCI_SETCARETPERIOD, 0);
  Send(Sci::SCI_SETHSCROLLBAR, 0);
  // A scroll bar that came and went would change the wrap width, and every
  // line would be wrapped anew when the text first outgrows the box.
  box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Send(Sci::SCI_SETPASTECONVERTENDINGS, 0);
  for (int margin = 0; margin < kMarginCount; ++margin) Send(Sci::SCI_SETMARGINWIDTHN, margin, 0);
  box_->installEventFilter(new CtrlDigitSwallower(box_));
  PreferPlainAccessible();
}

long ScintillaDocument::Send(unsigned int message, unsigned long wParam, long lParam) const {
  return box_->SendScintilla(message, wParam, lParam);
}

std::int32_t ScintillaDocument::Length() const {
  return static_cast<std::int32_t>(Send(Sci::SCI_GETLENGTH));
}

TextSelection ScintillaDocument::GetSelection() const {
  return {static_cast<std::int32_t>(Send(Sci::SCI_GETSELECTIONSTART)),
          static_cast<std::int32_t>(Send(Sci::SCI_GETSELECTIONEND))};
}

void ScintillaDocument::DoSetSelection(std::int32_t start, std::int32_t end) {
  Send(Sci::SCI_SETSEL, static_cast<unsigned long>(start), end);
}

std::u16string ScintillaDocument::DoGetRangeText(std::int32_t start, std::int32_t end) const {
  const std::string bytes = DoGetRangeBytes(start, end);
  return AnsiToWide(reinterpret_cast<const unsigned char*>(bytes.data()), end - start);
}

std::string ScintillaDocument::DoGetRangeBytes(std::int32_t start, std::int32_t end) const {
  return RangeBytes(*box_, start, end);
}

bool ScintillaDocument::DoReplaceRange(std::int32_t start, std::int32_t end,
                                       const std::u16string& text) {
  return DoReplaceRangeBytes(start, end, WideToAnsi(text, static_cast<std::int32_t>(text.size())));
}

bool ScintillaDocument::DoReplaceRangeBytes(std::int32_t start, std::int32_t end,
                                            std::string_view bytes) {
  // This change reaches the document's listener directly; a notification would
  // cost time in proportion to the text's length (the box's accessibility event).
  const long notified = Send(Sci::SCI_GETMODEVENTMASK);
  if (notified != 0) Send(Sci::SCI_SETMODEVENTMASK, 0);
  Send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(start), end);
  box_->SendScintilla(Sci::SCI_REPLACETARGET, bytes.size(), bytes.data());
  longLines_.AfterReplacement(start, static_cast<std::int32_t>(bytes.size()), caretAfterReplace());
  if (notified != 0) Send(Sci::SCI_SETMODEVENTMASK, static_cast<unsigned long>(notified));
  if (bytes.size() > kRescrollBytes) RefreshScrollRange(start + static_cast<std::int32_t>(bytes.size()));
  return true;
}

bool ScintillaDocument::DoHoldsBytesAt(std::int32_t start, std::string_view bytes) const {
  if (bytes.empty()) return true;
  // The box's own bytes, read in place.
  const auto* held = reinterpret_cast<const char*>(box_->SendScintilla(
      Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), static_cast<long>(bytes.size())));
  return held != nullptr && std::memcmp(held, bytes.data(), bytes.size()) == 0;
}

void ScintillaDocument::RefreshScrollRange(std::int32_t changedAt) {
  WrapLineNow(*box_, changedAt);
  // A replacement that wraps into many display lines at once (a long word)
  // leaves the scroll bar's range as it was, and the text wrapped for a width
  // without the bar. Any change of "end at last line" makes Scintilla set its
  // scroll bars again, and the text is wrapped anew if the bar appears.
  Send(Sci::SCI_SETENDATLASTLINE, 0);
  Send(Sci::SCI_SETENDATLASTLINE, 1);
}

SelectionEnds ScintillaDocument::DoGetSelectionEnds() const {
  return {static_cast<std::int32_t>(Send(Sci::SCI_GETANCHOR)),
          static_cast<std::int32_t>(Send(Sci::SCI_GETCURRENTPOS))};
}

void ScintillaDocument::DoSetSelectionEnds(SelectionEnds ends) {
  // Scintilla stretches a selection whose end meets the insertion; hold the bounds exactly.
  Send(Sci::SCI_SETSELECTION, static_cast<unsigned long>(ends.caret), ends.anchor);
}

void ScintillaDocument::ScrollCaret() { Send(Sci::SCI_SCROLLCARET); }

void ScintillaDocument::ScrollToTop() { Send(Sci::SCI_SETFIRSTVISIBLELINE, 0); }

void ScintillaDocument::ScrollToBottom() {
  // Scintilla clamps the first visible line so that the last line ends the view.
  const long lines = Send(Sci::SCI_GETLINECOUNT);
  Send(Sci::SCI_SETFIRSTVISIBLELINE, static_cast<unsigned long>(
                                         Send(Sci::SCI_VISIBLEFROMDOCLINE,
                                              static_cast<unsigned long>(lines))));
}

void ScintillaDocument::Clear() { Send(Sci::SCI_CLEARALL); }

void ScintillaDocument::Focus() { box_->setFocus(Qt::OtherFocusReason); }

bool ScintillaDocument::CanPaste() const {
  // Scintilla only asks whether the box is writable; the clipboard must hold text too.
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && data->hasText() && Send(Sci::SCI_CANPASTE) != 0;
}

void ScintillaDocument::Copy() { Send(Sci::SCI_COPY); }

void ScintillaDocument::Cut() { box_->cut(); }

void ScintillaDocument::Paste() { box_->paste(); }

void ScintillaDocument::SetDefaultFont(const std::string& face, std::int32_t twips) {
  box_->SendScintilla(Sci::SCI_STYLESETFONT, static_cast<uintptr_t>(Sci::STYLE_DEFAULT),
                      face.c_str());
  Send(Sci::SCI_STYLESETSIZEFRACTIONAL, Sci::STYLE_DEFAULT,
       static_cast<long>(twips) * kFractionalPerPoint / kTwipsPerPoint);
  Send(Sci::SCI_STYLECLEARALL);
  longLines_.ReapplyHiddenStyle();
}

void ScintillaDocument::SetBackground(Rgb colour) {
  // Every relayout sets it; resetting the styles would lay out every line anew.
  const auto unchanged = [this, value = ColourValue(colour)](int style) {
    return Send(Sci::SCI_STYLEGETBACK, static_cast<unsigned long>(style)) == value;
  };
  if (unchanged(Sci::STYLE_DEFAULT) && unchanged(0)) return;
  Send(Sci::SCI_STYLESETBACK, Sci::STYLE_DEFAULT, ColourValue(colour));
  Send(Sci::SCI_STYLECLEARALL);
  longLines_.ReapplyHiddenStyle();
}

std::string ScintillaDocument::Bytes() const { return DoGetRangeBytes(0, Length()); }

std::string ScintillaDocument::FontFace() const {
  std::vector<char> name(static_cast<std::size_t>(
                             box_->SendScintilla(Sci::SCI_STYLEGETFONT, Sci::STYLE_DEFAULT, 0L)) +
                         1);
  box_->SendScintilla(Sci::SCI_STYLEGETFONT, static_cast<unsigned long>(Sci::STYLE_DEFAULT),
                      static_cast<void*>(name.data()));
  return std::string(name.data());
}

std::int32_t ScintillaDocument::FontTwips() const {
  return static_cast<std::int32_t>(Send(Sci::SCI_STYLEGETSIZEFRACTIONAL, Sci::STYLE_DEFAULT) *
                                   kTwipsPerPoint / kFractionalPerPoint);
}

Rgb ScintillaDocument::Background() const {
  const long value = Send(Sci::SCI_STYLEGETBACK, 0);
  return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
          static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

}  // namespace plinvaro::qt
