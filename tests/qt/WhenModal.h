// Answers a modal widget from a test: runs checks on it as soon as one is up and always closes it, or chooses a file in a file dialog.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace plinvaro::testing {

inline constexpr int kModalPollMs = 10;
inline constexpr int kModalWaitMs = 10000;

// Runs `act` on the modal widget as soon as one is up (a key may open it only
// after the timer is armed). A check in `act` that fails returns early and
// leaves the widget open; it is then closed, so that it cannot keep the test
// waiting. Gives up when no modal widget comes within kModalWaitMs.
inline void WhenModal(std::function<void(QWidget*)> act, int waitedMs = 0) {
  QTimer::singleShot(kModalPollMs, [act, waitedMs] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      if (waitedMs < kModalWaitMs) WhenModal(act, waitedMs + kModalPollMs);
      return;
    }
    const QPointer<QWidget> guard(modal);
    act(modal);
    if (!QTest::currentTestFailed() || !guard || !guard->isVisible()) return;
    if (auto* dialog = qobject_cast<QDialog*>(guard.data())) {
      dialog->reject();
    } else {
      guard->close();
    }
  });
}

// As WhenModal, for a modal widget of type `Widget`; another one fails the test and is closed.
template <typename Widget>
void WhenModalIs(std::function<void(Widget&)> act) {
  WhenModal([act](QWidget* modal) {
    auto* widget = qobject_cast<Widget*>(modal);
    QVERIFY2(widget != nullptr, "another modal widget came up");
    act(*widget);
  });
}

// Chooses `path` in `dialog` and accepts it. While the dialog's model has not
// yet read the folder, selecting leaves the name box empty (a folder chooser
// then offers the folder it shows); the path is typed into it, as a user would.
inline void ChooseFile(QFileDialog& dialog, const QString& path) {
  auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  dialog.selectFile(path);
  const bool chosen = dialog.selectedFiles() == QStringList{path};
  if (!chosen && name != nullptr) name->setText(path);
  QMetaObject::invokeMethod(&dialog, "accept");
}

}  // namespace plinvaro::testing
