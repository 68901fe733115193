// Keyboard: the desktop additions realised on the panel's widgets: Tab order, names and tooltips, the "\/" key, the Hotkeys box.
//
// The data comes from panel/DesktopKeys; this file only applies it. Widgets
// and the panel must outlive what is installed here.
#pragma once

#include <QFont>
#include <QObject>

class QWidget;

namespace plinvaro {
class MainPanel;
}

namespace plinvaro::qt {

class PanelWidgets;

// Lets Tab and Shift+Tab reach every control in reading order (the text boxes
// pass Tab on; Ctrl+Tab types a tab into them), and gives each control its
// tooltip and accessible name; the slider's follow its position. Alt with a
// character key types nothing into the boxes and the directory edit.
void InstallKeyboard(PanelWidgets& controls);

// "\/"'s own key, anywhere in `window`.
void InstallMoreTextKey(QWidget& window, MainPanel& panel);

// A font whose letters all take the same advance as drawn: the system's fixed
// font when it is one, else the first family that is.
QFont FixedPitchFont();

// The Hotkeys box: every key with the dashes in one column, over `parent`.
void ShowHotkeysBox(QWidget* parent);

}  // namespace plinvaro::qt
