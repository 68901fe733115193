// The hotkeys: which events act, once per press, and what each row runs on the real panel.
#include <initializer_list>
#include <map>
#include <vector>
#include <set>

#include "PanelFixture.h"
#include "panel/Hotkeys.h"

namespace plinvaro::testing {
namespace {

using enum Command;

// The keys held down at the moment an event is handled.
class HeldKeys : public KeyState {
 public:
  HeldKeys(std::initializer_list<int> keys) : down_(keys) {}
  bool IsKeyDown(int keyCode) const override { return down_.count(keyCode) != 0; }

 private:
  std::set<int> down_;
};

constexpr int kShift = 0x10;
constexpr int kAlt = 0x12;
constexpr int kNumpad1 = 0x61;
constexpr int kNumpad2 = 0x62;

struct Row {
  int key;
  Command command;
};

TEST(HotkeyMatch, EachFunctionKeyActsWhileItIsDownWhateverModifiersAreHeld) {
  const Row rows[] = {{key::kF2, Start}, {key::kF3, Pause},      {key::kF4, Search},
                      {key::kF5, ToSrc}, {key::kF6, Stop},       {key::kF7, SwitchMode},
                      {key::kF8, Prev},  {key::kF9, Next},       {key::kF11, Accept}};
  for (const Row& row : rows) {
    EXPECT_EQ(MatchHotkey(row.key, HeldKeys{row.key}), row.command) << row.key;
    EXPECT_EQ(MatchHotkey(row.key, HeldKeys{row.key, kShift, key::kControl, kAlt}), row.command);
    EXPECT_EQ(MatchHotkey(row.key, HeldKeys{}), std::nullopt) << "release of " << row.key;
  }
}

TEST(HotkeyMatch, EachOfTheThirteenActionsHasExactlyOneKey) {
  std::map<Command, std::vector<int>> keysOf;
  for (int code = 0; code < 256; ++code) {
    if (const auto action = MatchHotkey(code, HeldKeys{code, key::kControl}))
      keysOf[*action].push_back(code);
  }
  EXPECT_EQ(keysOf.size(), 13u);
  for (const auto& [action, codes] : keysOf)
    EXPECT_EQ(codes.size(), 1u) << "action " << static_cast<int>(action);
}

TEST(HotkeyMatch, ArrowsNeedControlAndTheirOwnKey) {
  EXPECT_EQ(MatchHotkey(key::kUp, HeldKeys{key::kControl, key::kUp}), SlowDown);
  EXPECT_EQ(MatchHotkey(key::kDown, HeldKeys{key::kControl, key::kDown}), SpeedUp);
  EXPECT_EQ(MatchHotkey(key::kUp, HeldKeys{key::kUp}), std::nullopt);
  EXPECT_EQ(MatchHotkey(key::kDown, HeldKeys{key::kControl}), std::nullopt) << "release";
}

TEST(HotkeyMatch, DigitsTestOnlyControlSoTheyActOnPressAndOnRelease) {
  EXPECT_EQ(MatchHotkey(key::kDigit1, HeldKeys{key::kControl, key::kDigit1}), FocusSourceBox);
  EXPECT_EQ(MatchHotkey(key::kDigit1, HeldKeys{key::kControl}), FocusSourceBox);
  EXPECT_EQ(MatchHotkey(key::kDigit2, HeldKeys{key::kControl}), FocusPreviewBox);
  EXPECT_EQ(MatchHotkey(key::kDigit2, HeldKeys{key::kDigit2}), std::nullopt);
}

TEST(HotkeyMatch, OtherKeysNeverAct) {
  const HeldKeys everything{key::kControl, kShift, kAlt, key::kF1, key::kF10, key::kF12,
                            kNumpad1, kNumpad2, 'A'};
  for (const int code : {key::kF1, key::kF10, key::kF12, kNumpad1, kNumpad2, int{'A'},
                         key::kControl, 0, -1, 0x7FFF}) {
    EXPECT_EQ(MatchHotkey(code, everything), std::nullopt) << code;
  }
}

class HotkeyPanelTest : public PanelTest {
 protected:
  // A press (or auto-repeat) with `held` down, then the release with `afterwards` down.
  int PressAndRelease(int code, std::initializer_list<int> held,
                      std::initializer_list<int> afterwards = {}) {
    int acted = HandleKey(panel, code, HeldKeys(held)) ? 1 : 0;
    acted += HandleKey(panel, code, HeldKeys(afterwards)) ? 1 : 0;
    return acted;
  }
};

TEST_F(HotkeyPanelTest, ShiftF2StartsPlaybackAndF3PausesIt) {
  ChooseBaseWith("one two three");
  EXPECT_EQ(PressAndRelease(key::kF2, {key::kF2, kShift}, {kShift}), 1);
  EXPECT_TRUE(panel.playing());
  EXPECT_EQ(PressAndRelease(key::kF3, {key::kF3}), 1);
  EXPECT_FALSE(panel.playing());
}

TEST_F(HotkeyPanelTest, F4PressedAndReleasedSearchesOnce) {
  int searches = 0;
  struct Counter : PanelObserver {
    int* count;
    explicit Counter(int* c) : count(c) {}
    void SearchDone(bool) override { ++*count; }
  } counter(&searches);
  panel.SetObserver(&counter);
  CorpusWith("a.txt", "the road went on and on");
  SetSourceText("the road");
  EXPECT_EQ(PressAndRelease(key::kF4, {key::kF4}), 1);
  EXPECT_EQ(searches, 1);
  panel.SetObserver(nullptr);
}

TEST_F(HotkeyPanelTest, HeldControlDownStepsByFiveUpToTheFastestAndControlUpBackToTheSlowest) {
  ASSERT_EQ(face.controls.trackbar, 70);
  std::vector<int> positions;
  for (int repeat = 0; repeat < 10; ++repeat) {
    HandleKey(panel, key::kDown, HeldKeys{key::kControl, key::kDown});
    positions.push_back(face.controls.trackbar);
  }
  EXPECT_EQ(positions, (std::vector<int>{75, 80, 85, 90, 95, 100, 100, 100, 100, 100}));
  EXPECT_EQ(panel.interval(), 100);
  for (int repeat = 0; repeat < 25; ++repeat) {
    HandleKey(panel, key::kUp, HeldKeys{key::kControl, key::kUp});
  }
  EXPECT_EQ(face.controls.trackbar, 0);
  EXPECT_EQ(panel.interval(), 1200);
}

TEST_F(HotkeyPanelTest, ControlDigitsMoveTheFocusOnPressAndAgainOnRelease) {
  const int sourceBefore = face.sourceBox.focusCount();
  EXPECT_EQ(PressAndRelease(key::kDigit2, {key::kControl, key::kDigit2}, {key::kControl}), 2);
  EXPECT_EQ(face.previewBox.focusCount(), 2) << "even with an empty preview";
  EXPECT_EQ(PressAndRelease(key::kDigit1, {key::kControl, key::kDigit1}, {}), 1);
  EXPECT_EQ(face.sourceBox.focusCount(), sourceBefore + 1) << "Ctrl let go first";
}

TEST_F(HotkeyPanelTest, F7FlipsTheModeAndPartKeysObeyTheirButtons) {
  ASSERT_TRUE(face.controls.onTheFly);
  EXPECT_EQ(PressAndRelease(key::kF7, {key::kF7}), 1);
  EXPECT_FALSE(face.controls.onTheFly);
  EXPECT_EQ(PressAndRelease(key::kF7, {key::kF7}), 1);
  EXPECT_TRUE(face.controls.onTheFly);
  // With no found parts the part buttons are disabled: F8, F9, F11 change nothing.
  SetSourceText("kept as it is");
  PressAndRelease(key::kF8, {key::kF8});
  PressAndRelease(key::kF9, {key::kF9});
  PressAndRelease(key::kF11, {key::kF11});
  EXPECT_EQ(SourceText(), "kept as it is");
  EXPECT_EQ(face.controls.Buttons(), kAllDisabled);
}

TEST_F(HotkeyPanelTest, F5AndF6ActAsToSrcAndStop) {
  ChooseBaseWith("alpha beta gamma");
  panel.StartPlayback();
  panel.PlaybackTick();
  EXPECT_EQ(PressAndRelease(key::kF6, {key::kF6}), 1);
  EXPECT_FALSE(panel.playing());
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::None);
  EXPECT_EQ(PressAndRelease(key::kF5, {key::kF5}), 1);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);
}

