// The entry search: matching by date, read state and text, and where a search from the
// focused entry stops.
#include <gtest/gtest.h>

#include "data/tests/TestData.h"
#include "mainwindow/Suche.h"

namespace tvn {
namespace {

constexpr TDateTime kTag = 45366;  // 2024-03-15

TSuchEinstellungen Text(std::u16string text, bool grossKlein = false) {
  TSuchEinstellungen e;
  e.Modus = smText;
  e.SuchText = std::move(text);
  e.GrossKleinS = grossKlein;
  return e;
}

TEST(Suche, MatchesByDateReadStateAndText) {
  TDatenRec rec = test::Entry(u"Böll, Heinrich", u"Ansichten eines Clowns");
  rec.KatalogNr = u"K-17";
  rec.Quelle = u"Stadtbücherei";
  rec.Infos = u"Zeile eins\r\nHörspiel";
  rec.ErhaltenDatum = kTag;  // flag off: the date does not count
  rec.RetourS = true;
  rec.RetourDatum = kTag + 2;
  rec.GelesenS = true;

  TSuchEinstellungen datum;
  datum.Modus = smDatum;
  TSuchEinstellungen gelesen;
  gelesen.Modus = smGelesen;
  struct Case {
    const char* name;
    TSuchEinstellungen e;
    bool match;
  };
  auto at = [](TSuchEinstellungen e, TDateTime tag, bool gelesenS = false) {
    e.SuchDatum = tag;
    e.GelesenS = gelesenS;
    return e;
  };
  const Case cases[] = {
      {"created day, with a time of day in the search", at(datum, test::kDay2024 + 0.75), true},
      {"received day without its flag", at(datum, kTag), false},
      {"returned day with its flag", at(datum, kTag + 2), true},
      {"another day", at(datum, kTag + 1), false},
      {"read", at(gelesen, 0, true), true},
      {"not read", at(gelesen, 0, false), false},
      {"author, any case", Text(u"heinrich"), true},
      {"author, case-sensitive", Text(u"heinrich", true), false},
      {"umlauts by case, not folded", Text(u"STADTBÜCHEREI"), true},
      {"umlauts are not folded", Text(u"stadtbuecherei"), false},
      {"catalogue number", Text(u"k-1"), true},
      {"infos, second line", Text(u"hörspiel"), true},
      {"infos, across the line break", Text(u"eins Hörspiel"), false},
      {"infos, with the line break", Text(u"eins\r\nHör", true), true},
      {"rating is not searched", Text(u"keine"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TSuchKriterium(c.e).MatchesSearch(rec), c.match);
  }
}

TEST(Suche, StartsAtTheFocusedEntryAndNeverWraps) {
  TDaten daten;
  for (const char16_t* autor : {u"Treffer A", u"x", u"Treffer B", u"y"})
    daten.Add(test::Entry(autor));
  TSuchEinstellungen vor = Text(u"treffer");
  TSuchEinstellungen zurueck = vor;
  zurueck.RueckwaertsS = true;
  struct Case {
    const char* name;
    TSuchEinstellungen e;
    int focused;
    bool weiter, rueckwaerts;
    int index;
    bool amEnde;
  };
  const Case cases[] = {
      {"first search includes the focused entry", vor, 2, false, false, 2, false},
      {"F3 steps past it", vor, 2, true, false, -1, true},
      {"F3 from the start", vor, 0, true, false, 2, false},
      {"Shift+F3 steps back", vor, 2, true, true, 0, false},
      {"Shift+F3 at the first entry", vor, 0, true, true, -1, false},
      {"backward in the dialog, F3", zurueck, 3, true, false, 2, false},
      {"backward in the dialog, Shift+F3 too", zurueck, 2, true, true, 0, false},
      {"no focus, forward from the first", vor, -1, true, false, 0, false},
      {"no focus, backward from the last", zurueck, -1, true, false, 2, false},
      {"last entry focused, F3 reports the end at once", vor, 3, true, false, -1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<TSuchErgebnis> r =
        SucheEintrag(daten, c.e, c.focused, c.weiter, c.rueckwaerts);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->Index, c.index);
    if (r->Index < 0) EXPECT_EQ(r->AmEnde, c.amEnde);
  }
  EXPECT_FALSE(SucheEintrag(daten, Text(u""), 0, false, false).has_value());
  EXPECT_FALSE(SucheEintrag(TDaten(), vor, -1, false, false).has_value());
}

}  // namespace
}  // namespace tvn
