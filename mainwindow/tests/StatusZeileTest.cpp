#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "mainwindow/StatusZeile.h"

namespace tvn {
namespace {

TEST(GroupThousands, PutsDotsBetweenGroupsOfThreeDigits) {
  const struct {
    long long n;
    std::u16string_view text;
  } cases[] = {
      {0, u"0"},
      {999, u"999"},
      {1000, u"1.000"},
      {1234, u"1.234"},
      {100000, u"100.000"},
      {1234567, u"1.234.567"},
      {-999, u"-999"},
      {-1234, u"-1.234"},
      {-100000, u"-100.000"},
      {LLONG_MIN, u"-9.223.372.036.854.775.808"},
  };
  for (const auto& c : cases) EXPECT_EQ(GroupThousands(c.n), c.text) << c.n;
}

TEST(StatusZeile, NamesPositionCountAndMarking) {
  const struct {
    int position, count, marked;
    std::u16string_view text;
  } cases[] = {
      {0, 0, 0, u"Keine Einträge"},
      {1, 0, 2, u"Keine Einträge"},  // nothing appended to an empty list
      {1, 1, 1, u"Eintrag 1 von 1"},
      {0, 1, 0, u"1 Eintrag; keiner markiert"},
      {0, 1, 1, u"1 Eintrag; 1 markiert"},
      {1, 1000, 1000, u"Eintrag 1 von 1.000; 1.000 markiert"},
      {5, 1234, 1, u"Eintrag 5 von 1.234"},
      {0, 3, 0, u"3 Einträge; keiner markiert"},
      {2, 7, 2, u"Eintrag 2 von 7; 2 markiert"},
      {7, 7, 0, u"Eintrag 7 von 7; keiner markiert"},
      {-1, 2500, 1, u"2.500 Einträge; 1 markiert"},
      // A position past the end names no entry, but still counts as focused for one mark.
      {8, 7, 1, u"7 Einträge"},
      {8, 7, 3, u"7 Einträge; 3 markiert"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StatusZeileText(c.position, c.count, c.marked), c.text)
        << c.position << " " << c.count << " " << c.marked;
  }
}

TEST(StatusZeile, ShortCutTextsUseGermanModifierAndKeyNames) {
  const struct {
    TShortCut shortCut;
    std::u16string_view text;
  } cases[] = {
      {{'O', kCtrlKey}, u"Strg+O"},
      {{kKeyF1 + 2, kShiftKey}, u"Umsch+F3"},
      {{kKeyF1 + 3, kAltKey}, u"Alt+F4"},
      {{kKeyF1 + 11, 0}, u"F12"},
      {{'X', kShiftKey | kCtrlKey | kAltKey}, u"Umsch+Strg+Alt+X"},
      {{kKeyDelete, 0}, u"Entf"},
      {{'5', kCtrlKey}, u"Strg+5"},
      {{0, kCtrlKey}, u""},  // no shortcut at all
  };
  for (const auto& c : cases) EXPECT_EQ(ShortCutText(c.shortCut), c.text);
}

TEST(StatusZeile, HintsFollowMarkingAndFocus) {
  const struct {
    int marked, itemIndex;
    std::u16string_view text;
  } cases[] = {
      {0, -1, u"Strg+N=Neu; Strg+O=Öffnen"},       {0, 3, u"Strg+N=Neu; Strg+B=Bearbeiten"},
      {2, 0, u"Enter=Details; Entf=Löschen"},      {1, -1, u"Enter=Details; Entf=Löschen"},
      {1, 0, u"Enter=Details; Strg+B=Bearbeiten"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HinweiseText(c.marked, c.itemIndex), c.text) << c.marked << " " << c.itemIndex;
  }
}

TEST(StatusZeile, HintsNameTheMenuItemsCurrentShortcuts) {
  THinweisKeys keys;
  keys.Neu = {'N', kCtrlKey | kShiftKey};
  keys.Loeschen = {'L', kAltKey};
  EXPECT_EQ(HinweiseText(0, -1, keys), u"Umsch+Strg+N=Neu; Strg+O=Öffnen");
  EXPECT_EQ(HinweiseText(3, 1, keys), u"Enter=Details; Alt+L=Löschen");
}

// Text heights as a word-wrapping measure would give them: 20 pixels per line, each line
// holding 100 pixels of a text whose width is given per panel.
struct WrapMeasure {
  int textWidth[2];
  std::vector<int> boxWidths;
  int operator()(int panel, int boxWidth) {
    boxWidths.push_back(boxWidth);
    const int lines = (textWidth[panel] + boxWidth - 1) / boxWidth;
    return 20 * std::max(lines, 1);
  }
};

TEST(StatusZeile, PanelsShareTheWidthAndTheLineGrowsWithWrappedText) {
  WrapMeasure measure{{150, 300}, {}};
  auto call = [&](int panel, int box) { return measure(panel, box); };
  TStatusZeileMasse masse = StatusZeileMasse(1000, 900, 162, 22, call);
  EXPECT_EQ(masse.Panel0Width, 162);
  EXPECT_EQ(masse.Panel1Width, 838);
  EXPECT_EQ(masse.Height, 32) << "one line of text plus 12";
  EXPECT_EQ(measure.boxWidths, (std::vector<int>{150, 826})) << "panel width less 12";
  EXPECT_EQ(StatusZeileMasse(1000, 900, 162, 40, call).Height, 46)
      << "the font's control height plus 6 when the text needs less";

  // A long left text is held to half the window and wraps there.
  measure = WrapMeasure{{900, 300}, {}};
  masse = StatusZeileMasse(1000, 900, 912, 22, call);
  EXPECT_EQ(masse.Panel0Width, 500);
  EXPECT_EQ(masse.Panel1Width, 500);
  EXPECT_EQ(masse.Height, 2 * 20 + 12);
}

TEST(StatusZeile, HeightNeverExceedsAThirdOfTheClientHeight) {
  WrapMeasure measure{{100, 5000}, {}};
  auto call = [&](int panel, int box) { return measure(panel, box); };
  EXPECT_EQ(StatusZeileMasse(600, 300, 100, 80, call).Height, 100);
  // A tiny window still gets panels and a line of at least one pixel.
  const TStatusZeileMasse tiny = StatusZeileMasse(1, 2, 100, 80, call);
  EXPECT_EQ(tiny.Panel0Width, 1);
  EXPECT_EQ(tiny.Panel1Width, 1);
  EXPECT_EQ(tiny.Height, 1);
  EXPECT_EQ(measure.boxWidths.back(), 1) << "the box is never narrower than one pixel";
}

}  // namespace
}  // namespace tvn
