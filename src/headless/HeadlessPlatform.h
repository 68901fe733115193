// A whole platform in memory under one owner: two documents and the headless parts, handed to MainPanel.
//
// The platform owns every object it hands out and must outlive the panel. Each
// part is the headless one unless the user names another type for it: tests
// name types derived from the headless ones that also record the calls, the
// command line its own message boxes and generator. The constructor's arguments
// go to the random source.
#pragma once

#include <utility>

#include "text/MemoryDocument.h"
#include "headless/HeadlessParts.h"
#include "panel/Platform.h"

namespace plinvaro::headless {

template <typename Document = MemoryDocument, typename Timer = HeadlessTimer,
          typename Dialogs = QueuedDialogs, typename Messages = ShownMessages,
          typename Random = QueuedRandom>
class BasicHeadlessPlatform {
 public:
  template <typename... RandomArgs>
  explicit BasicHeadlessPlatform(RandomArgs&&... randomArgs)
      : random(std::forward<RandomArgs>(randomArgs)...) {}
  BasicHeadlessPlatform(const BasicHeadlessPlatform&) = delete;
  BasicHeadlessPlatform& operator=(const BasicHeadlessPlatform&) = delete;

  Platform platform() {
    return Platform{sourceBox, previewBox, controls, timer, dialogs, messages, random};
  }

  Document sourceBox;
  Document previewBox;
  HeadlessControls controls;
  Timer timer;
  Dialogs dialogs;
  Messages messages;
  Random random;
};

using HeadlessPlatform = BasicHeadlessPlatform<>;

}  // namespace plinvaro::headless
