// WebFace: the page's controller behind every widget: the platform parts, the two boxes and the one MainPanel.
//
// The page creates one face with its page object and its two text boxes
// (see WebDocument and WebPlatform), then routes every click, key, tick, edit
// and chosen file here. The face owns all it creates; the page's objects are
// held as references to JavaScript values. Paths are in-memory file names.
#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "desktop/SearchGate.h"
#include "panel/MainPanel.h"
#include "panel/SeededRandom.h"
#include "web/WebDocument.h"
#include "web/WebPlatform.h"

namespace plinvaro::web {

class WebFace : private MainWindowHost, private PanelObserver {
 public:
  WebFace(emscripten::val page, emscripten::val sourceBox, emscripten::val previewBox);

  // A control's command (its Windows id); a menu item (menu ids, then
  // kSeamIdBase + the seam item's row in SeamMenuTable).
  bool RunCommand(int commandId);
  bool RunMenuItem(int itemId);
  void Tick();
  // The speed slider moved; a font size was chosen from the list.
  void UpdateSpeed() { panel_->UpdateSpeed(); }
  void ApplyFontSize() { panel_->ApplyFontSize(); }
  // A key press: the portable code (Hotkeys.h) and whether Ctrl is down; true when a hotkey ran.
  bool HandleKey(int keyCode, bool control);
  void OpenBaseFile(const std::string& path);
  const std::string& BaseFilePath() const { return panel_->baseFile(); }
  // Writes the composition to the target the page names; the path written, or "" when nothing was.
  std::string SaveAs();
  std::string ExportSources();
  // Edits the user made in box 0 (the composition) or 1 (the preview), in the box's units.
  void UserReplaced(int box, std::int32_t from, std::int32_t to, emscripten::val units);
  // Every event goes through the search gate (desktop/SearchGate.h): `action`,
  // a JavaScript function that carries the event out, runs now, waits for the
  // running search, or is dropped; Stop cancels the search instead. Each
  // returns the event's fate, a WhileSearching value. A Search started by an
  // action goes to the page's worker (the page's startSearch).
  int RouteCommand(int commandId, emscripten::val action);
  int RouteKey(int keyCode, bool control, emscripten::val action);  // Refused when it is no hotkey
  int RouteMenuItem(int itemId, emscripten::val action);
  // A change of the base file, the directory or a control's value.
  int RouteChange(emscripten::val action);
  bool IsHotkey(int keyCode, bool control) const;
  // The worker's results (WebSearch.h) for the search the page was asked to start.
  void FinishSearch(emscripten::val results);
  // Ends the running search (Esc): nothing changes, what waited is dropped,
  // and the page is told (searchCancelled).
  void CancelSearch();
  bool IsSearching() const { return gate_.searching(); }
  // The running search's status text, counting what waits for it.
  std::string ProgressText(std::int32_t filesDone, std::int32_t filesListed, double bytesDone,
                           double bytesTotal) const;
  // The seam views (WebSeams.cpp); positions are the composition box's units.
  // {revision, spans: Int32Array of start, end, file index, join (1 when the
  // span begins at a join) per span of a file}.
  emscripten::val Seams() const;
  double SeamRevision() const;
  std::string SpanTooltipAt(std::int32_t unit) const;
  bool CanShowSource(std::int32_t unit) const;
  bool ShowSourceAt(std::int32_t unit);
  // SourceRows (desktop/SourceRows.h) of the directory box's folder: [{name,
  // path, bytes, share, weight}], weight null for a file from elsewhere.
  emscripten::val Sources() const;
  // [{matchLength, name, shared, continuation, leftOut}] in list order; the
  // name of a part of a file of weight 0 carries kLeftOutMark.
  emscripten::val FoundParts() const;
  // The steering options (WebSteering.cpp): {matchCase, wanders, wanderWords,
  // wanderText (the item's text, N written out), wordsUntilWander (-1: none)}.
  emscripten::val Options() const;
  void SetMatchCase(bool matchCase) { panel_->SetMatchCase(matchCase); }
  void SetWanders(bool wanders) { panel_->SetWanders(wanders); }
  // False, changing nothing, for N outside kMinWanderWords..kMaxWanderWords
  // (a JavaScript number, so that no fraction or huge value is wrapped into range).
  bool SetWanderWords(double words);
  // The weight `text` spells (ParseWeight) for the file `name` of the
  // directory box's folder; false, changing nothing, when it spells none.
  bool SetSourceWeight(const std::string& name, const std::string& text);
  double WeightsRevision() const { return static_cast<double>(panel_->weights().revision()); }
  // The weights as the settings keep them (desktop/WeightStore.h), and taking
  // such entries back: the number taken, an entry not well formed skipped.
  emscripten::val WeightEntries() const;
  std::int32_t RestoreWeights(emscripten::val entries);
  std::int32_t CurrentPartIndex() { return panel_->CurrentPartIndex(); }
  // Moves on whenever the list of found parts is replaced or emptied.
  double PartsRevision() const { return static_cast<double>(panel_->partsRevision()); }
  void ShowPartAt(std::int32_t index) { panel_->ShowPartAt(index); }
  static std::string ShowSourceText();
  // The status line's texts: playback, speed, preview, run, steering, search, hint.
  emscripten::val Status();
  // The composition's bytes, as saved (a view valid until the next call into the core).
  emscripten::val SourceBytes();
  bool HasUnsavedText() { return panel_->HasUnsavedText(); }
  // Puts a recovered composition (a Uint8Array) in place of the source box's text.
  void RestoreSourceText(emscripten::val bytes);

 private:
  void CloseMainWindow() override;
  // The Search command's start: prepares it and hands it to the page's worker.
  void StartSearch();
  int Route(std::optional<Command> command, emscripten::val action);
  void SearchReported(const SearchOutcome& outcome) override;
  // A path the dialog handed out, when the command wrote the file there.
  std::string Written(bool wrote);
  // The base file's name without its folder and extension; "composition" before one is chosen.
  std::string BaseStem() const;
  // Hands a written file (a path, "" for none) to the page as the media `type`.
  bool Deliver(const std::string& path, const char* type);

  emscripten::val page_;
  WebDocument sourceBox_;
  WebDocument previewBox_;
  WebControls controls_;
  WebTimer timer_;
  WebDialogs dialogs_;
  WebMessages messages_;
  SeededRandom random_;
  std::unique_ptr<MainPanel> panel_;
  SearchGate gate_;
  std::optional<SearchRequest> request_;  // while the worker scans
};

// Menu item ids from here on are the seam items, in SeamMenuTable's order.
inline constexpr int kSeamIdBase = 100;

}  // namespace plinvaro::web
