// SeamMenu: the seam views' items and the controller commands behind them.
#include "panel/SeamMenu.h"

#include <array>

#include "panel/MainPanel.h"

namespace plinvaro {
namespace {

constexpr std::array<SeamMenuItem, 6> kItems = {{
    {"File", "Export sources...", "", SeamCommand::ExportSources, false, false},
    {"Edit", "Undo join", "Ctrl+J", SeamCommand::UndoJoin, false, false},
    {"Edit", "Retry join", "Ctrl+Shift+J", SeamCommand::RetryJoin, false, false},
    {"View", "Source tint", "", SeamCommand::ToggleTint, true, true},
    {"View", "Sources", "", SeamCommand::ToggleSources, true, false},
    {"View", "Found parts", "", SeamCommand::ToggleFoundParts, true, false},
}};

}  // namespace

std::span<const SeamMenuItem> SeamMenuTable() { return kItems; }

bool RunSeamCommand(MainPanel& panel, SeamCommand command) {
  switch (command) {
    case SeamCommand::ExportSources: panel.ExportSources(); return true;
    case SeamCommand::UndoJoin: panel.UndoJoin(); return true;
    case SeamCommand::RetryJoin: panel.RetryJoin(); return true;
    case SeamCommand::ToggleTint:
    case SeamCommand::ToggleSources:
    case SeamCommand::ToggleFoundParts: return false;
  }
  return false;
}

}  // namespace plinvaro
