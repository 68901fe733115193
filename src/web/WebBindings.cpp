// The core as the page sees it: the WebFace class and the window model's tables, bound with embind.
#include <emscripten/bind.h>

#include "window/ControlTable.h"
#include "desktop/DesktopKeys.h"
#include "desktop/DesktopMemory.h"
#include "desktop/DropRule.h"
#include "desktop/OptionTexts.h"
#include "window/FontSizes.h"
#include "panel/Hotkeys.h"
#include "panel/MenuBar.h"
#include "panel/SeamMenu.h"
#include "plinvaro/Version.h"
#include "web/WebFace.h"

namespace plinvaro::web {
namespace {

using emscripten::val;

val Text(std::string_view text) { return val(std::string(text)); }

// The panel's controls in creation order: field, kind, text, command id, enabled, checked.
val Controls() {
  val rows = val::array();
  for (const ControlSpec& control : ControlTable()) {
    val row = val::object();
    row.set("field", Text(control.field));
    row.set("kind", static_cast<int>(control.kind));
    row.set("text", Text(control.text));
    row.set("commandId", control.commandId);
    row.set("enabled", control.initiallyEnabled);
    row.set("checked", control.initiallyChecked);
    rows.call<void>("push", row);
  }
  return rows;
}

val MenuRow(std::string_view text, int id, bool checkable = false, bool checked = false) {
  val row = val::object();
  row.set("text", Text(text));
  row.set("id", id);
  row.set("checkable", checkable);
  row.set("checked", checked);
  return row;
}

// The menu bar: [{title, items: [{text, id}]}], the seam items in their menus
// (File's before its first separator, Edit's behind a separator at its end,
// "View" before "Help"); a separator has id 0. A checkable item (the View
// toggles, which the page carries out) says whether it starts checked.
val Menus() {
  val menus = val::array();
  const auto seamItems = [](std::string_view menu, val& items, bool atEnd) {
    bool first = true;
    const std::span<const SeamMenuItem> table = SeamMenuTable();
    for (std::size_t row = 0; row < table.size(); ++row) {
      const SeamMenuItem& item = table[row];
      if (item.menu != menu) continue;
      if (atEnd && first) items.call<void>("push", MenuRow("", 0));
      first = false;
      items.call<void>("push", MenuRow(item.text, kSeamIdBase + static_cast<int>(row), item.checkable,
                                       item.checked));
    }
  };
  for (const MenuPopup& popup : MenuBarTable()) {
    if (popup.title == "Help") {
      val view = val::array();
      seamItems("View", view, false);
      val menu = val::object();
      menu.set("title", Text("View"));
      menu.set("items", view);
      menus.call<void>("push", menu);
    }
    val items = val::array();
    bool seamsPlaced = popup.title != "File";
    for (const MenuItem& item : popup.items) {
      if (!seamsPlaced && item.IsSeparator()) {
        seamItems("File", items, false);
        seamsPlaced = true;
      }
      items.call<void>("push", MenuRow(item.text, item.commandId));
    }
    if (popup.title == "Edit") seamItems("Edit", items, true);
    val menu = val::object();
    menu.set("title", Text(popup.title));
    menu.set("items", items);
    menus.call<void>("push", menu);
  }
  return menus;
}

val FontSizeList() {
  val items = val::array();
  for (const std::string_view item : FontSizeItems()) items.call<void>("push", Text(item));
  return items;
}

int KeyCode(int run, int index, bool onKeypad) {
  return PortableKeyCode(static_cast<KeyRun>(run), index, onKeypad);
}

// [{local, directory}] as the desktop's drop rule reads them: a DropUse value.
int UseOfDropped(val items) {
  std::vector<DroppedItem> dropped;
  const auto count = items["length"].as<std::size_t>();
  for (std::size_t i = 0; i < count; ++i) {
    dropped.push_back({items[i]["local"].isTrue(), items[i]["directory"].isTrue()});
  }
  return static_cast<int>(UseOfDrop(dropped));
}

// The recent files' keys (the page's names of its kept file handles), the
// newest first, with `key` put first as the desktop keeps its recent files.
val RecentOrder(val keys, const std::string& key) {
  std::vector<std::string> order;
  const auto count = keys["length"].as<std::size_t>();
  for (std::size_t i = 0; i < count; ++i) {
    if (keys[i].isString()) order.push_back(keys[i].as<std::string>());
  }
  val result = val::array();
  for (const std::string& kept : WithRecentFile(std::move(order), key, kRecentFileCount)) {
    result.call<void>("push", kept);
  }
  return result;
}

std::string RecentItemText(int index, const std::string& name) { return RecentMenuItem(index, name).text; }
std::string OpenRecentText() { return std::string(kOpenRecentText); }
std::string NoRecentFilesText() { return std::string(kNoRecentFilesText); }

// The Options menu's texts, the wander's and the weights' ranges, and the left-out part's mark.
val OptionTexts() {
  val texts = val::object();
  texts.set("title", Text(kOptionsMenuTitle));
  texts.set("matchCase", Text(kMatchCaseText));
  texts.set("wanderWords", Text(kWanderWordsText));
  texts.set("wanderWordsCaption", Text(kWanderWordsCaption));
  texts.set("wanderWordsPrompt", Text(kWanderWordsPrompt));
  texts.set("minWanderWords", kMinWanderWords);
  texts.set("maxWanderWords", kMaxWanderWords);
  texts.set("minWeight", kLeftOutWeight);
  texts.set("maxWeight", kMaxWeight);
  return texts;
}

std::string VersionText() { return plinvaro::kVersion; }
std::string RecoveryQuestion() { return kRecoveryQuestion; }

}  // namespace
}  // namespace plinvaro::web

