// Answers a modal widget from a test: runs an action on it as soon as one is up.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace plinvaro::testing {

// Runs `act` on the modal widget as soon as one is up (a key may open it only after the timer is armed).
inline void WhenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(10, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return WhenModal(act);
    act(modal);
  });
}

}  // namespace plinvaro::testing
