// The Qt tests' window under test: made fresh for each test function, shown, and dropped after it.
#pragma once

#include <QtTest>
#include <memory>

#include "TempDir.h"
#include "window/ControlTable.h"
#include "qt/MainWindow.h"

namespace plinvaro::testing {

class WindowFixture {
 protected:
  // A new window and a new scratch folder; true once the window is exposed or,
  // with `active`, once it has the keyboard.
  bool OpenWindow(bool active = false) {
    dir_ = std::make_unique<TempDir>();
    window_ = std::make_unique<qt::MainWindow>();
    window_->show();
    if (!active) return QTest::qWaitForWindowExposed(window_.get());
    window_->activateWindow();
    return QTest::qWaitForWindowActive(window_.get());
  }
  void CloseWindow() {
    window_.reset();
    dir_.reset();
  }

  QWidget* W(ControlId id) { return window_->controls().widget(id); }
  void Click(ControlId id) { QTest::mouseClick(W(id), Qt::LeftButton); }

  std::unique_ptr<qt::MainWindow> window_;
  std::unique_ptr<TempDir> dir_;
};

}  // namespace plinvaro::testing
