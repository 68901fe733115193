// The panel: a ZekWindowClass child covering the main window, its nineteen controls, and the MainPanel behind them.
//
// PanelWindow owns the two documents, the platform adapters and the
// MainPanel; the windows themselves belong to the main window and go with it.
// One PanelWindow per process. Sizes are pixels.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "window/ControlTable.h"
#include "panel/MainPanel.h"
#include "win32/PlatformAdapters.h"
#include "win32/RichEditDocument.h"

namespace plinvaro::win32 {

// The background of both window classes: a solid brush in the menu bar's system colour.
HBRUSH ClassBackgroundBrush();

class PanelWindow {
 public:
  // Builds the panel and every control inside `mainWindow`, then the MainPanel,
  // and lays everything out.
  explicit PanelWindow(HWND mainWindow);
  PanelWindow(const PanelWindow&) = delete;
  PanelWindow& operator=(const PanelWindow&) = delete;

  // Places the panel over the main window's client area and the controls where Relayout says.
  void Relayout();

  MainPanel& panel() { return *panel_; }
  HWND Window(ControlId id) const { return windows_[static_cast<std::size_t>(id)]; }
  RichEditDocument& sourceBox() { return sourceBox_; }
  RichEditDocument& previewBox() { return previewBox_; }
  const TopRowMetrics& topRow() const { return topRow_; }

 private:
  static void RegisterPanelClass();
  static LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void HandlePanelMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls(HWND mainWindow);
  HWND CreateControl(const ControlSpec& row, HWND parent);
  TextExtent Measure(std::string_view text) const;
  Size OuterSize(ControlId id) const;

  std::array<HWND, kControlCount> windows_{};
  PanelHandles handles_;
  TopRowMetrics topRow_;
  HFONT guiFont_ = nullptr;
  RichEditDocument sourceBox_;
  RichEditDocument previewBox_;
  Win32Controls controls_{handles_};
  Win32Timer timer_{handles_};
  Win32Dialogs dialogs_{handles_};
  Win32Messages messages_{handles_};
  CRandom random_;
  std::unique_ptr<MainPanel> panel_;
};

}  // namespace plinvaro::win32
