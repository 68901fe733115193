// EditReporter: tells a ScintillaDocument's listener of the user's changes from the box's modification notifications.
//
// Turns on the box's notifications just before each insertion and deletion and
// reports each as a User change told ahead, or Restore when the box's Undo or
// Redo makes it; changes made
// through ReplaceRange reach the listener from the document itself. A QObject
// child of the box's widget; the document must outlive it.
#pragma once

#include <QObject>

#include "qt/ScintillaDocument.h"

namespace plinvaro::qt {

class EditReporter : public QObject {
 public:
  explicit EditReporter(ScintillaDocument& document);
  // Stops the notifications and the reports; the map then vouches for nothing.
  void SetReporting(bool reporting);

 private:
  void Modified(int position, int type, int length);

  ScintillaDocument& document_;
};

}  // namespace plinvaro::qt
