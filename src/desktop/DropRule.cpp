// DropRule: one local path is used, a folder as the base directory, a file as the base file.
#include "desktop/DropRule.h"

namespace plinvaro {

DropUse UseOfDrop(std::span<const DroppedItem> items) {
  if (items.size() != 1 || !items.front().local) return DropUse::Refused;
  return items.front().directory ? DropUse::BaseDirectory : DropUse::BaseFile;
}

}  // namespace plinvaro
