// TextSource: opening and closing a whole-file view with its play position.
#include "text/TextSource.h"

namespace plinvaro {
namespace {

std::uint64_t gOpenings = 0;  // openings so far, in this process

}  // namespace

void TextSource::Open(const std::string& filePath, std::int32_t start) {
  Close();
  path = filePath;
  if (view.Open(filePath) != FileOpenError::Ok) return;
  position = start;
  size = view.size();
  opening = ++gOpenings;
}

void TextSource::Close() {
  view.Close();
  path.clear();
  position = 0;
  size = 0;
  opening = 0;
}

}  // namespace plinvaro
