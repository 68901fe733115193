// The small interfaces through which a face (desktop, headless) serves the controller.
//
// No toolkit type crosses them. Strings are 8-bit paths and texts; positions in
// documents are UTF-16 units (see text/RichDocument.h). The face owns every
// object named here; MainPanel holds references and must not outlive them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/RichDocument.h"
#include "window/Command.h"

namespace plinvaro {

// The four buttons of the preview: "<<", ">>", "Accept", "\/".
enum class PartButton { Prev, Next, Accept, More };

// The panel's controls as far as the commands read or change them.
class PanelControls {
 public:
  virtual ~PanelControls() = default;
  virtual void EnablePartButton(PartButton button, bool enabled) = 0;
  virtual bool IsPartButtonEnabled(PartButton button) const = 0;
  // The "On The Fly Mode" check box.
  virtual bool IsOnTheFlyChecked() const = 0;
  virtual void SetOnTheFlyChecked(bool checked) = 0;
  // The speed trackbar, 0 (slowest, top) to 100 (fastest); setting redraws it.
  virtual std::int32_t TrackbarPosition() const = 0;
  virtual void SetTrackbarPosition(std::int32_t position) = 0;
  // The base directory edit box.
  virtual std::string DirectoryText() const = 0;
  virtual void SetDirectoryText(const std::string& text) = 0;
  // Whether the directory box holds the keyboard focus now.
  virtual bool DirectoryHasFocus() const = 0;
  // The main window's title.
  virtual void SetTitle(const std::string& title) = 0;
  // The "Font size" list: selects item `index` (0-based) and reads the selected item's text.
  virtual void SelectFontSize(int index) = 0;
  virtual std::string SelectedFontSizeText() const = 0;
};

// The periodic playback timer. Each period the face calls MainPanel::PlaybackTick
// from its event loop, never inside another command's steps.
class PlaybackTimer {
 public:
  virtual ~PlaybackTimer() = default;
  // Starts (or restarts) timer `timerId` with a period in milliseconds; a
  // non-zero handle on success, 0 on failure.
  virtual std::uint32_t Start(std::uint32_t timerId, std::int32_t periodMs) = 0;
  // Stops timer `timerId`; no tick follows.
  virtual void Kill(std::uint32_t timerId) = 0;
};

struct FileFilter {
  std::string label;    // e.g. "Text Files (*.txt)"
  std::string pattern;  // e.g. "*.txt"
};

// Modal choosers; each gives a path, or nothing when the user cancelled.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Only existing files may be chosen; the first filter is selected.
  virtual std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters) = 0;
  // No overwrite question and no default extension: a typed name is used as is.
  virtual std::optional<std::string> ChooseFileToSave(const std::vector<FileFilter>& filters) = 0;
  virtual std::optional<std::string> BrowseForFolder(const std::string& title) = 0;
};

// Modal message box with an OK button and no icon, owned by the main window;
// the text is shown as plain text. Save errors and the Help items use it alike.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

// Pseudo-random numbers for picking a found part.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Called once, by the panel's constructor, with the clock in seconds.
  virtual void Seed(std::uint32_t seed) = 0;
  // A value from 0 to 32767.
  virtual std::int32_t Next() = 0;
};

// The main window as the menu commands need it; realised by a desktop face.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  // Asks the window to close as its close box would; the program then ends.
  virtual void CloseMainWindow() = 0;
  // A face with a Hotkeys box of its own shows it and answers true; on false
  // the controller shows the help text in a message box.
  virtual bool ShowHotkeysBox() { return false; }
  // Flips one of a desktop face's views: Command::ToggleTint, ToggleSources, ToggleFoundParts.
  virtual void ToggleView(Command view) { (void)view; }
};

// Everything a face hands to MainPanel; references, owned by the face.
struct Platform {
  RichDocument& sourceBox;
  RichDocument& previewBox;
  PanelControls& controls;
  PlaybackTimer& timer;
  FileDialogs& dialogs;
  MessageBoxes& messages;
  RandomSource& random;
};

}  // namespace plinvaro
