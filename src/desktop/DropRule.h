// What a drop on the desktop window means: a base file, a base directory, or nothing.
#pragma once

#include <span>

namespace plinvaro {

enum class DropUse { Refused, BaseFile, BaseDirectory };

struct DroppedItem {
  bool local = false;      // a path on this machine (not a remote address, not plain text)
  bool directory = false;  // names a directory (else a file)
};

// One local item is used: a directory as the base directory, anything else as
// the base file. No item, several, or a remote one are refused.
DropUse UseOfDrop(std::span<const DroppedItem> items);

}  // namespace plinvaro
