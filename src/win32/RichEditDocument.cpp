// The Rich Edit 1.0 realisation of RichDocument, with the guards that keep it exact under Wine's text object model.
#include "win32/RichEditDocument.h"

#include <ole2.h>
#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include <algorithm>
#include <cstring>

#include "win32/Wine.h"

namespace plinvaro::win32 {
namespace {

// {8CC497C0-A1DF-11CE-8098-00AA0047BE5D}
constexpr IID kTextDocumentIid = {
    0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

// The largest text a box accepts, in characters: far above any composition.
constexpr LPARAM kTextLimit = 0x7FFFFFFE;

// The longest word Wine's box may wrap, in characters. It wraps a word by
// shaping and measuring what is left of it again for every line it fills, so a
// word's cost grows with its square: 32,000 letters take seconds, 20 MB never end.
constexpr std::size_t kLongestWrappedWord = 4096;

// The 8-bit character format of Rich Edit 1.0 is 60 bytes.
static_assert(sizeof(CHARFORMATA) == 60, "CHARFORMATA must be the 60-byte Rich Edit 1.0 layout");

// Whether `text` holds more than kLongestWrappedWord characters without a place to break a line.
bool HoldsUnwrappableWord(const std::u16string& text) {
  std::size_t stretch = 0;
  for (const char16_t unit : text) {
    const bool breaks = unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
    stretch = breaks ? 0 : stretch + 1;
    if (stretch > kLongestWrappedWord) return true;
  }
  return false;
}

template <typename T>
void ReleaseInterface(T*& p) {
  if (p != nullptr) p->Release();
  p = nullptr;
}

}  // namespace

RichEditDocument::~RichEditDocument() {
  ReleaseInterface(range_);
  ReleaseInterface(textDocument_);
  ReleaseInterface(richEditOle_);
}

void RichEditDocument::Attach(HWND control) {
  control_ = control;
  // Rich Edit 1.0 stops at 32,767 characters unless told otherwise, silently.
  ::SendMessageA(control_, EM_EXLIMITTEXT, 0, kTextLimit);
  ::SendMessageA(control_, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&richEditOle_));
  if (richEditOle_ == nullptr) return;
  richEditOle_->QueryInterface(kTextDocumentIid, reinterpret_cast<void**>(&textDocument_));
  if (textDocument_ == nullptr) return;
  textDocument_->Range(0, 0, &range_);
}

std::int32_t RichEditDocument::Length() const {
  GETTEXTLENGTHEX query{};
  query.flags = GTL_NUMCHARS;
  query.codepage = CP_ACP;
  const LRESULT n =
      ::SendMessageA(control_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0);
  return n > 0 ? static_cast<std::int32_t>(n) : 0;
}

TextSelection RichEditDocument::GetSelection() const {
  CHARRANGE range{};
  ::SendMessageA(control_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  // The box may report its final paragraph mark as part of the text: clamp to Length.
  const std::int32_t length = Length();
  TextSelection selection;
  selection.start = std::clamp<std::int32_t>(std::min(range.cpMin, range.cpMax), 0, length);
  selection.end = std::clamp<std::int32_t>(std::max(range.cpMin, range.cpMax), 0, length);
  return selection;
}

void RichEditDocument::SendSelection(std::int32_t start, std::int32_t end) {
  CHARRANGE range{start, end};
  ::SendMessageA(control_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void RichEditDocument::DoSetSelection(std::int32_t start, std::int32_t end) {
  SendSelection(start, end);
}

bool RichEditDocument::AimRange(std::int32_t start, std::int32_t end) const {
  if (range_ == nullptr) return false;
  // Start first: a start past the old end moves the end along.
  return SUCCEEDED(range_->SetStart(start)) && SUCCEEDED(range_->SetEnd(end));
}

std::u16string RichEditDocument::DoGetRangeText(std::int32_t start, std::int32_t end) const {
  if (start == end || !AimRange(start, end)) return {};
  BSTR text = nullptr;
  if (FAILED(range_->GetText(&text)) || text == nullptr) return {};
  const std::size_t wanted = static_cast<std::size_t>(end - start);
  const std::size_t got = std::min<std::size_t>(::SysStringLen(text), wanted);
  std::u16string result(reinterpret_cast<const char16_t*>(text), got);
  ::SysFreeString(text);
  return result;
}

bool RichEditDocument::DoReplaceRange(std::int32_t start, std::int32_t end,
                                      const std::u16string& text) {
  if (range_ == nullptr) return false;
  // Some text object models also delete between the range and the selection's
  // anchor, or lose their place, unless the caret stands at the range's start.
  // A caret already there is left alone: Wine finds a position by walking the
  // paragraphs from the top, so each needless move costs time on a long text.
  CHARRANGE now{};
  ::SendMessageA(control_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
  if (now.cpMin != start || now.cpMax != start) SendSelection(start, start);
  if (!AimRange(start, end)) return false;
  if (wrapsLines_ && RunsUnderWine() && HoldsUnwrappableWord(text)) SetLineWrap(false);
  BSTR replacement = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                         static_cast<UINT>(text.size()));
  range_->SetText(replacement);
  // Lay the new text out before the caret moves: some controls assert on unwrapped paragraphs.
  if (RunsUnderWine()) RewrapText();
  ::SysFreeString(replacement);
  return true;
}

void RichEditDocument::SetLineWrap(bool wrap) {
  // Target device 0: line width 0 wraps at the box's edge, 1 keeps each line whole.
  ::SendMessageA(control_, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
  wrapsLines_ = wrap;
}

// Wine's box needs helps real Windows does not: its text model leaves a changed
// paragraph unwrapped (the next caret move asserts), its text keeps its own
// character format when the default one changes, and it cannot wrap a giant word.
void RichEditDocument::RewrapText() {
  // A paragraph format that changes nothing lays out the paragraphs waiting for
  // it, the ones the replacement touched, and leaves the rest as they were.
  PARAFORMAT format{};
  format.cbSize = sizeof format;
  format.dwMask = 0;
  ::SendMessageA(control_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

void RichEditDocument::ScrollCaret() { ::SendMessageA(control_, EM_SCROLLCARET, 0, 0); }

void RichEditDocument::ScrollToTop() { ::SendMessageA(control_, WM_VSCROLL, SB_TOP, 0); }

void RichEditDocument::ScrollToBottom() { ::SendMessageA(control_, WM_VSCROLL, SB_BOTTOM, 0); }

void RichEditDocument::Clear() {
  ::SetWindowTextA(control_, nullptr);
  if (!wrapsLines_) SetLineWrap(true);
}

void RichEditDocument::Focus() { ::SetFocus(control_); }

bool RichEditDocument::CanPaste() const {
  return ::SendMessageA(control_, EM_CANPASTE, 0, 0) != 0;
}

void RichEditDocument::Copy() { ::SendMessageA(control_, WM_COPY, 0, 0); }

void RichEditDocument::Cut() { ::SendMessageA(control_, WM_CUT, 0, 0); }

void RichEditDocument::Paste() { ::SendMessageA(control_, WM_PASTE, 0, 0); }

void RichEditDocument::SetDefaultFont(const std::string& face, std::int32_t twips) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  ::SendMessageA(control_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  format.cbSize = sizeof format;
  format.dwMask = CFM_SIZE | CFM_FACE;
  format.yHeight = twips;
  std::memset(format.szFaceName, 0, sizeof format.szFaceName);
  face.copy(format.szFaceName, sizeof format.szFaceName - 1);
  ::SendMessageA(control_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  // Wine's box gives its text, down to the final paragraph mark, its own copy of
  // the format WM_SETFONT set; the default no longer reaches it, and new text
  // takes the format of the text it joins. The same face and size on all text
  // make the default the one shown, for the text there and for text to come.
  if (RunsUnderWine())
    ::SendMessageA(control_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

}  // namespace plinvaro::win32
