// The controller's platform over Win32: control states, the panel's timer, file dialogs, message boxes, rand().
//
// Each adapter refers to windows that the panel window owns; the adapters are
// owned by PanelWindow and live as long as it does. Paths are ANSI strings.
#pragma once

#include <windows.h>

#include "panel/Platform.h"

namespace plinvaro::win32 {

// The windows the commands read or change.
struct PanelHandles {
  HWND mainWindow = nullptr;
  HWND panel = nullptr;
  HWND dirEdit = nullptr;
  HWND onTheFlyCheck = nullptr;
  HWND fontSizeCombo = nullptr;
  HWND speedTrackbar = nullptr;
  HWND prevButton = nullptr;
  HWND nextButton = nullptr;
  HWND acceptButton = nullptr;
  HWND moreButton = nullptr;
};

class Win32Controls final : public PanelControls {
 public:
  explicit Win32Controls(const PanelHandles& handles) : h_(handles) {}
  void EnablePartButton(PartButton button, bool enabled) override;
  bool IsPartButtonEnabled(PartButton button) const override;
  bool IsOnTheFlyChecked() const override;
  void SetOnTheFlyChecked(bool checked) override;
  std::int32_t TrackbarPosition() const override;
  void SetTrackbarPosition(std::int32_t position) override;
  std::string DirectoryText() const override;
  void SetDirectoryText(const std::string& text) override;
  bool DirectoryHasFocus() const override;
  void SetTitle(const std::string& title) override;
  void SelectFontSize(int index) override;
  std::string SelectedFontSizeText() const override;

 private:
  HWND ButtonOf(PartButton button) const;
  const PanelHandles& h_;
};

// A window timer of the panel: each period arrives as WM_TIMER.
class Win32Timer final : public PlaybackTimer {
 public:
  explicit Win32Timer(const PanelHandles& handles) : h_(handles) {}
  std::uint32_t Start(std::uint32_t timerId, std::int32_t periodMs) override;
  void Kill(std::uint32_t timerId) override;

 private:
  const PanelHandles& h_;
};

class Win32Dialogs final : public FileDialogs {
 public:
  explicit Win32Dialogs(const PanelHandles& handles) : h_(handles) {}
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters) override;
  std::optional<std::string> ChooseFileToSave(const std::vector<FileFilter>& filters) override;
  std::optional<std::string> BrowseForFolder(const std::string& title) override;

 private:
  std::optional<std::string> RunFileDialog(const std::vector<FileFilter>& filters, bool save);
  const PanelHandles& h_;
};

// MessageBoxA with MB_OK, owned by the main window.
class Win32Messages final : public MessageBoxes {
 public:
  explicit Win32Messages(const PanelHandles& handles) : h_(handles) {}
  void ShowMessage(const std::string& text, const std::string& caption) override;

 private:
  const PanelHandles& h_;
};

// The C library's generator, seeded with the clock as the controller asks.
class CRandom final : public RandomSource {
 public:
  void Seed(std::uint32_t seed) override;
  std::int32_t Next() override;
};

}  // namespace plinvaro::win32
