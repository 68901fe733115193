// Answers a modal widget from a test: runs an action on it as soon as one is up, or chooses a file in a file dialog.
#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
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

// Chooses `path` in `dialog` and accepts it. While the dialog's file model has
// not yet read the folder, selecting leaves the name box empty; the path is
// then typed into it, as a user would.
inline void ChooseFile(QFileDialog& dialog, const QString& path) {
  dialog.selectFile(path);
  if (dialog.selectedFiles().isEmpty()) {
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(path);
  }
  QMetaObject::invokeMethod(&dialog, "accept");
}

}  // namespace plinvaro::testing
