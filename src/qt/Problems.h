// Problems: a refusal the user must see, on stderr and in a message box.
#pragma once

#include <string>

class QWidget;

namespace plinvaro::qt {

// Prints "plinvaro: TEXT" to stderr and shows TEXT (8-bit) in an error box over `parent`.
void ShowProblem(QWidget* parent, const std::string& text);

}  // namespace plinvaro::qt
