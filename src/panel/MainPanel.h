// MainPanel: the one controller behind every face; all command rules live here.
//
// Operations are defined by command group beside this header: PlaybackCommands,
// SearchCommands, PreviewCommands, TextSourceCommands, FileCommands, FontCommands.
// Document positions and cached lengths are UTF-16 units; source positions,
// part offsets and pattern sizes are bytes. One byte is one unit throughout.
// The panel owns its text sources and searcher and refers to the face's
// interfaces (panel/Platform.h), which must outlive it. One thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/TextSearcher.h"
#include "text/FileWriter.h"
#include "text/TextSource.h"
#include "panel/Platform.h"
#include "window/Command.h"
#include "provenance/ProvenanceTracker.h"
#include "provenance/RecoveredSpans.h"
#include "panel/SpeedSlider.h"
#include "panel/SearchOutcome.h"
#include "panel/SourceWeights.h"

namespace plinvaro {

inline constexpr const char* kAppTitle = "Plinvaro";
inline constexpr const char* kTitlePrefix = "Plinvaro - ";
inline constexpr const char* kErrorCaption = "Error";
inline constexpr const char* kCannotSaveText = "Can't save to file";
inline constexpr const char* kCannotWriteText = "Can't write to file";
inline constexpr const char* kBrowseTitle = "Select Base directory";
inline constexpr const char* kUnsavedQuestion =
    "The composition has changes that are not saved. Save them before closing?";

inline constexpr const char* kRecoveryQuestion =
    "A composition from a session that did not end cleanly was kept. Restore it?";

// The user's answer when the window closes over unsaved text.
enum class CloseAnswer { Save, Discard, Cancel };

inline constexpr std::int32_t kInitialTimerInterval = 500;  // ms
inline constexpr std::int32_t kPartTextStep = 1024;    // bytes per preview load

// "Wander every N words": N's range and its value before the user picks one.
inline constexpr std::int32_t kMinWanderWords = 3;
inline constexpr std::int32_t kMaxWanderWords = 200;
inline constexpr std::int32_t kDefaultWanderWords = 20;

// One chunk that playback moved into the source box.
struct PlayedChunk {
  PlaybackSource source = PlaybackSource::None;
  std::string_view file;              // the source's path; valid during the call
  std::int32_t offset = 0;            // byte position before the chunk
  std::int32_t length = 0;            // bytes in the chunk
};

// What a Search scans, read from the directory box and the source box by
// PrepareSearch; nothing is changed while it is read.
struct SearchRequest {
  std::string directory;     // as typed, 8-bit
  std::string pattern;       // the search pattern: at most kMaxPatternBytes bytes, no NUL
  std::int32_t caret = 0;    // UTF-16 units: the end of the text the pattern was taken from
};

// Optional watcher of what the panel did; for tools and traces, never for rules.
class PanelObserver {
 public:
  virtual ~PanelObserver() = default;
  virtual void ChunkPlayed(const PlayedChunk&) {}
  // After SearchAndPick: `found` tells whether a part was picked.
  virtual void SearchDone(bool) {}
  // After every Search command, also one that did nothing: what it came to.
  virtual void SearchReported(const SearchOutcome&) {}
};

class MainPanel {
 public:
  explicit MainPanel(const Platform& platform);
  MainPanel(const MainPanel&) = delete;
  MainPanel& operator=(const MainPanel&) = delete;

