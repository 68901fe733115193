// Win32 realisations of the controller's platform: controls, timer, dialogs, message boxes, random numbers.
#include "win32/PlatformAdapters.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstddef>
#include <cstdlib>
#include <vector>

namespace plinvaro::win32 {
namespace {

// OPENFILENAMEA without the three fields that Windows 2000 added: 76 bytes in a 32-bit program.
constexpr DWORD kOpenFileNameSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 4 || kOpenFileNameSize == 76);

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  const int got = ::GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

// "label\0pattern\0label\0pattern\0\0", as the file dialogs read it.
std::string FilterList(const std::vector<FileFilter>& filters) {
  std::string list;
  for (const FileFilter& f : filters) {
    list += f.label;
    list += '\0';
    list += f.pattern;
    list += '\0';
  }
  list += '\0';
  return list;
}

}  // namespace

HWND Win32Controls::ButtonOf(PartButton button) const {
  switch (button) {
    case PartButton::Prev: return h_.prevButton;
    case PartButton::Next: return h_.nextButton;
    case PartButton::Accept: return h_.acceptButton;
    case PartButton::More: return h_.moreButton;
  }
  return nullptr;
}

void Win32Controls::EnablePartButton(PartButton button, bool enabled) {
  ::EnableWindow(ButtonOf(button), enabled ? TRUE : FALSE);
}

bool Win32Controls::IsPartButtonEnabled(PartButton button) const {
  return ::IsWindowEnabled(ButtonOf(button)) != 0;
}

bool Win32Controls::IsOnTheFlyChecked() const {
  return ::SendMessageA(h_.onTheFlyCheck, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Controls::SetOnTheFlyChecked(bool checked) {
  ::SendMessageA(h_.onTheFlyCheck, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::int32_t Win32Controls::TrackbarPosition() const {
  return static_cast<std::int32_t>(::SendMessageA(h_.speedTrackbar, TBM_GETPOS, 0, 0));
}

void Win32Controls::SetTrackbarPosition(std::int32_t position) {
  ::SendMessageA(h_.speedTrackbar, TBM_SETPOS, TRUE, position);
}

bool Win32Controls::DirectoryHasFocus() const { return ::GetFocus() == h_.dirEdit; }

std::string Win32Controls::DirectoryText() const { return WindowText(h_.dirEdit); }

void Win32Controls::SetDirectoryText(const std::string& text) {
  ::SetWindowTextA(h_.dirEdit, text.c_str());
}

void Win32Controls::SetTitle(const std::string& title) {
  ::SetWindowTextA(h_.mainWindow, title.c_str());
}

void Win32Controls::SelectFontSize(int index) {
  ::SendMessageA(h_.fontSizeCombo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Win32Controls::SelectedFontSizeText() const {
  const LRESULT index = ::SendMessageA(h_.fontSizeCombo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return {};
  const LRESULT length = ::SendMessageA(h_.fontSizeCombo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR || length < 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  ::SendMessageA(h_.fontSizeCombo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
  return std::string(buffer.data());
}

std::uint32_t Win32Timer::Start(std::uint32_t timerId, std::int32_t periodMs) {
  const UINT period = periodMs > 0 ? static_cast<UINT>(periodMs) : USER_TIMER_MINIMUM;
  return static_cast<std::uint32_t>(::SetTimer(h_.panel, timerId, period, nullptr));
}

void Win32Timer::Kill(std::uint32_t timerId) { ::KillTimer(h_.panel, timerId); }

std::optional<std::string> Win32Dialogs::RunFileDialog(const std::vector<FileFilter>& filters,
                                                        bool save) {
  const std::string filterList = FilterList(filters);
  char path[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = kOpenFileNameSize;
  dialog.hwndOwner = h_.mainWindow;
  dialog.hInstance = ::GetModuleHandleA(nullptr);
  dialog.lpstrFilter = filterList.c_str();
  dialog.nFilterIndex = 0;
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = save ? OFN_HIDEREADONLY : OFN_FILEMUSTEXIST;
  const BOOL chosen = save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
  if (!chosen) return std::nullopt;
  return std::string(path);
}

std::optional<std::string> Win32Dialogs::ChooseFileToOpen(const std::vector<FileFilter>& filters) {
  return RunFileDialog(filters, false);
}

std::optional<std::string> Win32Dialogs::ChooseFileToSave(const std::vector<FileFilter>& filters) {
  return RunFileDialog(filters, true);
}

std::optional<std::string> Win32Dialogs::BrowseForFolder(const std::string& title) {
  char displayName[MAX_PATH] = {};
  BROWSEINFOA browse{};
  browse.hwndOwner = h_.panel;
  browse.pszDisplayName = displayName;
  browse.lpszTitle = title.c_str();
  PIDLIST_ABSOLUTE folder = ::SHBrowseForFolderA(&browse);
  if (folder == nullptr) return std::nullopt;
  char path[MAX_PATH] = {};
  const BOOL converted = ::SHGetPathFromIDListA(folder, path);
  ::CoTaskMemFree(folder);
  // A folder without a file-system path (such as the printers) names no directory to search.
  if (!converted) return std::nullopt;
  return std::string(path);
}

void Win32Messages::ShowMessage(const std::string& text, const std::string& caption) {
  ::MessageBoxA(h_.mainWindow, text.c_str(), caption.c_str(), MB_OK);
}

void CRandom::Seed(std::uint32_t seed) { std::srand(seed); }

std::int32_t CRandom::Next() { return std::rand() & 0x7FFF; }

}  // namespace plinvaro::win32
