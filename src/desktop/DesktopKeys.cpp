// DesktopKeys: the desktop face's Tab order, menu keys, the key of "\/", control names and the aligned Hotkeys text.
#include "desktop/DesktopKeys.h"

#include <algorithm>
#include <cctype>

#include "panel/Hotkeys.h"
#include "panel/MenuBar.h"
#include "panel/SpeedSlider.h"
#include "desktop/StatusLine.h"
#include "window/WindowTexts.h"

namespace plinvaro {
namespace {

using enum ControlId;

constexpr ControlId kTabOrder[] = {
    DirEdit,      BrowseButton, OnTheFlyCheck, FontSizeCombo, SourceBox,  StartButton,
    PauseButton,  SearchButton, ToSrcButton,   StopButton,    SpeedTrackbar, PreviewBox,
    PrevButton,   NextButton,   AcceptButton,  MoreButton,
};

constexpr MenuKeys kMenuKeys[] = {
    {Command::Open, 'O', "Ctrl+O"},
    {Command::SaveAs, 'S', "Ctrl+S"},
    {Command::Exit, 'x', "Ctrl+Q"},
    {Command::Copy, 'C', ""},
    {Command::Cut, 't', ""},
    {Command::Paste, 'P', ""},
    {Command::SelectAll, 'A', ""},
    {Command::ViewHotkeys, 'H', ""},
    {Command::About, 'A', ""},
    {Command::ExportSources, 'E', ""},
    {Command::UndoJoin, 'U', ""},
    {Command::RetryJoin, 'R', ""},
    {Command::ToggleTint, 'T', ""},
    {Command::ToggleSources, 'S', ""},
    {Command::ToggleFoundParts, 'F', ""},
};

// The help text's words for "\/"'s key, in the style of its other lines.
constexpr std::string_view kMoreTextAction = "more text of the found part";

// A control's own name, and the hotkey (or the extra key) its command has.
struct NamedControl {
  ControlId control;
  std::string_view name;  // empty: the action's words from the Hotkeys box
  std::optional<Command> command;
  bool moreTextKey = false;
};

constexpr NamedControl kNames[] = {
    {DirLabel, "Base directory", std::nullopt},
    {DirEdit, "Base directory: the folder whose .txt files a search reads", std::nullopt},
    {BrowseButton, "Choose the base directory", std::nullopt},
    {OnTheFlyCheck, "On The Fly Mode: a search plays a found part at once", Command::SwitchMode},
    {FontSizeLabel, "Font size", std::nullopt},
    {FontSizeCombo, "Font size", std::nullopt},
    {SourceBox, "Composition", Command::FocusSourceBox},
    {PreviewBox, "Preview of the found part", Command::FocusPreviewBox},
    {MoreButton, "", std::nullopt, true},
    {StartButton, "", Command::Start},
    {PauseButton, "", Command::Pause},
    {SearchButton, "", Command::Search},
    {ToSrcButton, "", Command::ToSrc},
    {StopButton, "", Command::Stop},
    {PrevButton, "", Command::Prev},
    {NextButton, "", Command::Next},
    {AcceptButton, "", Command::Accept},
};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == '\t' || text.front() == ' ')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == '\t' || text.back() == ' ')) text.remove_suffix(1);
  return text;
}

// Splits "KEY\t\t-  action" lines; a line without the dash is skipped.
std::vector<HotkeyHelpRow> ParseHelpText(std::string_view text) {
  std::vector<HotkeyHelpRow> rows;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t tab = line.find('\t');
    const std::size_t dash = line.find("-  ", tab == std::string_view::npos ? 0 : tab);
    if (tab == std::string_view::npos || dash == std::string_view::npos) continue;
    rows.push_back({std::string(Trim(line.substr(0, tab))), std::string(Trim(line.substr(dash + 3)))});
  }
  return rows;
}

