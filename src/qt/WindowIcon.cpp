// WindowIcon: the theme's icon, falling back to the sizes compiled in as resources.
#include "qt/WindowIcon.h"

namespace plinvaro::qt {

QIcon WindowIcon() {
  QIcon builtIn;
  for (const char* size : {"16x16", "32x32", "48x48", "128x128"}) {
    builtIn.addFile(QStringLiteral(":/icons/%1/apps/plinvaro.png").arg(QLatin1String(size)));
  }
  return QIcon::fromTheme(QStringLiteral("plinvaro"), builtIn);
}

}  // namespace plinvaro::qt
