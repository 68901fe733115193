// How each preview button id and hotkey reaches its command: the part, the preview text and the scroll that result.
#include <iterator>
#include <string>
#include <variant>

#include "PanelFixture.h"
#include "panel/Hotkeys.h"

namespace plinvaro::testing {
namespace {

// Exactly the given key is down while its event is handled.
class OneKeyDown : public KeyState {
 public:
  explicit OneKeyDown(int code) : code_(code) {}
  bool IsKeyDown(int keyCode) const override { return keyCode == code_; }

 private:
  int code_;
};

std::string Words(std::size_t bytes) {
  std::string text;
  for (int i = 0; text.size() < bytes; ++i) text += " v" + std::to_string(i);
  text.resize(bytes);
  return text;
}

// Three parts, longest match first, each with a different text after it:
// 0 " c" (the file's end), 1 the long middle one, 2 the one nearest the start.
const std::string kMiddle = Words(3000);
const std::string kFile = "x the old road a;" + std::string(" the old road") + kMiddle +
                          ", the old road c";
const std::string kPartText[3] = {" c", kFile.substr(30, 1023), kFile.substr(14, 1023)};

struct Button { int id; };  // the control's Windows id
struct Key { int code; };

struct Route {
  const char* name;
  std::variant<Button, Key> entry;
  int part;             // index of the current part afterwards; -1 none
  std::string preview;  // preview text afterwards
  ScrollRequest scroll;
  bool accepted;        // the source box received the part
};

class PreviewRoutingTest : public PanelTest, public ::testing::WithParamInterface<Route> {
 protected:
  // Preview mode, the three parts found, the middle one shown, every button enabled.
  void SetUp() override {
    CorpusWith("three.txt", kFile);
    PreviewSearch("the old road");
    ASSERT_EQ(panel.results().PartCount(), 3);
    panel.NextPart();
    ASSERT_EQ(CurrentIndex(), 1);
    ASSERT_EQ(PreviewText(), kPartText[1]);
    ASSERT_EQ(face.controls.Buttons(), (ButtonStates{true, true, true, true}));
    face.previewBox.ResetScroll();
  }
  int CurrentIndex() {
    return panel.CurrentPartIndex();
  }
  bool Enter(const std::variant<Button, Key>& entry) {
    if (const auto* button = std::get_if<Button>(&entry)) return PressButton(button->id);
    return HandleKey(panel, std::get<Key>(entry).code, OneKeyDown(std::get<Key>(entry).code));
  }
};

TEST_P(PreviewRoutingTest, ReachesItsOwnCommand) {
  const Route& r = GetParam();
  ASSERT_TRUE(Enter(r.entry));
  EXPECT_EQ(CurrentIndex(), r.part);
  EXPECT_EQ(PreviewText(), r.preview);
  EXPECT_EQ(face.previewBox.lastScroll(), r.scroll);
  EXPECT_EQ(SourceText(), r.accepted ? "the old road" + r.preview : "the old road");
}

const std::string kMore = kFile.substr(30, 2047);

INSTANTIATE_TEST_SUITE_P(
    Entries, PreviewRoutingTest,
    ::testing::Values(
        Route{"PrevButton", Button{7}, 0, kPartText[0], ScrollRequest::Top, false},
        Route{"NextButton", Button{8}, 2, kPartText[2], ScrollRequest::Top, false},
        Route{"MoreButton", Button{11}, 1, kMore, ScrollRequest::Bottom, false},
        Route{"AcceptButton", Button{9}, 1, kPartText[1], ScrollRequest::None, true},
        Route{"ModeBoxUnchecked", Button{10}, -1, kPartText[1],
              ScrollRequest::None, false},
        Route{"F8", Key{key::kF8}, 0, kPartText[0], ScrollRequest::Top, false},
        Route{"F9", Key{key::kF9}, 2, kPartText[2], ScrollRequest::Top, false},
        Route{"F11", Key{key::kF11}, 1, kPartText[1], ScrollRequest::None, true},
        Route{"F7", Key{key::kF7}, 1, "", ScrollRequest::None, false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// After each entry the buttons say where the current part now stands.
TEST_F(PanelTest, PreviewEntriesLeaveTheButtonsOfTheNewPlace) {
  CorpusWith("three.txt", kFile);
  PreviewSearch("the old road");
  ASSERT_EQ(panel.results().PartCount(), 3);
  panel.Run(Command::Next);
  panel.Run(Command::Next);
  EXPECT_EQ(face.controls.Buttons(), (ButtonStates{true, false, true, true}));
  HandleKey(panel, key::kF8, OneKeyDown(key::kF8));
  EXPECT_EQ(face.controls.Buttons(), (ButtonStates{true, true, true, true}));
  HandleKey(panel, key::kF8, OneKeyDown(key::kF8));
  // Back on the first part, whose whole text was loaded when the search showed it.
  EXPECT_EQ(face.controls.Buttons(), (ButtonStates{false, true, true, false}));
  face.previewBox.ResetScroll();
  panel.Run(Command::Prev);
  panel.Run(Command::More);
  HandleKey(panel, key::kF8, OneKeyDown(key::kF8));
  EXPECT_EQ(PreviewText(), kPartText[0]);
  EXPECT_EQ(face.previewBox.lastScroll(), ScrollRequest::None) << "disabled entries do nothing";
}

// A part with exactly one load step of text after it: the first load asks one
// byte short of the file's end, so coming back to it still offers "\/" once.
TEST_F(PanelTest, PartOfExactlyOneLoadStepKeepsMoreUntilTheByteAfterTheFileIsAskedFor) {
  const std::string tail = Words(kPartTextStep);
  CorpusWith("two.txt", "x the old road b, the old road" + tail);
  PreviewSearch("the old road");
  ASSERT_EQ(panel.results().PartCount(), 2);
  ASSERT_EQ(PreviewText(), tail.substr(0, kPartTextStep - 1));
  panel.Run(Command::Next);
  panel.Run(Command::Prev);
  EXPECT_EQ(face.controls.Buttons(), (ButtonStates{false, true, true, true}));
  panel.Run(Command::More);
  EXPECT_EQ(PreviewText(), tail);
  EXPECT_EQ(face.controls.Buttons(), (ButtonStates{false, true, true, false}));
}

}  // namespace
}  // namespace plinvaro::testing
