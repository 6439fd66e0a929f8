#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>

#include "layout/TvnLayout.h"
#include "layout/demo/DemoDialog.h"
#include "layout/demo/LayoutCheck.h"
#include "layout/tests/WinTestSupport.h"
#include "winui/Timer.h"
#include "winui/Win32Util.h"

namespace tvn {
namespace {

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

// The rectangle of a control in its scroll box's visible client area.
RECT VisibleRectIn(const winui::TControl& control, const winui::TScrollBox& box) {
  RECT r = WindowRectOf(control.Handle());
  MapWindowPoints(HWND_DESKTOP, box.Handle(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool FullyVisible(const winui::TControl& control, const winui::TScrollBox& box) {
  const RECT r = VisibleRectIn(control, box);
  return r.top >= 0 && r.bottom <= box.ClientHeight();
}

struct LayoutCase {
  int points;
  std::optional<RECT> owner;  // bounds of the owner window; none: no owner
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
  *os << c.points << " pt";
  if (c.owner) {
    const RECT& o = *c.owner;
    *os << " over " << o.right - o.left << "x" << o.bottom - o.top << " at " << o.left << ","
        << o.top;
  }
}

class DialogLayout : public ::testing::TestWithParam<LayoutCase> {
 protected:
  void SetUp() override {
    test::UseGermanLocaleNames();
    winui::AktFont = winui::TFont{};
    winui::AktFont.Size = GetParam().points;
    if (GetParam().owner) {
      const RECT o = *GetParam().owner;
      owner = std::make_unique<winui::TMainForm>();
      owner->SetBounds(o.left, o.top, o.right - o.left, o.bottom - o.top);
    }
    dialog = std::make_unique<TDemoDialog>(owner.get());
  }
  void TearDown() override { winui::AktFont = winui::TFont{}; }

  // Shows the dialog, runs check once it is on the screen and closes it.
  void ShowAndCheck(const std::function<void()>& check) {
    winui::TTimer visible(10);
    bool checked = false;
    visible.OnTimer = [&] {
      if (!IsWindowVisible(dialog->Handle())) return;
      visible.SetEnabled(false);
      check();
      checked = true;
      dialog->SetModalResult(winui::mrCancel);
    };
    dialog->OnShown = [&] { visible.SetEnabled(true); };
    dialog->ShowModal();
    EXPECT_TRUE(checked);
  }

  std::unique_ptr<winui::TMainForm> owner;
  std::unique_ptr<TDemoDialog> dialog;
};

TEST_P(DialogLayout, NothingOverlapsOrIsCutOff) {
  ShowAndCheck([&] {
    for (const std::string& problem : LayoutProblems(*dialog)) ADD_FAILURE() << problem;
  });
}

TEST_P(DialogLayout, DialogCoversItsAreaLessTheReserve) {
  ShowAndCheck([&] {
    const RECT work = winui::MonitorWorkArea(dialog->Handle());
    const TLayoutRect workArea{work.left, work.top, work.right - work.left, work.bottom - work.top};
    TLayoutRect area = workArea;
    if (GetParam().owner) {
      const RECT o = *GetParam().owner;
      const TLayoutRect ownerBounds{o.left, o.top, o.right - o.left, o.bottom - o.top};
      area = DialogArea(workArea, &ownerBounds);
    }
    const TLayoutSize outer = DialogOuterSize(area);
    const RECT r = WindowRectOf(dialog->Handle());
    EXPECT_EQ(r.right - r.left, outer.Width);
    EXPECT_EQ(r.bottom - r.top, outer.Height);
    // Centred in the area.
    EXPECT_LE(std::abs((r.left - area.Left) - (area.Right() - r.right)), 1);
    EXPECT_LE(std::abs((r.top - area.Top) - (area.Bottom() - r.bottom)), 1);
  });
}

// Tabbing to a control outside the visible part of its box scrolls it into view.
TEST_P(DialogLayout, FocusScrollsTheControlIntoView) {
  ShowAndCheck([&] {
    const winui::TScrollBox& content = *dialog->FContent;
    dialog->RichEdit1.SetFocus();
    EXPECT_GE(VisibleRectIn(dialog->RichEdit1, content).top, 0);
    EXPECT_LT(VisibleRectIn(dialog->RichEdit1, content).top, content.ClientHeight());
    dialog->DatePicker2.SetFocus();
    EXPECT_TRUE(FullyVisible(dialog->DatePicker2, content));
    EXPECT_EQ(dialog->DatePicker2.MarkiereNr(), dtTag);
    dialog->Button3.SetFocus();
    EXPECT_TRUE(FullyVisible(dialog->Button3, *dialog->FButtonArea));
    dialog->Button1.SetFocus();
    EXPECT_TRUE(FullyVisible(dialog->Button1, *dialog->FButtonArea));
  });
}

const RECT kSmallOwner{100, 100, 900, 700};
const RECT kTinyOwner{300, 200, 550, 500};
const RECT kOwnerAway{5000, 100, 5800, 700};

INSTANTIATE_TEST_SUITE_P(Fonts, DialogLayout,
                         ::testing::Values(LayoutCase{12, std::nullopt},
                                           LayoutCase{35, std::nullopt},
                                           LayoutCase{12, kSmallOwner}, LayoutCase{35, kSmallOwner},
                                           LayoutCase{20, kTinyOwner}, LayoutCase{12, kOwnerAway}));

class DialogLayoutDetails : public DialogLayout {};

TEST_P(DialogLayoutDetails, LargeFontOverSmallOwnerTakesOneColumnAndScrolls) {
  ShowAndCheck([&] {
    EXPECT_EQ(dialog->Edit2.Left(), dialog->Edit1.Left());
    EXPECT_GT(dialog->Edit2.Top(), dialog->Edit1.Top());
    const winui::TScrollBox& content = *dialog->FContent;
    EXPECT_GT(content.ContentSize().cy, content.ClientHeight());
    EXPECT_FALSE(FullyVisible(dialog->RichEdit1, content));
  });
}

INSTANTIATE_TEST_SUITE_P(Large, DialogLayoutDetails,
                         ::testing::Values(LayoutCase{35, kSmallOwner}));

class ButtonAreaLimit : public DialogLayout {};

// Over a tiny owner the buttons need more than half the height: the area takes half and
// scrolls, and tabbing to a hidden button shows it.
TEST_P(ButtonAreaLimit, AreaTakesHalfTheHeightAndScrollsToTheFocusedButton) {
  ShowAndCheck([&] {
    const TButtonScrollBox& area = *dialog->FButtonArea;
    const int room = dialog->ClientHeight() - 2 * kOuterMargin;
    EXPECT_EQ(area.Height(), room / 2);
    EXPECT_GT(area.ContentSize().cy, area.ClientHeight());
    EXPECT_FALSE(FullyVisible(dialog->Button3, area));
    dialog->Button3.SetFocus();
    EXPECT_TRUE(FullyVisible(dialog->Button3, area));
    EXPECT_FALSE(FullyVisible(dialog->Button1, area));
  });
}

INSTANTIATE_TEST_SUITE_P(Tiny, ButtonAreaLimit, ::testing::Values(LayoutCase{20, kTinyOwner}));

TEST(FontMeasure, EmptyTextAndMissingFontHeight) {
  EXPECT_EQ(FontTextWidth(winui::AktFont, u""), 0);
  EXPECT_GT(FontTextWidth(winui::AktFont, u"Autor"), 0);
  EXPECT_EQ(PaddedTextWidth(winui::AktFont, u"Autor"), FontTextWidth(winui::AktFont, u"Autor "));
  winui::TFont big = winui::AktFont;
  big.Size = 35;
  EXPECT_GT(FontTextHeight(big), FontTextHeight(winui::AktFont));
  EXPECT_GT(FontTextHeight(FontOrDefault(nullptr)), 0);
}

TEST(FontMeasure, ControlHeightsByKind) {
  winui::TLabel label(nullptr);
  winui::TEdit edit(nullptr);
  TDatePicker picker(nullptr);
  winui::TButton button(nullptr);
  const int h = FontTextHeight(winui::AktFont);
  EXPECT_EQ(ControlHeightForFont(winui::AktFont, label), h);
  EXPECT_EQ(ControlHeightForFont(winui::AktFont, edit), h + 8);
  EXPECT_EQ(ControlHeightForFont(winui::AktFont, picker), h + 8);
  EXPECT_EQ(ControlHeightForFont(winui::AktFont, button), h + 12);
}

}  // namespace
}  // namespace tvn
