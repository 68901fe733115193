// MainPanel's font command: the selected "Font size" item as the default font of both boxes.
#include "window/FontSizes.h"
#include "panel/MainPanel.h"

namespace plinvaro {

void MainPanel::ApplyFontSize() {
  const ChangeScope change(*this);
  const std::int32_t twips = FontSizeTwips(controls_.SelectedFontSizeText());
  const std::string face(kDocumentFontFace);
  sourceBox_.SetDefaultFont(face, twips);
  previewBox_.SetDefaultFont(face, twips);
}

}  // namespace plinvaro
