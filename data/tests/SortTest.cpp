#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "data/DatenC.h"
#include "data/tests/TestData.h"

namespace tvn {
namespace {

using test::Entry;

std::vector<std::u16string> Column(const TDaten& d, std::u16string TDatenRec::*field) {
  std::vector<std::u16string> v;
  for (const TDatenRec& r : d.Liste) v.push_back(r.*field);
  return v;
}

TDaten WithAuthors(std::initializer_list<std::u16string> autoren) {
  TDaten d;
  for (const auto& a : autoren) d.Add(Entry(a));
  return d;
}

TEST(Sort, FoldsCaseAndUmlautsOnly) {
  struct Case {
    const char* what;
    std::initializer_list<std::u16string> input;
    std::vector<std::u16string> ascending;
  };
  const Case cases[] = {
      {"Äpfel sorts as aepfel", {u"Affe", u"Äpfel"}, {u"Äpfel", u"Affe"}},
      {"ß stays after ASCII letters", {u"ßlein", u"Zebra", u"abc"}, {u"abc", u"Zebra", u"ßlein"}},
      {"case is ignored", {u"beta", u"Alpha", u"ALPHA0"}, {u"Alpha", u"ALPHA0", u"beta"}},
      {"empty first", {u"a", u""}, {u"", u"a"}},
      {"a beginning comes first", {u"Müllerin", u"Müller"}, {u"Müller", u"Müllerin"}},
      {"ö and ü fold, é does not", {u"Über", u"Öl", u"é", u"uez", u"oez"},
       {u"Öl", u"oez", u"Über", u"uez", u"é"}},
      {"digits and punctuation by code", {u"b", u"1", u"-"}, {u"-", u"1", u"b"}},
      {"letters beyond Latin-1 lower-case too", {u"Ωb", u"za", u"ωa", u"Äb"},
       {u"Äb", u"za", u"ωa", u"Ωb"}},
  };
  for (const Case& c : cases) {
    TDaten d = WithAuthors(c.input);
    d.Sort(snAutor, true);
    EXPECT_EQ(Column(d, &TDatenRec::Autor), c.ascending) << c.what;
    d.Sort(snAutor, false);
    std::vector<std::u16string> descending(c.ascending.rbegin(), c.ascending.rend());
    EXPECT_EQ(Column(d, &TDatenRec::Autor), descending) << c.what;
  }
}

TEST(Sort, EqualFoldedAuthorsFallThroughToTheNextColumns) {
  TDaten d;
  d.Add(Entry(u"aehre", u"Zwei"));
  d.Add(Entry(u"Ähre", u"Eins"));
  d.Add(Entry(u"AEHRE", u"Eins", test::kDay2024 - 1));  // equal up to the creation date
  d.Sort(snAutor, true);
  EXPECT_EQ(Column(d, &TDatenRec::Titel), (std::vector<std::u16string>{u"Eins", u"Eins", u"Zwei"}));
  EXPECT_EQ(d.Liste[0].Autor, u"AEHRE") << "earlier creation date first";
  d.Sort(snAutor, false);
  EXPECT_EQ(Column(d, &TDatenRec::Autor), (std::vector<std::u16string>{u"aehre", u"Ähre", u"AEHRE"}))
      << "descending reverses the tie-breaks too";
}

TEST(Sort, ReceivedColumnPutsUnreceivedFirst) {
  TDaten d;
  auto add = [&](std::u16string autor, bool erhalten, TDateTime datum) {
    TDatenRec r = Entry(std::move(autor));
    r.ErhaltenS = erhalten;
    r.ErhaltenDatum = datum;
    d.Add(r);
  };
  add(u"C", true, 45000);
  add(u"B", false, 40000);
  add(u"D", true, 46000);
  add(u"A", false, 47000);  // the date of an unreceived entry is ignored
  d.Sort(snErhalten, true);
  EXPECT_EQ(Column(d, &TDatenRec::Autor), (std::vector<std::u16string>{u"A", u"B", u"C", u"D"}));
  d.Sort(snErhalten, false);
  EXPECT_EQ(Column(d, &TDatenRec::Autor), (std::vector<std::u16string>{u"D", u"C", u"B", u"A"}));
}

TEST(Sort, EveryColumnHasItsOwnOrder) {
  TDatenRec a = Entry(u"Z", u"a", 45000);
  TDatenRec b = Entry(u"Y", u"b", 44000);
  a.KatalogNr = u"1";
  b.KatalogNr = u"2";
  a.Quelle = u"Ä";
  b.Quelle = u"af";
  b.GelesenS = true;
  a.Bewertung = btKeine;
  b.Bewertung = btSehrGut;
  b.RetourS = true;
  struct Case {
    TSortNr column;
    std::u16string ascendingFirst;
  };
  const Case cases[] = {{snAutor, u"Y"},     {snTitel, u"Z"},     {snKatalogNr, u"Z"},
                        {snQuelle, u"Z"},    {snGelesen, u"Z"},   {snBewertung, u"Z"},
                        {snErhalten, u"Y"},  {snRetour, u"Z"},    {snErstellt, u"Y"}};
  for (const Case& c : cases) {
    TDaten d;
    d.Add(b);
    d.Add(a);
    d.Sort(c.column, true);
    EXPECT_EQ(d.Liste[0].Autor, c.ascendingFirst) << int(c.column);
    d.Sort(c.column, false);
    EXPECT_NE(d.Liste[0].Autor, c.ascendingFirst) << int(c.column);
  }
}

TEST(Sort, IsStableInBothDirections) {
  TDaten d;
  for (char16_t c : std::u16string(u"1234567890abcdefghijklmnopqrstuvwxyz")) {
    TDatenRec r = Entry(u"Gleich");
    r.Infos = std::u16string(1, c);
    r.ErhaltenDatum = 40000 + c;  // flag off: takes no part
    d.Add(r);
  }
  const std::vector<std::u16string> before = Column(d, &TDatenRec::Infos);
  for (bool auf : {true, false}) {
    d.Sort(snAutor, auf);
    EXPECT_EQ(Column(d, &TDatenRec::Infos), before);
    d.Sort(snErhalten, auf);
    EXPECT_EQ(Column(d, &TDatenRec::Infos), before);
  }
}

TEST(Sort, MatchesAPlainStableSortOnALargeList) {
  std::mt19937 rng(7);
  const std::u16string names[] = {u"Müller", u"mueller", u"Maier", u"ärger", u"Aerger", u"Zorn",
                                  u"", u"Österreich", u"oe", u"ß", u"Mü"};
  TDaten d;
  for (int i = 0; i < 3000; ++i) {
    TDatenRec r = Entry(names[rng() % 11], names[rng() % 11], 45000 + rng() % 5);
    r.GelesenS = rng() % 2;
    r.ErhaltenS = rng() % 2;
    r.ErhaltenDatum = 45000 + rng() % 3;
    r.Infos = std::u16string(1, char16_t(u'a' + i % 26));
    d.Add(r);
  }
  for (TSortNr column : {snAutor, snTitel, snGelesen, snErhalten}) {
    for (bool auf : {true, false}) {
      TDaten expected = d;
      TDaten actual = d;
      actual.Sort(column, auf);
      // Reference: the two-column comparison written out naively.
      auto fold = [](std::u16string s) {
        std::u16string out;
        for (char16_t c : s) {
          if (c >= u'A' && c <= u'Z') c += 32;
          if (c == u'Ä') c = u'ä';
          if (c == u'Ö') c = u'ö';
          if (c == u'Ü') c = u'ü';
          out += c == u'ä' ? u"ae" : c == u'ö' ? u"oe" : c == u'ü' ? u"ue" : std::u16string(1, c);
        }
        return out;
      };
      auto key = [&](const TDatenRec& r) {
        std::u16string primary = column == snAutor ? fold(r.Autor) : column == snTitel ? fold(r.Titel) : u"";
        int flag = column == snGelesen ? r.GelesenS : column == snErhalten ? (r.ErhaltenS ? 1 + int(r.ErhaltenDatum) : 0) : 0;
        return std::make_tuple(primary, flag, fold(r.Autor), fold(r.Titel), r.GelesenS,
                               r.ErhaltenS ? 1 + r.ErhaltenDatum : 0.0, r.ErstelltDatum);
      };
      std::stable_sort(expected.Liste.begin(), expected.Liste.end(),
                       [&](const TDatenRec& x, const TDatenRec& y) {
                         return auf ? key(x) < key(y) : key(y) < key(x);
                       });
      EXPECT_EQ(Column(actual, &TDatenRec::Infos), Column(expected, &TDatenRec::Infos))
          << int(column) << " " << auf;
      // In order but for the last two entries: the check that skips ordered lists must
      // look at every neighbour.
      std::swap(actual.Liste[actual.Liste.size() - 2], actual.Liste.back());
      actual.Sort(column, auf);
      EXPECT_EQ(Column(actual, &TDatenRec::Infos), Column(expected, &TDatenRec::Infos))
          << int(column) << " " << auf << " after a swap at the end";
    }
  }
}

TEST(Sort, DatesOutsideWholeDaysStillOrderExactly) {
  TDaten d;
  for (double day : {45000.75, 45000.25, 1e12, 45000.0, -3.5}) {
    TDatenRec r = Entry(u"A");
    r.ErstelltDatum = day;
    d.Add(r);
  }
  d.Sort(snErstellt, true);
  std::vector<double> days;
  for (const TDatenRec& r : d.Liste) days.push_back(r.ErstelltDatum);
  EXPECT_EQ(days, (std::vector<double>{-3.5, 45000.0, 45000.25, 45000.75, 1e12}));
}

TEST(Sort, ZeroOrOneEntryIsLeftAlone) {
  TDaten empty;
  empty.Sort(snTitel, false);
  EXPECT_EQ(empty.Count(), 0);
  TDaten one(Entry(u"x"));
  one.HbName = u"n";
  one.Sort(snTitel, false);
  EXPECT_EQ(one.Liste[0].Autor, u"x");
  EXPECT_EQ(one.HbName, u"n");
}

}  // namespace
}  // namespace tvn
