// The font-size list applied to both boxes, and which slider events change the speed.
#include "PanelFixture.h"
#include "window/FontSizes.h"
#include "panel/SpeedSlider.h"

namespace plinvaro::testing {
namespace {

TEST(FontSizes, ListsThirtyTwoSizesFromEightToSeventyInStepsOfTwo) {
  const auto items = FontSizeItems();
  ASSERT_EQ(items.size(), 32u);
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i], std::to_string(8 + 2 * static_cast<int>(i)));
  }
  EXPECT_EQ(FontSizeItem(kInitialFontSizeIndex), "12");
  EXPECT_EQ(FontSizeItem(-1), "");
  EXPECT_EQ(FontSizeItem(32), "");
}

TEST(FontSizes, TwipsAreTwentyPerPointOfTheLeadingNumber) {
  EXPECT_EQ(FontSizeTwips("8"), 160);
  EXPECT_EQ(FontSizeTwips("70"), 1400);
  EXPECT_EQ(FontSizeTwips(" 12pt"), 240);
  EXPECT_EQ(FontSizeTwips(""), 0);
  EXPECT_EQ(FontSizeTwips("x"), 0);
  EXPECT_EQ(FontSizeTwips("99999999999999"), 2000000) << "saturates instead of overflowing";
}

class FontSizeTest : public PanelTest {};

TEST_F(FontSizeTest, StartsAtTwelvePointTimesNewRomanInBothBoxes) {
  EXPECT_EQ(face.controls.fontSizeIndex, 2);
  for (const MemoryDocument* box : {&face.sourceBox, &face.previewBox}) {
    EXPECT_EQ(box->fontFace(), "Times New Roman");
    EXPECT_EQ(box->fontTwips(), 240);
  }
}

TEST_F(FontSizeTest, AppliesTheFirstAndTheLastItemAndReappliesTheSame) {
  face.controls.fontSizeIndex = 0;
  panel.ApplyFontSize();
  EXPECT_EQ(face.sourceBox.fontTwips(), 160);
  EXPECT_EQ(face.previewBox.fontTwips(), 160);
  face.controls.fontSizeIndex = 31;
  panel.ApplyFontSize();
  EXPECT_EQ(face.previewBox.fontTwips(), 1400);
  face.sourceBox.SetDefaultFont("other", 1);
  panel.ApplyFontSize();
  EXPECT_EQ(face.sourceBox.fontFace(), "Times New Roman");
  EXPECT_EQ(face.sourceBox.fontTwips(), 1400);
}

TEST_F(FontSizeTest, OnlyAReleasedMouseChangesTheSpeedAtOnce) {
  face.controls.trackbar = 100;
  HandleSliderEvent(panel, SliderEvent::KeyboardMoved);
  HandleSliderEvent(panel, SliderEvent::ThumbDragged);
  EXPECT_EQ(panel.interval(), 500);
  HandleSliderEvent(panel, SliderEvent::MouseReleased);
  EXPECT_EQ(panel.interval(), 100);
}

}  // namespace
}  // namespace plinvaro::testing