  // Runs `command` (panel/Commands.cpp), whichever button, item or key gave
  // it; false for a command of the window when no window is set.
  bool Run(Command command);
  // The window that runs Exit, the Hotkeys box and the view toggles; not owned, may be null.
  void SetWindowHost(MainWindowHost* window) { window_ = window; }
  // A face that scans on another thread takes the Search command over:
  // BeginSearch then runs `start` in place of RunSearch (see PrepareSearch).
  void SetSearchStarter(std::function<void()> start) { searchStarter_ = std::move(start); }
  void SetObserver(PanelObserver* watcher) { observer_ = watcher; }
  // When on, opening a base file while the directory box is empty puts the
  // file's folder into the box. Off unless the face turns it on.
  void SetDirectoryFollowsBaseFile(bool follows) { directoryFollowsBaseFile_ = follows; }
  // When on, a save error box adds a second line: the path and the system's reason. Off unless the face turns it on.
  void SetDetailedErrors(bool detailed) { detailedErrors_ = detailed; }
  // The face's one listener for changes of what the panel shows; empty for
  // none. Called once at the end of each command, tick, finished search or
  // edit of the source box (a command's own edits count as the command),
  // with revision() advanced: a face redraws from it instead of polling.
  void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }
  // Advances with each call of the change listener.
  std::uint64_t revision() const { return revision_; }
  // Advances whenever the list of found parts is replaced or emptied.
  std::uint64_t partsRevision() const { return partsRevision_; }
  // When on, the title always names the file playback reads from, playingFile()
  // ("Plinvaro" before any); when off, it changes only where a command names a
  // file, as the Windows program's does. Off unless the face turns it on.
  void SetTitleFollowsPlayback(bool follows);
  // The found file while playback reads one, else the base file; empty before any.
  const std::string& playingFile() const;
  // When on, the random pick passes over a part where playback already stands
  // (its file, and its offset after the pattern's separators, are playback's
  // now) while any other part can be picked. Off unless the face turns it on.
  void SetPickAvoidsCurrentPlace(bool avoids) { avoidsCurrentPlace_ = avoids; }
  // What the last Search command came to; NotRun before the first.
  const SearchOutcome& lastSearch() const { return lastSearch_; }

  // Playback.
  void StartPlayback();
  void PausePlayback();
  void StopPlayback();
  void PlaybackTick();
  // Plays one chunk; false when there was none to play.
  bool AppendNextWord();
  void UpdateSpeed();
  void SlowDown();
  void SpeedUp();

  // Search and switching. RunSearch is PrepareSearch, ScanRequest and
  // FinishSearch in a row; a face may run ScanRequest on another thread and
  // call FinishSearch afterwards, or drop the scan, which then changes nothing.
  void RunSearch();
  // The Search command: RunSearch, or the face's own start when it set one.
  void BeginSearch();
  // The request of a Search that has something to scan. A Search that stops
  // before scanning (no directory, no pattern) is done here, reported, and
  // gives none.
  std::optional<SearchRequest> PrepareSearch();
  // Scans for `request` into `into` with the panel searcher's options; reads
  // no panel state, so it may run on any thread while the panel is left alone
  // by it. `into` is the caller's, not the panel's searcher.
  void ScanRequest(const SearchRequest& request, TextSearcher& into) const;
  // Applies a finished scan of `request`: takes `scanned`'s results, picks a
  // part, switches and reports, as RunSearch does after its scan.
  void FinishSearch(const SearchRequest& request, TextSearcher& scanned);
  bool SearchAndPick();
  void TrimPattern();
  void SkipPatternSeparators();
  void BackToBase();

  // Preview and navigation of found parts.
  void SwitchMode(bool toggle);
  void ShowCurrentPart();
  void UpdatePartButtons();
  void LoadMorePartText();
  void MoreText();
  void PreviousPart();
  void NextPart();
  void AcceptPart();

  // Text sources and the documents' shared operations.
  void OpenBaseSource();
  void CloseBaseSource();
  void OpenFoundSource();
  void CloseFoundSource();
  TextSource& ActiveSource();
  void RefreshLengths();
  void SetSourceSelection(std::int32_t start, std::int32_t end);
  void SelectAllSource();
  bool SourceHasText();
  bool SourceHasSelection();
  bool SourceCanPaste();

  // File and edit commands.
  void OpenBaseFile();
  // As "Open..." with `path` already chosen (a path given at start-up); an empty path only pauses.
  void OpenBaseFilePath(const std::string& path);
  void SaveSourceAs();
  // True when the saved file was written; false after a refusal (the message was shown).
  bool SaveSourceText(const std::string& path);
  // Whether the source box differs from what was last saved (or, before any
  // save, from the empty box it started as).
  bool HasUnsavedText();
  // What HasUnsavedText compares: a hash of the bytes, and that of the text last
  // saved (or of the empty box). Reading the bytes on one thread and hashing them
  // on another tells the same.
  static std::size_t TextHash(std::string_view bytes);
  std::size_t savedTextHash() const { return savedTextHash_; }
  // The source box's text as "Save as..." writes it: one byte per unit.
  std::string SourceBytes();
  // A number that differs after any change of the source box's text and after
  // any save, so that an unchanged one means HasUnsavedText and SourceBytes
  // give what they gave before. None when the box does not report the user's
  // changes: then only reading the text tells.
  std::optional<std::uint64_t> TextRevision() const;
  // Puts `bytes` (a recovered composition) in place of the source box's text,
  // caret at the end; the text counts as unsaved. Each of `spans` that still
  // matches its file keeps its origin; the rest of the text is of unknown origin.
  void RestoreSourceText(const std::string& bytes, const std::vector<RecoveredSpan>& spans = {});
  // Asks `ask` only when there is unsaved text; Save runs "Save as...". True
  // when the window may close: nothing unsaved, Discard, or Save that saved.
  bool ConfirmClose(const std::function<CloseAnswer()>& ask);
  void BrowseDirectory();
  void CopySource();
  void CutSource();
  void PasteSource();
  void FocusSourceBox();
  void FocusPreviewBox();
  // A box with an OK button, through the face's message boxes (the Help items, save errors).
  void ShowMessage(const std::string& text, const std::string& caption);