// The face names a key by its run and index; the model gives the Windows virtual-key value.
TEST(PortableKeyCode, GivesEachRunsCodesAndNothingOutsideTheRun) {
  struct Case {
    KeyRun run;
    int index;
    bool keypad;
    int code;
  };
  const Case cases[] = {
      {KeyRun::Digit, 0, false, 0x30},      {KeyRun::Digit, 1, false, key::kDigit1},
      {KeyRun::Digit, 2, false, key::kDigit2}, {KeyRun::Digit, 9, false, 0x39},
      {KeyRun::Digit, 1, true, kNumpad1},   {KeyRun::Digit, 2, true, kNumpad2},
      {KeyRun::Digit, 10, false, 0},        {KeyRun::Digit, -1, true, 0},
      {KeyRun::Letter, 0, false, 'A'},      {KeyRun::Letter, 25, false, 'Z'},
      {KeyRun::Letter, 25, true, 'Z'},      {KeyRun::Letter, 26, false, 0},
      {KeyRun::FunctionKey, 0, false, key::kF1}, {KeyRun::FunctionKey, 10, false, key::kF11},
      {KeyRun::FunctionKey, 23, false, 0x87},  {KeyRun::FunctionKey, 24, false, 0},
      {KeyRun::Up, 0, false, key::kUp},     {KeyRun::Up, 0, true, key::kUp},
      {KeyRun::Down, 0, false, key::kDown}, {KeyRun::Left, 0, false, 0x25},
      {KeyRun::Right, 0, false, 0x27},      {KeyRun::Control, 0, false, key::kControl},
      {KeyRun::Control, 1, false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PortableKeyCode(c.run, c.index, c.keypad), c.code)
        << static_cast<int>(c.run) << " " << c.index << " keypad " << c.keypad;
  }
}

}  // namespace
}  // namespace plinvaro::testing
