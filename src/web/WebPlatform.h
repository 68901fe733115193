// The panel's controls, timer, dialogs and message boxes realised by the page's JavaScript.
//
// Each part calls a method of the page object given at construction
// (src/web/page/face.js names them); the page holds the widgets' state and the
// parts read it back from there, as the desktop faces read their widgets.
// Paths are the names of the in-memory file system the page fills.
#pragma once

#include <emscripten/val.h>

#include <functional>
#include <optional>
#include <string>

#include "panel/Platform.h"

namespace plinvaro::web {

class WebControls : public PanelControls {
 public:
  explicit WebControls(emscripten::val page) : page_(std::move(page)) {}
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
  emscripten::val page_;
};

// setInterval in the page; each period the page calls the face's tick.
class WebTimer : public PlaybackTimer {
 public:
  explicit WebTimer(emscripten::val page) : page_(std::move(page)) {}
  std::uint32_t Start(std::uint32_t timerId, std::int32_t periodMs) override;
  void Kill(std::uint32_t timerId) override;

 private:
  emscripten::val page_;
};

// A page cannot wait for a chooser: opening and browsing ask the page to show
// its file inputs, whose choice arrives later as its own call, and give
// nothing now. Saving writes to the in-memory file the page names, which the
// page then hands to the browser (a save picker or a download).
class WebDialogs : public FileDialogs {
 public:
  explicit WebDialogs(emscripten::val page) : page_(std::move(page)) {}
  // The name the next ChooseFileToSave offers the page (a file name, no folder).
  void OfferName(std::string name) { offeredName_ = std::move(name); }
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters) override;
  std::optional<std::string> ChooseFileToSave(const std::vector<FileFilter>& filters) override;
  std::optional<std::string> BrowseForFolder(const std::string& title) override;
  // The path the last ChooseFileToSave gave, then forgotten.
  std::optional<std::string> TakeSaveTarget();

 private:
  emscripten::val page_;
  std::string offeredName_;
  std::optional<std::string> saveTarget_;
};

// A box of the page with the text and an OK button; the command goes on at once.
class WebMessages : public MessageBoxes {
 public:
  explicit WebMessages(emscripten::val page) : page_(std::move(page)) {}
  void ShowMessage(const std::string& text, const std::string& caption) override;

 private:
  emscripten::val page_;
};

}  // namespace plinvaro::web
