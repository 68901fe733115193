// The panel's platform parts as calls into the page.
#include "web/WebPlatform.h"

namespace plinvaro::web {

void WebControls::EnablePartButton(PartButton button, bool enabled) {
  page_.call<void>("enablePartButton", static_cast<int>(button), enabled);
}

bool WebControls::IsPartButtonEnabled(PartButton button) const {
  return page_.call<bool>("isPartButtonEnabled", static_cast<int>(button));
}

bool WebControls::IsOnTheFlyChecked() const { return page_.call<bool>("isOnTheFlyChecked"); }
void WebControls::SetOnTheFlyChecked(bool checked) { page_.call<void>("setOnTheFlyChecked", checked); }
std::int32_t WebControls::TrackbarPosition() const { return page_.call<std::int32_t>("trackbarPosition"); }
void WebControls::SetTrackbarPosition(std::int32_t position) {
  page_.call<void>("setTrackbarPosition", position);
}
std::string WebControls::DirectoryText() const { return page_.call<std::string>("directoryText"); }
void WebControls::SetDirectoryText(const std::string& text) { page_.call<void>("setDirectoryText", text); }
bool WebControls::DirectoryHasFocus() const { return page_.call<bool>("directoryHasFocus"); }
void WebControls::SetTitle(const std::string& title) { page_.call<void>("setTitle", title); }
void WebControls::SelectFontSize(int index) { page_.call<void>("selectFontSize", index); }
std::string WebControls::SelectedFontSizeText() const { return page_.call<std::string>("selectedFontSizeText"); }

std::uint32_t WebTimer::Start(std::uint32_t timerId, std::int32_t periodMs) {
  return page_.call<std::uint32_t>("startTimer", timerId, periodMs);
}

void WebTimer::Kill(std::uint32_t timerId) { page_.call<void>("killTimer", timerId); }

std::optional<std::string> WebDialogs::ChooseFileToOpen(const std::vector<FileFilter>&) {
  page_.call<void>("pickBaseFile");
  return std::nullopt;
}

std::optional<std::string> WebDialogs::ChooseFileToSave(const std::vector<FileFilter>&) {
  saveTarget_ = page_.call<std::string>("saveTarget", offeredName_);
  return saveTarget_;
}

std::optional<std::string> WebDialogs::BrowseForFolder(const std::string&) {
  page_.call<void>("pickDirectory");
  return std::nullopt;
}

std::optional<std::string> WebDialogs::TakeSaveTarget() {
  std::optional<std::string> target = std::move(saveTarget_);
  saveTarget_.reset();
  return target;
}

void WebMessages::ShowMessage(const std::string& text, const std::string& caption) {
  page_.call<void>("showMessage", text, caption);
}

}  // namespace plinvaro::web
