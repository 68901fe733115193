// WebFace: routes the page's events to MainPanel and the window model's entry points.
#include "web/WebFace.h"

#include <filesystem>
#include <optional>
#include <span>

#include "panel/Hotkeys.h"
#include "web/WebSearch.h"
#include "panel/MenuBar.h"
#include "panel/SeamMenu.h"
#include "desktop/StartHint.h"
#include "desktop/StatusLine.h"

namespace plinvaro::web {
namespace {

using emscripten::val;

// What a saved composition and its exported sources are called after the base file.
constexpr const char* kUnnamedStem = "composition";
constexpr const char* kSavedSuffix = "-composed.txt";
constexpr const char* kSourcesSuffix = "-sources.json";
constexpr const char* kTextType = "text/plain";
constexpr const char* kJsonType = "application/json";

// The key state of one press: the key itself, and Ctrl as the event reports it.
class PressedKeys : public KeyState {
 public:
  PressedKeys(int keyCode, bool control) : keyCode_(keyCode), control_(control) {}
  bool IsKeyDown(int keyCode) const override {
    return keyCode == keyCode_ || (keyCode == key::kControl && control_);
  }

 private:
  int keyCode_;
  bool control_;
};

}  // namespace

WebFace::WebFace(val page, val sourceBox, val previewBox)
    : page_(page),
      sourceBox_(std::move(sourceBox)),
      previewBox_(std::move(previewBox)),
      controls_(page),
      timer_(page),
      dialogs_(page),
      messages_(page) {
  sourceBox_.SetReportsUserChanges(true);
  panel_ = std::make_unique<MainPanel>(
      Platform{sourceBox_, previewBox_, controls_, timer_, dialogs_, messages_, random_});
  panel_->SetObserver(this);
  panel_->SetWindowHost(this);
  panel_->SetSearchStarter([this] { StartSearch(); });
  panel_->SetTitleFollowsPlayback(true);
  panel_->SetPickAvoidsCurrentPlace(true);
  panel_->SetChangeListener([this] { page_.call<void>("changed"); });
  panel_->UpdateSpeed();
}

namespace {

// The command of the page's menu item `itemId`.
std::optional<Command> ItemCommand(int itemId) {
  if (itemId < kSeamIdBase) return MenuItemCommand(itemId);
  const std::span<const SeamMenuItem> seams = SeamMenuTable();
  const auto row = static_cast<std::size_t>(itemId - kSeamIdBase);
  if (row >= seams.size()) return std::nullopt;
  return seams[row].command;
}

bool IsViewToggle(Command command) {
  return command == Command::ToggleTint || command == Command::ToggleSources ||
         command == Command::ToggleFoundParts;
}

}  // namespace

bool WebFace::RunCommand(int commandId) {
  const std::optional<Command> command = ButtonCommand(commandId);
  return command && panel_->Run(*command);
}

bool WebFace::RunMenuItem(int itemId) {
  const std::optional<Command> command = ItemCommand(itemId);
  // The page carries the view toggles out itself.
  if (!command || IsViewToggle(*command)) return false;
  // The two that write a file hand it to the page, which hands it to the user.
  if (*command == Command::SaveAs) return Deliver(SaveAs(), kTextType);
  if (*command == Command::ExportSources) return Deliver(ExportSources(), kJsonType);
  return panel_->Run(*command);
}

void WebFace::Tick() {
  if (!IsSearching()) panel_->PlaybackTick();
}

int WebFace::Route(std::optional<Command> command, val action) {
  if (!command) return static_cast<int>(WhileSearching::Refused);
  const WhileSearching fate = gate_.Route(*command, [action] { action(); });
  if (fate == WhileSearching::Cancels) CancelSearch();
  return static_cast<int>(fate);
}

int WebFace::RouteCommand(int commandId, val action) { return Route(ButtonCommand(commandId), action); }

int WebFace::RouteKey(int keyCode, bool control, val action) {
  return Route(MatchHotkey(keyCode, PressedKeys(keyCode, control)), action);
}

bool WebFace::IsHotkey(int keyCode, bool control) const {
  return MatchHotkey(keyCode, PressedKeys(keyCode, control)).has_value();
}

int WebFace::RouteMenuItem(int itemId, val action) { return Route(ItemCommand(itemId), action); }

int WebFace::RouteChange(val action) {
  return static_cast<int>(gate_.RouteChange([action] { action(); }));
}

void WebFace::StartSearch() {
  if (IsSearching()) return;
  request_ = panel_->PrepareSearch();
  if (!request_) return;
  gate_.Begin();
  val search = val::object();
  search.set("directory", request_->directory);
  search.set("matchCase", panel_->matchCase());
  const auto* pattern = reinterpret_cast<const std::uint8_t*>(request_->pattern.data());
  search.set("pattern", val(emscripten::typed_memory_view(request_->pattern.size(), pattern)).call<val>("slice"));
  page_.call<void>("startSearch", search);
}

void WebFace::FinishSearch(val results) {
  if (!request_) return;
  TextSearcher scanned;
  scanned.AdoptResults(ResultsFromValue(results));
  if (scanned.cancelled()) return CancelSearch();
  const SearchRequest request = std::move(*request_);
  request_.reset();
  panel_->FinishSearch(request, scanned);
  gate_.End(false);
}

void WebFace::CancelSearch() {
  if (!IsSearching()) return;
  request_.reset();
  gate_.End(true);
  page_.call<void>("searchCancelled");
}

std::string WebFace::ProgressText(std::int32_t filesDone, std::int32_t filesListed, double bytesDone,
                                  double bytesTotal) const {
  return SearchProgressText(filesDone, filesListed, static_cast<std::int64_t>(bytesDone),
                            static_cast<std::int64_t>(bytesTotal), gate_.waitingCount());
}

bool WebFace::HandleKey(int keyCode, bool control) {
  return plinvaro::HandleKey(*panel_, keyCode, PressedKeys(keyCode, control));
}

void WebFace::OpenBaseFile(const std::string& path) { panel_->OpenBaseFilePath(path); }

std::string WebFace::Written(bool wrote) {
  const std::optional<std::string> target = dialogs_.TakeSaveTarget();
  std::error_code error;
  // The page removed any older file of that name, so one there now was just written.
  if (!wrote || !target || !std::filesystem::is_regular_file(*target, error)) return {};
  return *target;
}

bool WebFace::Deliver(const std::string& path, const char* type) {
  if (!path.empty()) page_.call<void>("deliverFile", path, std::string(type));
  return true;
}

std::string WebFace::BaseStem() const {
  const std::string& path = panel_->baseFile();
  const std::size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name.empty() ? std::string(kUnnamedStem) : name;
}

std::string WebFace::SaveAs() {
  dialogs_.TakeSaveTarget();
  dialogs_.OfferName(BaseStem() + kSavedSuffix);
  panel_->SaveSourceAs();
  // SaveSourceAs tells only through a message box when writing failed.
  return Written(!panel_->HasUnsavedText());
}

std::string WebFace::ExportSources() {
  dialogs_.TakeSaveTarget();
  dialogs_.OfferName(BaseStem() + kSourcesSuffix);
  return Written(panel_->ExportSources());
}

void WebFace::UserReplaced(int box, std::int32_t from, std::int32_t to, val units) {
  const auto length = units["length"].as<std::size_t>();
  std::u16string text(length, u'\0');
  val(emscripten::typed_memory_view(length, reinterpret_cast<std::uint16_t*>(text.data())))
      .call<void>("set", units);
  (box == 0 ? sourceBox_ : previewBox_).UserReplaced(from, to, text);
}

val WebFace::Status() {
  const StatusFields fields = ComposeStatus(*panel_, controls_);
  val status = val::object();
  status.set("playback", fields.playback);
  status.set("speed", fields.speed);
  status.set("preview", fields.preview);
  status.set("run", fields.run);
  status.set("steering", fields.steering);
  status.set("search", SearchOutcomeText(panel_->lastSearch()));
  status.set("hint", StartHint(panel_->baseFile(), controls_.DirectoryText()));
  return status;
}

void WebFace::RestoreSourceText(val bytes) {
  const auto length = bytes["length"].as<std::size_t>();
  std::string copy(length, '\0');
  val(emscripten::typed_memory_view(length, reinterpret_cast<std::uint8_t*>(copy.data())))
      .call<void>("set", bytes);
  panel_->RestoreSourceText(copy);
}

val WebFace::SourceBytes() {
  const std::string& bytes = sourceBox_.bytes();
  return val(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data())));
}

void WebFace::CloseMainWindow() { page_.call<void>("closeWindow"); }

void WebFace::SearchReported(const SearchOutcome&) { page_.call<void>("searchReported"); }

}  // namespace plinvaro::web
