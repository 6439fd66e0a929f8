// Pages of a printed text: wrapping at spaces, breaking words wider than a line, filling
// pages, and page breaks.
#include <gtest/gtest.h>

#include "dialogs/PrintLayout.h"

namespace tvn {
namespace {

// Every character is one unit wide: a line of width 10 holds ten characters.
const TTextBreite kZeichen = [](std::u16string_view s) { return static_cast<int>(s.size()); };

std::vector<TDruckSeite> Seiten(std::u16string_view text, int width = 10, int lines = 3) {
  return DruckSeiten(text, width, lines, kZeichen);
}

TEST(PrintLayout, LinesWrapAtSpacesAndLongWordsBreakBetweenCharacters) {
  struct Case {
    const char* name;
    std::u16string text;
    TDruckSeite lines;
  };
  const Case cases[] = {
      {"fits", u"kurz", {u"kurz"}},
      {"wraps at the last space that fits", u"eins zwei drei vier", {u"eins zwei", u"drei vier"}},
      {"exactly the width", u"0123456789 x", {u"0123456789", u"x"}},
      {"long word", u"Hörbuchbibliothek ab", {u"Hörbuchbib", u"liothek ab"}},
      {"indentation kept", u"  Zeile 2", {u"  Zeile 2"}},
      {"empty lines kept", u"a\r\n\r\nb\nc\rd", {u"a", u"", u"b"}},
      {"tab as four spaces", u"a\tb", {u"a    b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<TDruckSeite> seiten = Seiten(c.text);
    ASSERT_FALSE(seiten.empty());
    EXPECT_EQ(seiten[0], c.lines);
  }
}

TEST(PrintLayout, PagesFillUpAndFormFeedsStartNewOnes) {
  using P = std::vector<TDruckSeite>;
  struct Case {
    const char* name;
    std::u16string text;
    P pages;
  };
  const Case cases[] = {
      {"empty text", u"", P{{}}},
      {"full page goes on", u"1\r\n2\r\n3\r\n4\r\n", P{{u"1", u"2", u"3"}, {u"4"}}},
      {"two form feeds, three pages", u"Ä\r\n\fÖ\r\n\fÜ\r\n", P{{u"Ä"}, {u"Ö"}, {u"Ü"}}},
      {"form feed inside a line", u"ab\fcd", P{{u"ab"}, {u"cd"}}},
      {"break right after a form feed adds no line", u"ab\f\r\ncd", P{{u"ab"}, {u"cd"}}},
      {"form feed on a full page", u"1\r\n2\r\n3\r\n\f4", P{{u"1", u"2", u"3"}, {u"4"}}},
      {"form feed at the end", u"ab\r\n\f", P{{u"ab"}}},
      {"empty page kept between", u"a\f\fb", P{{u"a"}, {}, {u"b"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Seiten(c.text), c.pages);
  }
}

TEST(PrintLayout, EveryLineAdvancesEvenWhenNothingFits) {
  const std::vector<TDruckSeite> seiten = DruckSeiten(u"abc", 0, 0, kZeichen);
  const std::vector<TDruckSeite> expected = {{u"a"}, {u"b"}, {u"c"}};
  EXPECT_EQ(seiten, expected);
}

}  // namespace
}  // namespace tvn
