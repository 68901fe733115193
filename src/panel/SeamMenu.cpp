// SeamMenu: the seam views' items and the commands behind them.
#include "panel/SeamMenu.h"

#include <array>

namespace plinvaro {
namespace {

constexpr std::array<SeamMenuItem, 6> kItems = {{
    {"File", "Export sources...", "", Command::ExportSources, false, false},
    {"Edit", "Undo join", "Ctrl+J", Command::UndoJoin, false, false},
    {"Edit", "Retry join", "Ctrl+Shift+J", Command::RetryJoin, false, false},
    {"View", "Source tint", "", Command::ToggleTint, true, true},
    {"View", "Sources", "", Command::ToggleSources, true, false},
    {"View", "Found parts", "", Command::ToggleFoundParts, true, false},
}};

}  // namespace

std::span<const SeamMenuItem> SeamMenuTable() { return kItems; }

}  // namespace plinvaro