  // The "Font size" list's selection as the default font of both boxes.
  void ApplyFontSize();

  // Where the source box's text came from, and the joins (JoinCommands.cpp).
  const ProvenanceMap& provenance() const { return provenance_.map(); }
  const ProvenanceTracker& provenanceTracker() const { return provenance_; }
  // Takes the box back to just before the newest join and playback to where it
  // stood then; false, after a message, when there is none or it holds user text.
  bool UndoJoin();
  // Undo join, then the Search command at the same place; false when Undo join refused.
  bool RetryJoin();
  // "Export sources...": asks for a file and writes the provenance document
  // (panel/ProvenanceJson.h); true when it was written. The saved text is untouched.
  bool ExportSources();
  bool ExportSourcesTo(const std::string& path);
  // "Show source": the file of the span at unit `position` in the preview from
  // the span's offset, its bytes selected; false for text of no file.
  bool ShowSpanSource(std::int32_t position);
  // Whether found parts wait for the writer's choice: a list in preview mode.
  bool OffersParts() const { return searcher.PartCount() > 0 && !controls_.IsOnTheFlyChecked(); }
  // The current part's place in the list; -1 for none.
  std::int32_t CurrentPartIndex() const { return searcher.CurrentIndex(); }
  // Makes part `index` the current part and shows it, as "<<" or ">>" would.
  void ShowPartAt(std::int32_t index);
  // Chunks played since the newest join: the current run.
  std::int32_t CurrentRunWords() const { return provenance_.runWords(); }

  // Steering the wander (SteeringCommands.cpp). Weights of the files in the
  // random pick (panel/SourceWeights.h): 0 leaves a file out of the pick and of
  // "<<" and ">>". False, changing nothing, for a weight outside 0..kMaxWeight.
  bool SetSourceWeight(const std::string& directory, const std::string& name, std::int32_t weight);
  const SourceWeights& weights() const { return weights_; }
  // Whether part `index` of the list lies in a file of weight 0.
  bool PartLeftOut(std::int32_t index) const;
  // "Match case" (on by default): off, the search matches letters regardless of case.
  void SetMatchCase(bool matchCase);
  bool matchCase() const { return searcher.matchCase(); }
  // "Wander every N words" (off by default): in On The Fly Mode the Search
  // command runs by itself once N words were played since the last Search.
  // SetWanderWords is false, changing nothing, for N outside kMinWanderWords..kMaxWanderWords.
  void SetWanders(bool wanders);
  bool SetWanderWords(std::int32_t words);
  bool wanders() const { return wanders_; }
  std::int32_t wanderWords() const { return wanderWords_; }
  // Words to play before the next wander; none while it is off or the mode is.
  std::optional<std::int32_t> WordsUntilWander() const;

  // State, as the commands leave it; only the commands change it.
  bool playing() const { return isPlaying; }
  std::int32_t interval() const { return timerInterval; }  // ms per word
  std::uint32_t playbackTimerId() const { return timerId; }
  std::uint32_t runningTimer() const { return timerHandle; }  // 0 while no timer runs
  const std::string& baseFile() const { return baseFilePath; }
  const std::string& foundFile() const { return foundFilePath; }
  const std::string& directory() const { return baseDirectory; }  // the last search's, 8-bit
  const std::string& pattern() const { return searchPattern; }  // at most kMaxPatternBytes bytes
  const std::string& trimmed() const { return trimmedPattern; }  // pattern() without trailing separators
  const TextSource& base() const { return baseSource; }
  const TextSource& found() const { return foundSource; }
  PlaybackSource playingFrom() const { return playbackSource; }
  const TextSearcher& results() const { return searcher; }
  // The current found part; null for none.
  const FoundPart* currentFoundPart() const { return searcher.CurrentPart(); }

