// WindowIcon: the program's icon from the icon theme, else the copy built into the program.
#pragma once

#include <QIcon>

namespace plinvaro::qt {

// The installed "plinvaro" theme icon where there is one, so a build run in place has its icon too.
QIcon WindowIcon();

}  // namespace plinvaro::qt