EMSCRIPTEN_BINDINGS(plinvaro_web) {
  using namespace plinvaro::web;
  emscripten::class_<WebFace>("WebFace")
      .constructor<emscripten::val, emscripten::val, emscripten::val>()
      .function("runCommand", &WebFace::RunCommand)
      .function("runMenuItem", &WebFace::RunMenuItem)
      .function("tick", &WebFace::Tick)
      .function("updateSpeed", &WebFace::UpdateSpeed)
      .function("applyFontSize", &WebFace::ApplyFontSize)
      .function("handleKey", &WebFace::HandleKey)
      .function("openBaseFile", &WebFace::OpenBaseFile)
      .function("baseFilePath", &WebFace::BaseFilePath)
      .function("saveAs", &WebFace::SaveAs)
      .function("exportSources", &WebFace::ExportSources)
      .function("userReplaced", &WebFace::UserReplaced)
      .function("routeCommand", &WebFace::RouteCommand)
      .function("routeKey", &WebFace::RouteKey)
      .function("routeMenuItem", &WebFace::RouteMenuItem)
      .function("routeChange", &WebFace::RouteChange)
      .function("isHotkey", &WebFace::IsHotkey)
      .function("progressText", &WebFace::ProgressText)
      .function("finishSearch", &WebFace::FinishSearch)
      .function("cancelSearch", &WebFace::CancelSearch)
      .function("isSearching", &WebFace::IsSearching)
      .function("seams", &WebFace::Seams)
      .function("seamRevision", &WebFace::SeamRevision)
      .function("spanTooltipAt", &WebFace::SpanTooltipAt)
      .function("canShowSource", &WebFace::CanShowSource)
      .function("showSourceAt", &WebFace::ShowSourceAt)
      .function("sources", &WebFace::Sources)
      .function("foundParts", &WebFace::FoundParts)
      .function("currentPartIndex", &WebFace::CurrentPartIndex)
      .function("partsRevision", &WebFace::PartsRevision)
      .function("showPartAt", &WebFace::ShowPartAt)
      .class_function("showSourceText", &WebFace::ShowSourceText)
      .function("status", &WebFace::Status)
      .function("sourceBytes", &WebFace::SourceBytes)
      .function("hasUnsavedText", &WebFace::HasUnsavedText)
      .function("restoreSourceText", &WebFace::RestoreSourceText)
      .function("options", &WebFace::Options)
      .function("setMatchCase", &WebFace::SetMatchCase)
      .function("setWanders", &WebFace::SetWanders)
      .function("setWanderWords", &WebFace::SetWanderWords)
      .function("setSourceWeight", &WebFace::SetSourceWeight)
      .function("weightsRevision", &WebFace::WeightsRevision)
      .function("weightEntries", &WebFace::WeightEntries)
      .function("restoreWeights", &WebFace::RestoreWeights);
  emscripten::function("controls", &Controls);
  emscripten::function("menus", &Menus);
  emscripten::function("fontSizes", &FontSizeList);
  emscripten::function("keyCode", &KeyCode);
  emscripten::function("version", &VersionText);
  emscripten::function("optionTexts", &OptionTexts);
  emscripten::function("useOfDrop", &UseOfDropped);
  emscripten::function("recoveryQuestion", &RecoveryQuestion);
  emscripten::function("recentOrder", &RecentOrder);
  emscripten::function("recentItemText", &RecentItemText);
  emscripten::function("openRecentText", &OpenRecentText);
  emscripten::function("noRecentFilesText", &NoRecentFilesText);
}