 private:
  std::uint32_t timerId = 0;
  std::uint32_t timerHandle = 0;  // 0 while no timer runs
  std::int32_t timerInterval = kInitialTimerInterval;  // ms
  bool isPlaying = false;
  std::string baseFilePath;
  std::string foundFilePath;
  std::string baseDirectory;
  std::string searchPattern;   // at most kMaxPatternBytes bytes, no NUL
  std::string trimmedPattern;  // searchPattern without trailing separators
  TextSource baseSource;
  std::int32_t sourceLength = 0;   // UTF-16 units; valid right after RefreshLengths
  TextSource foundSource;
  std::int32_t previewLength = 0;  // UTF-16 units; valid right after RefreshLengths
  PlaybackSource playbackSource = PlaybackSource::None;
  TextSearcher searcher;

  // Held by every command a face may call: the outermost one's end is a change.
  class ChangeScope {
   public:
    explicit ChangeScope(MainPanel& panel) : panel_(panel) { ++panel_.changeDepth_; }
    ~ChangeScope() {
      if (--panel_.changeDepth_ == 0) panel_.Changed();
    }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;

   private:
    MainPanel& panel_;
  };
  void Changed();
  void PartsReplaced() { ++partsRevision_; }
  std::function<void()> changed_;
  std::uint64_t revision_ = 0;
  std::uint64_t partsRevision_ = 0;
  int changeDepth_ = 0;
  bool titleFollowsPlayback_ = false;

  std::size_t SourceTextHash();
  std::size_t savedTextHash_ = 0;  // TextHash of the last saved text; set at construction
  std::uint64_t saves_ = 0;        // saves that wrote the file
  // isPlaying false, the timer killed, timerHandle 0.
  void StopTimer();
  void DisablePartButtons();
  void HidePreview();
  // "Plinvaro - " and `path`, or "Plinvaro" for none; left to Changed while the title follows playback.
  void ShowTitleFor(const std::string& path);
  // The chosen base file: playback starts it from its beginning next time.
  void UseBaseFile(const std::string& path);
  FoundPart* CurrentPart();
  // SearchAndPick's pick once the searcher holds a scan's results.
  bool PickFoundPart();
  // Each part's chance in the pick, in list order, and how many lie in files of weight 0.
  struct PartWeights {
    std::vector<std::int32_t> weights;
    std::int64_t total = 0;
    std::int32_t leftOut = 0;
  };
  PartWeights WeighParts() const;
  bool LandsWherePlaybackStands(const FoundPart& part) const;
  bool IsLeftOut(const FoundPart& part) const;
  // The nearest part before (-1) or after (+1) the current one that is not
  // left out; EndPart() for none.
  TextSearcher::PartPosition NeighbourPart(int direction);
  // Counts a played word towards the wander, and wanders when it is due.
  void CountWanderWord();
  // Keeps `outcome` as the last search's and tells the observer.
  void ReportSearch(SearchOutcome outcome);
  // A join at box unit `position`, just before a search's pick or an Accept changes playback.
  void RecordJoin(std::int32_t position);
  void RestorePlayback(const JoinRecord& join);
  // Accepted text's origin: the part's file when `text` is the part's bytes from `from`.
  SpanOrigin AcceptOrigin(const FoundPart& part, std::int32_t from, const std::u16string& text,
                          const std::string& file) const;

  RichDocument& sourceBox_;
  RichDocument& previewBox_;
  PanelControls& controls_;
  PlaybackTimer& timer_;
  FileDialogs& dialogs_;
  MessageBoxes& messages_;
  RandomSource& random_;
  PanelObserver* observer_ = nullptr;  // not owned
  MainWindowHost* window_ = nullptr;   // not owned
  std::function<void()> searchStarter_;
  bool RunInWindow(Command command);
  bool directoryFollowsBaseFile_ = false;
  bool detailedErrors_ = false;
  // True for a written file; else shows the save error for `path`, with the
  // path and the system's reason on a second line when errors are detailed.
  bool SaveSucceeded(const SaveResult& result, const std::string& path);
  bool avoidsCurrentPlace_ = false;
  SourceWeights weights_;
  bool wanders_ = false;
  std::int32_t wanderWords_ = kDefaultWanderWords;
  std::int32_t wanderPlayed_ = 0;  // words played since the last Search
  SearchOutcome lastSearch_;
  ProvenanceTracker provenance_;  // listens to sourceBox_
};

}  // namespace plinvaro
