// TextSource: opening and closing a whole-file view with its play position.
#include "text/TextSource.h"

namespace plinvaro {

void TextSource::Open(const std::string& filePath, std::int32_t start) {
  Close();
  path = filePath;
  if (view.Open(filePath) != FileOpenError::Ok) return;
  position = start;
  size = view.size();
}

void TextSource::Close() {
  view.Close();
  path.clear();
  position = 0;
  size = 0;
}

}  // namespace plinvaro