// The key of `row` as the Hotkeys box names it: "F8", "<Ctrl>-<1>", "<Ctrl>-<UP>".
std::string HelpKeyName(const Hotkey& row) {
  if (row.keyCode >= key::kF1 && row.keyCode < key::kF1 + 24) return "F" + std::to_string(row.keyCode - key::kF1 + 1);
  if (row.keyCode == key::kUp) return "<Ctrl>-<UP>";
  if (row.keyCode == key::kDown) return "<Ctrl>-<DOWN>";
  if (row.keyCode >= key::kDigit0 && row.keyCode <= key::kDigit0 + 9)
    return "<Ctrl>-<" + std::string(1, static_cast<char>('0' + row.keyCode - key::kDigit0)) + ">";
  return {};
}

// The Hotkeys box's line for the hotkey that runs `command`; null when it has none.
const HotkeyHelpRow* HelpRowOf(const std::vector<HotkeyHelpRow>& rows, Command command) {
  for (const Hotkey& hotkey : HotkeyTable()) {
    if (hotkey.command != command) continue;
    const std::string name = HelpKeyName(hotkey);
    for (const HotkeyHelpRow& row : rows) {
      if (row.key == name) return &row;
    }
  }
  return nullptr;
}

// "<Ctrl>-<1>" as a tooltip writes it: "Ctrl+1".
std::string PlainKey(std::string_view key) {
  std::string plain;
  for (const char c : key) {
    if (c == '<' || c == '>') continue;
    plain += c == '-' ? '+' : c;
  }
  return plain;
}

std::string Capitalised(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text;
}

}  // namespace

std::span<const ControlId> TabOrder() { return kTabOrder; }

std::span<const MenuKeys> MenuKeyTable() { return kMenuKeys; }

MenuKeys KeysOfMenuItem(Command command) {
  for (const MenuKeys& row : kMenuKeys) {
    if (row.command == command) return row;
  }
  return {command, 0, ""};
}

char PopupMnemonic(std::string_view title) { return title.empty() ? 0 : title.front(); }

std::string MnemonicText(std::string_view text, char letter) {
  std::size_t at = letter == 0 ? std::string_view::npos : text.find(letter);
  if (at == std::string_view::npos && letter != 0) {
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    const auto it = std::find_if(text.begin(), text.end(),
                                 [&](char c) { return lower(c) == lower(letter); });
    if (it != text.end()) at = static_cast<std::size_t>(it - text.begin());
  }
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == at) result += '&';
    result += text[i];
    if (text[i] == '&') result += '&';
  }
  return result;
}

bool MayTypeCharacter(bool ctrl, bool alt) { return ctrl || !alt; }

std::vector<HotkeyHelpRow> HotkeyHelpRows() {
  std::vector<HotkeyHelpRow> rows = ParseHelpText(kHotkeyHelpText);
  rows.push_back({std::string(kMoreTextKey), std::string(kMoreTextAction)});
  return rows;
}

std::string AlignedHotkeyHelpText() {
  const std::vector<HotkeyHelpRow> rows = HotkeyHelpRows();
  std::size_t width = 0;
  for (const HotkeyHelpRow& row : rows) width = std::max(width, row.key.size());
  std::string text;
  for (const HotkeyHelpRow& row : rows) {
    text += '\n';
    text += row.key;
    text.append(width - row.key.size() + 2, ' ');
    text += "-  " + row.action;
  }
  return text;
}

std::string ControlName(ControlId id) {
  const auto named = std::find_if(std::begin(kNames), std::end(kNames),
                                  [id](const NamedControl& row) { return row.control == id; });
  if (named == std::end(kNames)) return {};
  const std::vector<HotkeyHelpRow> rows = HotkeyHelpRows();
  const HotkeyHelpRow* help = named->moreTextKey ? &rows.back()
                              : named->command   ? HelpRowOf(rows, *named->command)
                                                 : nullptr;
  std::string name(named->name);
  if (name.empty() && help != nullptr) name = Capitalised(help->action);
  if (help != nullptr) name += " (" + PlainKey(help->key) + ")";
  return name;
}

std::string SpeedSliderName(int position) {
  return "Speed: " + SpeedText(IntervalAtPosition(position));
}

}  // namespace plinvaro
