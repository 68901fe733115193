// Creating the panel's windows from the control table, laying them out and routing their messages to MainPanel.
#include "win32/PanelWindow.h"

#include <commctrl.h>
#include <ole2.h>
#include <richedit.h>

#include <optional>
#include <string>

#include "window/FontSizes.h"
#include "window/MainWindowGeometry.h"
#include "window/Relayout.h"
#include "panel/SpeedSlider.h"
#include "window/WindowStyles.h"

namespace plinvaro::win32 {
namespace {

constexpr const char* kRichEditLibrary = "riched32.dll";

// The model's style words are the Win32 headers' bits.
static_assert(style::kWsChild == WS_CHILD && style::kWsVisible == WS_VISIBLE);
static_assert(style::kWsBorder == WS_BORDER && style::kWsVScroll == WS_VSCROLL &&
              style::kWsHScroll == WS_HSCROLL);
static_assert(style::kWsOverlappedWindow == WS_OVERLAPPEDWINDOW);
static_assert(style::kSsSimple == SS_SIMPLE);
static_assert(style::kEsMultiline == ES_MULTILINE && style::kEsAutoVScroll == ES_AUTOVSCROLL &&
              style::kEsAutoHScroll == ES_AUTOHSCROLL && style::kEsNoHideSel == ES_NOHIDESEL &&
              style::kEsSunken == ES_SUNKEN);
static_assert(style::kBsPushButton == BS_PUSHBUTTON && style::kBsAutoCheckBox == BS_AUTOCHECKBOX &&
              style::kBsLeftText == BS_LEFTTEXT);
static_assert(style::kCbsDropDownList == CBS_DROPDOWNLIST);
static_assert(style::kTbsAutoTicks == TBS_AUTOTICKS && style::kTbsVert == TBS_VERT);

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

}  // namespace

HBRUSH ClassBackgroundBrush() {
  static const HBRUSH brush = ::CreateSolidBrush(::GetSysColor(COLOR_MENUBAR));
  return brush;
}

void PanelWindow::RegisterPanelClass() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  ::OleInitialize(nullptr);
  ::InitCommonControls();
  WNDCLASSA panelClass{};
  panelClass.lpfnWndProc = PanelWindowProc;
  panelClass.hInstance = ::GetModuleHandleA(nullptr);
  panelClass.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
  panelClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  panelClass.hbrBackground = ClassBackgroundBrush();
  const std::string name(Control(ControlId::Panel).nativeClass);
  panelClass.lpszClassName = name.c_str();
  ::RegisterClassA(&panelClass);
}

PanelWindow::PanelWindow(HWND mainWindow) {
  handles_.mainWindow = mainWindow;
  guiFont_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  // Loaded for the whole run: it registers the "richedit" class.
  ::LoadLibraryA(kRichEditLibrary);
  RegisterPanelClass();
  CreateControls(mainWindow);
  panel_ = std::make_unique<MainPanel>(
      Platform{sourceBox_, previewBox_, controls_, timer_, dialogs_, messages_, random_});
  // MainPanel sets the trackbar's start position and focuses the source box.
  Relayout();
}

TextExtent PanelWindow::Measure(std::string_view text) const {
  // The window's own DC with no font selected: the measure uses its default font.
  HDC dc = ::GetWindowDC(handles_.panel);
  SIZE size{};
  ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  ::ReleaseDC(handles_.panel, dc);
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

HWND PanelWindow::CreateControl(const ControlSpec& row, HWND parent) {
  const Rect r = CreationRect(row.control, topRow_);
  const std::string windowClass(row.nativeClass);
  const std::string text(row.text);
  HWND window = ::CreateWindowExA(0, windowClass.c_str(), text.empty() ? nullptr : text.c_str(),
                                  row.style, r.x, r.y, r.width, r.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.commandId)),
                                  ::GetModuleHandleA(nullptr), nullptr);
  windows_[static_cast<std::size_t>(row.control)] = window;
  if (row.control == ControlId::Panel) {
    handles_.panel = window;
    // Messages from here on reach this object; 64-bit safe.
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  if (row.guiFont) ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont_), FALSE);
  if (row.initiallyChecked) ::SendMessageA(window, BM_SETCHECK, BST_CHECKED, 0);
  if (!row.initiallyEnabled) ::EnableWindow(window, FALSE);
  return window;
}

