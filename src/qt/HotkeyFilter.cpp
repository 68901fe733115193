// HotkeyFilter: key events at their window become HandleKey calls, with a key state kept from presses and releases.
#include "qt/HotkeyFilter.h"

#include <QEvent>
#include <QKeyEvent>

namespace plinvaro::qt {
namespace {

// Qt's key runs, each named by the model's run it stands for.
struct QtKeyRun {
  int first;  // Qt::Key of the run's first key
  int last;   // Qt::Key of its last key
  KeyRun run;
};
constexpr QtKeyRun kQtKeyRuns[] = {
    {Qt::Key_0, Qt::Key_9, KeyRun::Digit},
    {Qt::Key_A, Qt::Key_Z, KeyRun::Letter},
    {Qt::Key_F1, Qt::Key_F35, KeyRun::FunctionKey},
    {Qt::Key_Up, Qt::Key_Up, KeyRun::Up},
    {Qt::Key_Down, Qt::Key_Down, KeyRun::Down},
    {Qt::Key_Left, Qt::Key_Left, KeyRun::Left},
    {Qt::Key_Right, Qt::Key_Right, KeyRun::Right},
    {Qt::Key_Control, Qt::Key_Control, KeyRun::Control},
};

}  // namespace

int KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  for (const QtKeyRun& qtRun : kQtKeyRuns) {
    if (key < qtRun.first || key > qtRun.last) continue;
    return PortableKeyCode(qtRun.run, key - qtRun.first, keypad);
  }
  return 0;
}

HotkeyFilter::HotkeyFilter(MainPanel& panel) : panel_(panel) {}

bool HotkeyFilter::IsKeyDown(int keyCode) const {
  if (keyCode == key::kControl) return controlDown_;
  return down_.count(keyCode) != 0;
}

bool HotkeyFilter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      // The window's delivery comes first; the forwarded copies to widgets are the same event.
      if (watched->isWindowType()) Handle(*static_cast<QKeyEvent*>(event));
      break;
    case QEvent::ApplicationDeactivate:
      down_.clear();  // releases made elsewhere never arrive
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void HotkeyFilter::Handle(const QKeyEvent& event) {
  const bool press = event.type() == QEvent::KeyPress;
  // A held key repeats as release/press pairs; the key stays down through them.
  if (!press && event.isAutoRepeat()) return;
  const int code = KeyCodeOf(event);
  controlDown_ = event.modifiers().testFlag(Qt::ControlModifier);
  if (code == 0) return;
  if (press) {
    down_.insert(code);
  } else {
    down_.erase(code);
  }
  if (!routeCommand) {
    HandleKey(panel_, code, *this);
    return;
  }
  if (const std::optional<Command> command = MatchHotkey(code, *this)) routeCommand(*command);
}

}  // namespace plinvaro::qt
