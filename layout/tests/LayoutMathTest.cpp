#include <gtest/gtest.h>

#include "layout/LayoutMath.h"
#include "layout/tests/FixedTextMeasure.h"

namespace tvn {
namespace {

std::vector<int> Lefts(const TButtonAreaLayout& layout) {
  std::vector<int> xs;
  for (const TLayoutRect& r : layout.Buttons) xs.push_back(r.Left);
  return xs;
}

TEST(LayoutText, StripAmpersandsRemovesEveryAmpersand) {
  EXPECT_EQ(StripAmpersands(u"A&utor*:"), u"Autor*:");
  EXPECT_EQ(StripAmpersands(u"Salz && Pfeffer"), u"Salz  Pfeffer");
  EXPECT_EQ(StripAmpersands(u"&"), u"");
}

TEST(LayoutText, PaddedWidthMeasuresTheTextAndOneBlank) {
  const TFixedTextMeasure font(7, 15);
  EXPECT_EQ(PaddedTextWidth(font, u"Abc"), 4 * 7);
  EXPECT_EQ(PaddedTextWidth(font, u""), 7);
}

TEST(LayoutText, ControlHeightsFollowTheTextHeight) {
  struct Case {
    int textHeight;
    TControlKind kind;
    int height;
  };
  const Case cases[] = {
      {0, TControlKind::Label, 12},       {0, TControlKind::Edit, 20},
      {-3, TControlKind::Button, 24},     {19, TControlKind::Label, 19},
      {19, TControlKind::Edit, 27},       {19, TControlKind::DatePicker, 27},
      {19, TControlKind::Button, 31},     {19, TControlKind::StatusBar, 25},
      {19, TControlKind::RadioGroup, 27}, {19, TControlKind::CheckBox, 27},
      {19, TControlKind::Other, 19},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ControlHeightForTextHeight(c.textHeight, c.kind), c.height)
        << c.textHeight << " kind " << static_cast<int>(c.kind);
  EXPECT_EQ(ControlHeightForFont(TFixedTextMeasure(8, 0), TControlKind::Edit), 20);
}

TEST(LayoutText, CheckBoxWrapsIntoItsWidthLessTheCheckMark) {
  const TFixedTextMeasure font(10, 20);
  // "&Retourniert:" is 12 characters = 120 pixels; 200 - 13 - 12 = 175 leaves one line.
  EXPECT_EQ(FitCheckBoxHeight(font, u"&Retourniert:", 200, 13), 28);
  // 120 - 13 - 12 = 95: "Sehr langer Text" wraps after each word.
  EXPECT_EQ(FitCheckBoxHeight(font, u"Sehr langer Text", 120, 13), 3 * 20 + 8);
  // A width below the check mark still measures into one pixel.
  EXPECT_EQ(FitCheckBoxHeight(font, u"A B", 0, 13), 2 * 20 + 8);
}

TEST(LayoutButtons, CommonSizeFromTheWidestCaption) {
  const TFixedTextMeasure font(8, 16);
  const std::vector<std::u16string> captions = {u"O&K", u"&Leeren", u"&Abbrechen"};
  // "AbbrechenMM " = 12 characters.
  EXPECT_EQ(MeasureButtons(font, captions, 1000), (TLayoutSize{96, 28}));
}

TEST(LayoutButtons, TooWideCaptionWrapsAndEveryButtonGrows) {
  const TFixedTextMeasure font(8, 16);
  const std::vector<std::u16string> captions = {u"O&K", u"Ein sehr langer Knopftext"};
  // The width is cut to 100; captions wrap into 84: "Ein sehr" / "langer" / "Knopftext".
  const TLayoutSize size = MeasureButtons(font, captions, 100);
  EXPECT_EQ(size, (TLayoutSize{100, 3 * 16 + 12}));
  // Nothing below one pixel, even without room or buttons.
  EXPECT_EQ(MeasureButtons(font, captions, 0).Width, 1);
  EXPECT_EQ(MeasureButtons(font, {}, 500), (TLayoutSize{1, 1}));
}

TEST(LayoutButtons, RowsAreCentredAndWrap) {
  // Three buttons 120 wide: one row in 400, two rows in 250.
  const TButtonAreaLayout wide = ArrangeButtons(1000, 600, 10, 590, 400, {120, 30}, 3);
  EXPECT_EQ(wide.Columns, 3);
  EXPECT_EQ(Lefts(wide), (std::vector<int>{15, 140, 265}));
  EXPECT_EQ(wide.Buttons[2], (TLayoutRect{265, 0, 120, 30}));

  const TButtonAreaLayout narrow = ArrangeButtons(1000, 600, 10, 590, 250, {120, 30}, 3);
  EXPECT_EQ(narrow.Columns, 2);
  EXPECT_EQ(Lefts(narrow), (std::vector<int>{2, 127, 65}));
  EXPECT_EQ(narrow.Buttons[2].Top, 35);
  EXPECT_EQ(narrow.NeededHeight, 65);
  EXPECT_EQ(narrow.Area, (TLayoutRect{10, 590 - 65, 980, 65}));
}

TEST(LayoutButtons, AreaTakesAtMostHalfTheRoomAndScrolls) {
  // Six buttons in one column need 6 * 35 - 5 = 205; half of 190 - 10 is 90.
  const TButtonAreaLayout layout = ArrangeButtons(300, 200, 10, 190, 100, {120, 30}, 6);
  EXPECT_EQ(layout.Columns, 1);
  EXPECT_EQ(layout.NeededHeight, 205);
  EXPECT_EQ(layout.Area, (TLayoutRect{10, 100, 280, 90}));
  EXPECT_EQ(layout.Buttons[5].Top, 175);
  EXPECT_EQ(layout.Buttons[5].Left, 0);  // wider than the room: not shifted left of 0
}

TEST(LayoutButtons, LimitsAreClampedToTheClientArea) {
  const TButtonAreaLayout layout = ArrangeButtons(300, 100, -40, 500, 260, {50, 20}, 2);
  // top 0, bottom 100: the area ends at the client bottom.
  EXPECT_EQ(layout.Area, (TLayoutRect{10, 80, 280, 20}));
  const TButtonAreaLayout empty = ArrangeButtons(0, 0, 10, -10, 1, {1, 1}, 1);
  EXPECT_EQ(empty.Area, (TLayoutRect{10, 0, 1, 1}));
}

TEST(LayoutButtons, AvailableWidthKeepsRoomForTheScrollBar) {
  EXPECT_EQ(ButtonAreaAvailWidth(500, 17), 463);
  EXPECT_EQ(ButtonAreaAvailWidth(30, 17), 1);
}

TEST(LayoutDialog, OwnerCoveringTheWorkAreaGivesReservedSizeCentred) {
  const TLayoutRect work{0, 0, 1920, 1040};
  const TLayoutRect owner{0, 0, 1920, 1040};
  const TLayoutRect area = DialogArea(work, &owner);
  EXPECT_EQ(area, work);
  const TLayoutSize outer = DialogOuterSize(area);
  EXPECT_EQ(outer, (TLayoutSize{1870, 990}));
  EXPECT_EQ(CenterInArea(area, outer), (TLayoutRect{25, 25, 1870, 990}));
}

TEST(LayoutDialog, MinimumSizeNeverExceedsTheArea) {
  struct Case {
    int areaLength, outerLength;
  };
  const Case cases[] = {{200, 200}, {260, 250}, {300, 250}, {301, 251}, {1, 1}, {0, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(DialogOuterSize({0, 0, c.areaLength, 1040}).Width, c.outerLength) << c.areaLength;
  // A 200-pixel area gives exactly 200 after centring too.
  const TLayoutRect area{100, 0, 200, 1040};
  EXPECT_EQ(CenterInArea(area, DialogOuterSize(area)), (TLayoutRect{100, 25, 200, 990}));
}

TEST(LayoutDialog, AreaFollowsTheOwnerInsideTheWorkArea) {
  const TLayoutRect work{1920, 0, 1600, 860};  // a second monitor right of the first
  const TLayoutRect inside{2000, 100, 800, 500};
  EXPECT_EQ(DialogArea(work, &inside), inside);
  const TLayoutRect overlapping{3200, -100, 800, 500};
  EXPECT_EQ(DialogArea(work, &overlapping), (TLayoutRect{3200, 0, 320, 400}));
  EXPECT_EQ(DialogArea(work, nullptr), work);
}

TEST(LayoutDialog, OwnerOffTheMonitorIsCentredInTheWorkArea) {
  const TLayoutRect work{0, 0, 1920, 1040};
  const TLayoutRect away{3000, 100, 800, 600};
  EXPECT_EQ(DialogArea(work, &away), (TLayoutRect{560, 220, 800, 600}));
  const TLayoutRect huge{-5000, -3000, 4000, 2000};  // clipped to the work area's size
  EXPECT_EQ(DialogArea(work, &huge), work);
  const TLayoutRect flat{3000, 0, 0, 0};
  EXPECT_EQ(DialogArea(work, &flat), (TLayoutRect{959, 519, 1, 1}));
}

TEST(LayoutDialog, ClientLimitsShrinkTheOuterSizeByTheFrame) {
  const TLayoutRect area{0, 0, 1920, 1040};
  const TDialogSizes free = DialogSizes(area, {16, 39}, 0, 0);
  EXPECT_EQ(free.Outer, (TLayoutSize{1870, 990}));
  EXPECT_EQ(free.Client, (TLayoutSize{1854, 951}));
  const TDialogSizes limited = DialogSizes(area, {16, 39}, 600, 2000);
  EXPECT_EQ(limited.Client, (TLayoutSize{600, 951}));
  EXPECT_EQ(limited.Outer, (TLayoutSize{616, 990}));
}

TEST(LayoutDialog, ContentBoxEndsAboveTheButtonArea) {
  EXPECT_EQ(ContentBoxBounds(1000, 560), (TLayoutRect{10, 10, 980, 540}));
  EXPECT_EQ(ContentBoxBounds(15, 12), (TLayoutRect{10, 10, 1, 1}));
}

}  // namespace
}  // namespace tvn
