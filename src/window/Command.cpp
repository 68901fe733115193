// The panel's child-window ids looked up as commands.
#include "window/Command.h"

namespace plinvaro {

std::optional<Command> ButtonCommand(int id) {
  for (const IdCommand& row : kButtonIds) {
    if (row.id == id) return row.command;
  }
  return std::nullopt;
}

}  // namespace plinvaro
