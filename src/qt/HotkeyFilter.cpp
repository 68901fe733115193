// HotkeyFilter: key events at their window become HandleKey calls, with a key state kept from presses and releases.
#include "qt/HotkeyFilter.h"

#include <QEvent>
#include <QKeyEvent>

namespace plinvaro::qt {
namespace {

constexpr int kVkDigit0 = 0x30;
constexpr int kVkLetterA = 0x41;
constexpr int kVkNumpad0 = 0x60;
constexpr int kVkLeft = 0x25;
constexpr int kVkRight = 0x27;
constexpr int kFunctionKeys = 24;

}  // namespace

int KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return (keypad ? kVkNumpad0 : kVkDigit0) + (key - Qt::Key_0);
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return kVkLetterA + (key - Qt::Key_A);
  if (key >= Qt::Key_F1 && key < Qt::Key_F1 + kFunctionKeys) return key::kF1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Up: return key::kUp;
    case Qt::Key_Down: return key::kDown;
    case Qt::Key_Left: return kVkLeft;
    case Qt::Key_Right: return kVkRight;
    case Qt::Key_Control: return key::kControl;
    default: return 0;
  }
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
  HandleKey(panel_, code, *this);
}

}  // namespace plinvaro::qt