void PanelWindow::CreateControls(HWND mainWindow) {
  for (const ControlSpec& row : ControlTable()) {
    // The top row's sizes follow the three texts, measured just before their controls.
    if (row.control == ControlId::DirLabel) {
      topRow_ = MeasureTopRow([this](std::string_view text) { return Measure(text); });
    }
    CreateControl(row, row.control == ControlId::Panel ? mainWindow : handles_.panel);
    switch (row.control) {
      case ControlId::FontSizeCombo:
        for (std::string_view item : FontSizeItems()) {
          const std::string text(item);
          ::SendMessageA(Window(row.control), CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(text.c_str()));
        }
        break;
      case ControlId::SourceBox: sourceBox_.Attach(Window(row.control)); break;
      case ControlId::PreviewBox: previewBox_.Attach(Window(row.control)); break;
      case ControlId::SpeedTrackbar:
        ::SendMessageA(Window(row.control), TBM_SETRANGE, TRUE,
                       MAKELPARAM(kTrackbarMin, kTrackbarMax));
        ::SendMessageA(Window(row.control), TBM_SETTICFREQ, kTrackbarTickFrequency, 0);
        break;
      default: break;
    }
  }
  handles_.dirEdit = Window(ControlId::DirEdit);
  handles_.onTheFlyCheck = Window(ControlId::OnTheFlyCheck);
  handles_.fontSizeCombo = Window(ControlId::FontSizeCombo);
  handles_.speedTrackbar = Window(ControlId::SpeedTrackbar);
  handles_.prevButton = Window(ControlId::PrevButton);
  handles_.nextButton = Window(ControlId::NextButton);
  handles_.acceptButton = Window(ControlId::AcceptButton);
  handles_.moreButton = Window(ControlId::MoreButton);
}

Size PanelWindow::OuterSize(ControlId id) const {
  RECT r{};
  ::GetWindowRect(Window(id), &r);
  return {static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
}

void PanelWindow::Relayout() {
  RECT client{};
  ::GetClientRect(handles_.mainWindow, &client);
  const Size panel{static_cast<int>(client.right - client.left),
                   static_cast<int>(client.bottom - client.top)};
  const auto outerSize = [this](ControlId id) { return OuterSize(id); };
  for (const ControlPlace& place : RelayoutPanel(panel, outerSize)) {
    ::MoveWindow(Window(place.control), place.rect.x, place.rect.y, place.rect.width,
                 place.rect.height, TRUE);
    if (place.control == ControlId::PreviewBox)
      ::SendMessageA(Window(place.control), EM_SETBKGNDCOLOR, 0, ToColorRef(kPreviewBackground));
  }
  // The panel's own repaint erases the whole panel, children included (it has no
  // WS_CLIPCHILDREN), while moved children are not all invalidated: after a relayout
  // the panel and every child are drawn again, or the enlarged right column stays blank.
  ::RedrawWindow(handles_.panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void PanelWindow::HandlePanelMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(NM_RELEASEDCAPTURE))
        HandleSliderEvent(*panel_, SliderEvent::MouseReleased);
      return;
    case WM_TIMER: panel_->PlaybackTick(); return;
    case WM_COMMAND:
      // Only clicks (high word 0) match a button's id as the whole wParam.
      if (const std::optional<Command> command = ButtonCommand(static_cast<int>(wParam));
          command && HIWORD(wParam) == 0)
        panel_->Run(*command);
      if (LOWORD(wParam) == kFontSizeComboId && HIWORD(wParam) == CBN_SELCHANGE)
        panel_->ApplyFontSize();
      return;
    default: return;
  }
}

LRESULT CALLBACK PanelWindow::PanelWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = reinterpret_cast<PanelWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  // The MainPanel exists once the constructor has made it; earlier messages only pass on.
  if (self != nullptr && self->panel_) self->HandlePanelMessage(message, wParam, lParam);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace plinvaro::win32
