#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "data/DatenC.h"
#include "data/EntryCounter.h"
#include "data/tests/TestData.h"
#include "platform/Utf16.h"

namespace tvn {
namespace {

using test::Entry;

TDaten ThreeEntries() {
  TDaten d;
  d.HbName = u"Liste";
  d.Add(Entry(u"A"));
  d.Add(Entry(u"B"));
  d.Add(Entry(u"C"));
  return d;
}

std::u16string Autoren(const TDaten& d) {
  std::u16string s;
  for (const TDatenRec& r : d.Liste) s += r.Autor;
  return s;
}

TEST(EntryIdentity, EveryFieldButAktCounts) {
  struct Case {
    const char* what;
    std::function<void(TDatenRec&)> change;
    bool identical;
  };
  const Case cases[] = {
      {"nothing", [](TDatenRec&) {}, true},
      {"Akt", [](TDatenRec& r) { r.Akt = false; }, true},
      {"case of one letter of Autor", [](TDatenRec& r) { r.Autor[0] = u'm'; }, false},
      {"trailing space in Titel", [](TDatenRec& r) { r.Titel += u' '; }, false},
      {"umlaut against its fold", [](TDatenRec& r) { r.Quelle = u"Buecherei"; }, false},
      {"receipt date with both flags false", [](TDatenRec& r) { r.ErhaltenDatum += 1; }, false},
      {"return date with both flags false", [](TDatenRec& r) { r.RetourDatum += 1; }, false},
      {"ErstelltDatum", [](TDatenRec& r) { r.ErstelltDatum += 1; }, false},
      {"KatalogNr", [](TDatenRec& r) { r.KatalogNr = u"X"; }, false},
      {"ErhaltenS", [](TDatenRec& r) { r.ErhaltenS = true; }, false},
      {"RetourS", [](TDatenRec& r) { r.RetourS = true; }, false},
      {"GelesenS", [](TDatenRec& r) { r.GelesenS = true; }, false},
      {"Bewertung", [](TDatenRec& r) { r.Bewertung = btGut; }, false},
      {"Infos", [](TDatenRec& r) { r.Infos = u"x"; }, false},
  };
  TDatenRec base = Entry(u"Müller", u"Titel");
  base.Quelle = u"Bücherei";
  for (const Case& c : cases) {
    TDatenRec other = base;
    c.change(other);
    EXPECT_EQ(TDaten::Ident(base, other), c.identical) << c.what;
    EXPECT_EQ(TDaten::RecordKey(base) == TDaten::RecordKey(other), c.identical) << c.what;
    EXPECT_EQ(TEntryCounter::Hash(base) == TEntryCounter::Hash(other), c.identical) << c.what;
  }
}

TEST(EntryIdentity, RecordKeyKeepsFieldsApart) {
  TDatenRec a = Entry(u"ab", u"c");
  TDatenRec b = Entry(u"a", u"bc");
  EXPECT_NE(TDaten::RecordKey(a), TDaten::RecordKey(b));
  EXPECT_FALSE(TDaten::Ident(a, b));

  TDatenRec r = Entry(u"Ö", u"T");
  r.ErhaltenS = true;
  r.Bewertung = btSchlecht;
  EXPECT_EQ(TDaten::RecordKey(r), u"5:452921:Ö1:T0:0:2:-15:452921:05:452921:01:40:");
}

TEST(ListOperations, InsertAndDeleteBounds) {
  struct Case {
    const char* what;
    std::function<void(TDaten&)> op;
    std::u16string expected;
  };
  const Case cases[] = {
      {"Insert at -1", [](TDaten& d) { d.Insert(Entry(u"X"), -1); }, u"ABC"},
      {"Insert at 0", [](TDaten& d) { d.Insert(Entry(u"X"), 0); }, u"XABC"},
      {"Insert at 2", [](TDaten& d) { d.Insert(Entry(u"X"), 2); }, u"ABXC"},
      {"Insert at Count", [](TDaten& d) { d.Insert(Entry(u"X"), 3); }, u"ABCX"},
      {"Insert far beyond", [](TDaten& d) { d.Insert(Entry(u"X"), 99); }, u"ABCX"},
      {"Insert of its own entry", [](TDaten& d) { d.Insert(d.Liste[2], 0); }, u"CABC"},
      {"Delete -1", [](TDaten& d) { d.Delete(-1); }, u"ABC"},
      {"Delete 0", [](TDaten& d) { d.Delete(0); }, u"BC"},
      {"Delete last", [](TDaten& d) { d.Delete(2); }, u"AB"},
      {"Delete Count", [](TDaten& d) { d.Delete(3); }, u"ABC"},
      {"Add list to itself", [](TDaten& d) { d.Add(d.Liste); }, u"ABCABC"},
  };
  for (const Case& c : cases) {
    TDaten d = ThreeEntries();
    c.op(d);
    EXPECT_EQ(Autoren(d), c.expected) << c.what;
  }
}

TEST(ListOperations, ClearAssignAndCopies) {
  TDaten d = ThreeEntries();
  d.ClearListe();
  EXPECT_EQ(d.Count(), 0);
  EXPECT_EQ(d.HbName, u"Liste");
  d = ThreeEntries();
  d.Clear();
  EXPECT_EQ(d.Count(), 0);
  EXPECT_EQ(d.HbName, u"");

  TDaten source = ThreeEntries();
  TDaten& alias = source;
  source.Assign(alias);
  EXPECT_EQ(Autoren(source), u"ABC");
  EXPECT_EQ(source.HbName, u"Liste");

  TDaten copy(source);
  copy.Liste[0].Autor = u"Z";
  EXPECT_EQ(source.Liste[0].Autor, u"A") << "lists never share entries";
  EXPECT_EQ(copy.HbName, u"Liste");

  EXPECT_EQ(TDaten(Entry(u"Q")).Count(), 1);
  EXPECT_EQ(Autoren(TDaten(source.Liste)), u"ABC");
  EXPECT_EQ(TDaten(source.Liste).HbName, u"") << "an array has no name";
}

TEST(ListOperations, FindDatenRecNrReturnsFirstFromFront) {
  TDaten d = ThreeEntries();
  d.Add(Entry(u"B"));
  EXPECT_EQ(d.FindDatenRecNr(Entry(u"B")), 1);
  EXPECT_EQ(d.FindDatenRecNr(Entry(u"b")), -1);
  EXPECT_EQ(TDaten().FindDatenRecNr(Entry(u"B")), -1);
}

TEST(ListIdentity, OrderDoesNotMatterButEntriesNamesAndCountsDo) {
  TDaten base = ThreeEntries();
  base.Add(Entry(u"B"));  // one entry twice
  struct Case {
    const char* what;
    std::function<void(TDaten&)> change;
    bool identical;
  };
  const Case cases[] = {
      {"copy", [](TDaten&) {}, true},
      {"reversed", [](TDaten& d) { std::reverse(d.Liste.begin(), d.Liste.end()); }, true},
      {"sorted the other way", [](TDaten& d) { d.Sort(snAutor, false); }, true},
      {"one duplicated, another removed",
       [](TDaten& d) {
         d.Delete(0);
         d.Add(Entry(u"C"));
       },
       false},
      {"the twice-held entry once, another twice",
       [](TDaten& d) {
         d.Delete(3);
         d.Add(Entry(u"A"));
       },
       false},
      {"other name", [](TDaten& d) { d.HbName = u"liste"; }, false},
      {"one entry more", [](TDaten& d) { d.Add(Entry(u"D")); }, false},
      {"last entry changed", [](TDaten& d) { d.Liste[3].Infos = u"i"; }, false},
      {"reversed and one changed",
       [](TDaten& d) {
         std::reverse(d.Liste.begin(), d.Liste.end());
         d.Liste[0].GelesenS = true;
       },
       false},
  };
  for (const Case& c : cases) {
    TDaten other = base;
    c.change(other);
    EXPECT_EQ(base.Ident(other), c.identical) << c.what;
    EXPECT_EQ(other.Ident(base), c.identical) << c.what << " (other way round)";
  }
  EXPECT_TRUE(TDaten().Ident(TDaten()));
}

TEST(ListIdentity, LargeShuffledListsUseTheDictionary) {
  TDaten a;
  for (int i = 0; i < 5000; ++i) a.Add(Entry(u"Autor " + std::u16string(1, char16_t(u'a' + i % 26)), u"T", 45000 + i % 700));
  TDaten b = a;
  std::reverse(b.Liste.begin(), b.Liste.end());
  EXPECT_TRUE(a.Ident(b));
  b.Liste[1234].Titel = u"t";
  EXPECT_FALSE(a.Ident(b));
}

struct ListChange {
  const char* what;
  std::function<void(TDaten&)> change;
};

// A shuffled copy of the list is identical to it both ways; each change of the copy is
// found both ways.
void ExpectShuffledCopyIdenticalAndChangesFound(const TDaten& a, unsigned seed,
                                                std::initializer_list<ListChange> changes) {
  TDaten b = a;
  std::shuffle(b.Liste.begin(), b.Liste.end(), std::mt19937(seed));
  std::swap(b.Liste[0], b.Liste[1]);  // never in order from the start
  EXPECT_TRUE(a.Ident(b));
  EXPECT_TRUE(b.Ident(a));
  for (const ListChange& c : changes) {
    TDaten other = b;
    c.change(other);
    EXPECT_FALSE(a.Ident(other)) << c.what;
    EXPECT_FALSE(other.Ident(a)) << c.what;
  }
}

TEST(ListIdentity, LargeShuffledListsWithDuplicatesCountEachEntry) {
  // 3000 entries, each of 40 distinct ones many times over.
  TDaten a;
  for (int i = 0; i < 3000; ++i) a.Add(Entry(u"Autor " + IntToText(i % 40), u"T"));
  ExpectShuffledCopyIdenticalAndChangesFound(
      a, 3,
      {{"one copy turned into another entry", [](TDaten& d) { d.Liste[2500] = Entry(u"Autor 1", u"T"); }},
       {"one copy slightly changed", [](TDaten& d) { d.Liste[17].ErhaltenS = true; }},
       {"a single entry among the copies", [](TDaten& d) { d.Liste[0] = Entry(u"Einzeln"); }}});
}

TEST(ListIdentity, ListsLongEnoughForTwoThreadsCompareExactly) {
  // 2^17 entries, a third of them copies of others.
  TDaten a;
  for (int i = 0; i < (1 << 17); ++i) {
    a.Add(Entry(u"Autor " + IntToText(i % 90000), u"T", 45000 + i % 300));
  }
  ExpectShuffledCopyIdenticalAndChangesFound(
      a, 5,
      {{"one entry changed", [](TDaten& d) { d.Liste[70000].Infos = u"neu"; }},
       {"one copy turned into a copy of another entry",
        [](TDaten& d) { d.Liste[99] = Entry(u"Autor 5", u"T", 45005); }},
       {"the last entry changed",
        [](TDaten& d) { d.Liste.back().GelesenS = !d.Liste.back().GelesenS; }}});
}

}  // namespace
}  // namespace tvn
