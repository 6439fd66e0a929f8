// Entries put in place one at a time, and changes undone in place, against the full
// stable sort of the same list.
#include <gtest/gtest.h>

#include <random>

#include "data/DatenC.h"
#include "data/UndoDaten.h"
#include "data/tests/TestData.h"

namespace tvn {
namespace {

// Few values per field, so that many entries sort equal in the sort column and in the
// later ones; texts equal only when folded, and beyond Latin-1. Infos takes no part in
// sorting: entries differing only there sort equal without being identical.
class Entries {
 public:
  explicit Entries(unsigned seed) : rng_(seed) {}

  TDatenRec Next() {
    static const std::u16string autoren[] = {u"Müller", u"Mueller", u"MÜLLER", u"Łukasz",
                                             u"łukasz", u"Ωmega",   u"Иван",   u""};
    static const std::u16string titel[] = {u"Ära", u"aera", u"Zug"};
    static const TDateTime erstellt[] = {45292, 45292.5, 45293};
    static const std::u16string katalog[] = {u"1", u"2"};
    static const std::u16string quellen[] = {u"", u"Bibliothek"};
    TDatenRec r;
    r.Autor = Pick(autoren);
    r.Titel = Pick(titel);
    r.KatalogNr = Pick(katalog);
    r.Quelle = Pick(quellen);
    r.GelesenS = Coin();
    r.Bewertung = static_cast<TBewertung>(Below(3));
    r.ErhaltenS = Coin();
    r.ErhaltenDatum = 45292 + Below(2);
    r.RetourS = Coin();
    r.RetourDatum = 45300 + Below(2);
    r.ErstelltDatum = Pick(erstellt);
    r.Infos = Pick(kInfos);
    return r;
  }

  // A third are copies of earlier ones, identical or with other infos: long runs of
  // entries that sort equal, identical ones among them.
  TListe List(int n) {
    TListe l;
    for (int i = 0; i < n; ++i) {
      if (!l.empty() && Below(3) == 0) {
        l.push_back(l[static_cast<size_t>(Below(static_cast<int>(l.size())))]);
        if (Coin()) l.back().Infos = Pick(kInfos);
      } else {
        l.push_back(Next());
      }
    }
    return l;
  }

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Coin() { return Below(2) == 1; }

 private:
  template <size_t N, typename T>
  const T& Pick(const T (&values)[N]) {
    return values[static_cast<size_t>(Below(static_cast<int>(N)))];
  }

  static inline const std::u16string kInfos[] = {u"", u"a", u"b"};
  std::mt19937 rng_;
};

// The same entries in the same order.
::testing::AssertionResult SameSequence(const TListe& expected, const TListe& actual) {
  if (expected.size() != actual.size()) {
    return ::testing::AssertionFailure()
           << expected.size() << " entries expected, " << actual.size() << " found";
  }
  for (size_t i = 0; i < expected.size(); ++i) {
    if (!TDaten::Ident(expected[i], actual[i])) {
      return ::testing::AssertionFailure() << "first difference at " << i;
    }
  }
  return ::testing::AssertionSuccess();
}

TListe Sorted(TListe liste, TSortNr sortNr, bool aufS) {
  TDaten d(liste);
  d.Sort(sortNr, aufS);
  return std::move(d.Liste);
}

TEST(SortIn, PlacesAddedAndEditedEntriesAsTheFullStableSort) {
  for (int column = 0; column < kSortNrCount; ++column) {
    for (const bool aufS : {true, false}) {
      const TSortNr sortNr = static_cast<TSortNr>(column);
      SCOPED_TRACE(testing::Message() << "column " << column << (aufS ? " up" : " down"));
      Entries gen(static_cast<unsigned>(column * 2 + aufS));
      TDaten daten(Sorted(gen.List(40), sortNr, aufS));
      for (int step = 0; step < 120; ++step) {
        TListe expected = daten.Liste;
        const int kind = daten.Count() == 0 ? 0 : gen.Below(3);
        TDatenRec neu = gen.Next();
        if (kind == 2) {
          const int row = gen.Below(daten.Count());
          expected.erase(expected.begin() + row);
          daten.Delete(row);
          ASSERT_TRUE(SameSequence(expected, daten.Liste)) << "delete at step " << step;
          continue;
        }
        int row = daten.Count();
        if (kind == 0) {
          expected.push_back(neu);
          daten.Add(neu);
        } else {
          row = gen.Below(daten.Count());
          // Half the edits change what takes no part in sorting only.
          if (gen.Coin()) {
            neu = daten.Liste[static_cast<size_t>(row)];
            neu.Infos += u"x";
          }
          expected[static_cast<size_t>(row)] = neu;
          daten.Replace(row, neu);
        }
        const int placed = daten.SortIn(kind == 0 ? daten.Count() - 1 : row, sortNr, aufS);
        ASSERT_TRUE(SameSequence(Sorted(expected, sortNr, aufS), daten.Liste))
            << (kind == 0 ? "add" : "edit") << " at step " << step;
        ASSERT_TRUE(TDaten::Ident(daten.Liste[static_cast<size_t>(placed)], neu));
      }
    }
  }
}

TEST(SortIn, AddsManyAsTheFullStableSortOfTheListWithThemAppended) {
  for (int column = 0; column < kSortNrCount; ++column) {
    for (const bool aufS : {true, false}) {
      const TSortNr sortNr = static_cast<TSortNr>(column);
      SCOPED_TRACE(testing::Message() << "column " << column << (aufS ? " up" : " down"));
      Entries gen(static_cast<unsigned>(100 + column * 2 + aufS));
      TDaten daten(Sorted(gen.List(80), sortNr, aufS));
      for (int round = 0; round < 5; ++round) {
        TListe neue = gen.List(gen.Below(30));
        // Copies of entries already there, identical or not, among them.
        for (int k = 0; k < 5; ++k) {
          neue.push_back(daten.Liste[static_cast<size_t>(gen.Below(daten.Count()))]);
        }
        neue.back().Infos += u"+";
        TListe expected = daten.Liste;
        expected.insert(expected.end(), neue.begin(), neue.end());
        daten.AddSorted(neue, sortNr, aufS);
        ASSERT_TRUE(SameSequence(Sorted(expected, sortNr, aufS), daten.Liste)) << "round " << round;
      }
    }
  }
}

TEST(SortIn, SortedRangeHoldsExactlyTheEqualEntries) {
  Entries gen(7);
  const TSortOrdnung order(snTitel, false);
  TDaten daten(Sorted(gen.List(200), snTitel, false));
  for (int k = 0; k < 30; ++k) {
    const TDatenRec probe = gen.Next();
    const auto [first, last] = daten.SortedRange(probe, order);
    for (int row = 0; row < daten.Count(); ++row) {
      const bool equal = TDaten::SortsEqual(daten.Liste[static_cast<size_t>(row)], probe);
      EXPECT_EQ(equal, row >= first && row < last) << "row " << row;
    }
  }
}

// A step's list as the test keeps it: a full copy in the order it had, its saved list
// and its file.
struct Schnappschuss {
  TDaten liste;
  TDaten saved;
  std::u16string file;
};

class UndoInPlace : public ::testing::Test {
 protected:
  UndoInPlace() : gen(11) {
    undo.Protokolliere(&daten, &save);
    const TOhneProtokoll replaced(daten);
    daten.Liste = Sorted(gen.List(50), sortNr, aufS);
    daten.HbName = u"A";
    savedList = daten;
    save = TSaveStand{{}, daten.HbName};
  }
  ~UndoInPlace() override { undo.Protokolliere(nullptr, nullptr); }

  void Record(const std::u16string& file) {
    undo.AddAenderung(file, -1, TDaten(), save);
    Remember({daten, savedList, file});
  }
  void Remember(Schnappschuss s) {
    steps.push_back(std::move(s));
    if (steps.size() > static_cast<size_t>(undo.MaxLen())) steps.erase(steps.begin());
  }
  void NewOrder() {
    sortNr = static_cast<TSortNr>(gen.Below(kSortNrCount));
    aufS = gen.Coin();
    daten.Sort(sortNr, aufS);
  }
  // One change as the commands make it, the list in order afterwards.
  void Change() {
    switch (daten.Count() == 0 ? 0 : gen.Below(4)) {
      case 0:
        if (gen.Coin()) {
          daten.AddSorted(gen.List(1 + gen.Below(4)), sortNr, aufS);
          break;
        }
        daten.Add(gen.Coin() ? gen.Next()
                             : daten.Liste[static_cast<size_t>(gen.Below(daten.Count()))]);
        daten.SortIn(daten.Count() - 1, sortNr, aufS);
        break;
      case 1: {
        const int row = gen.Below(daten.Count());
        TDatenRec r = daten.Liste[static_cast<size_t>(row)];
        r.Infos += u"!";
        if (gen.Coin()) r = gen.Next();
        daten.Replace(row, r);
        daten.SortIn(row, sortNr, aufS);
        break;
      }
      case 2:
        daten.DeleteMany(SomeRows());
        break;
      default: {
        const std::vector<int> rows = SomeRows();
        TListe neue;
        for (int row : rows) {
          neue.push_back(daten.Liste[static_cast<size_t>(row)]);
          neue.back().GelesenS = !neue.back().GelesenS;
        }
        daten.ReplaceMany(rows, neue);
        daten.Sort(sortNr, aufS);
      }
    }
  }
  std::vector<int> SomeRows() {
    std::vector<int> rows;
    for (int row = 0; row < daten.Count(); ++row) {
      if (gen.Below(6) == 0) rows.push_back(row);
    }
    return rows;
  }
  void CheckSavedState() {
    EXPECT_EQ(!save.GleichListe(daten), !daten.Ident(savedList)) << "unsaved changes";
  }

  Entries gen;
  TSortNr sortNr = snAutor;
  bool aufS = true;
  TDaten daten;
  TSaveStand save;
  TDaten savedList;
  TUndoDaten undo;
  std::vector<Schnappschuss> steps;
};

TEST_F(UndoInPlace, UndoingRestoresEachListInTheOrderTheFullSortGives) {
  const std::u16string file = u"Liste.tvd";
  for (int round = 0; round < 14; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    if (gen.Coin()) NewOrder();
    const int kind = gen.Below(6);
    if (kind == 0) {
      // Opening another file: the whole list moves into the step.
      Remember({daten, savedList, file});
      TListe old = std::move(daten.Liste);
      {
        const TOhneProtokoll replaced(daten);
        daten.Liste = Sorted(gen.List(30), sortNr, aufS);
      }
      undo.AddGanz(file, -1, TDaten(), std::move(old), daten.HbName, std::move(save));
      daten.HbName += u"B";
      savedList = daten;
      save = TSaveStand{{}, daten.HbName};
    } else if (kind == 1) {
      // Saving: every step of this file compares with the list now on disk.
      savedList = daten;
      save = TSaveStand{{}, daten.HbName};
      undo.UpdateSavedState(file, &daten);
      for (Schnappschuss& s : steps) {
        if (s.file == file) s.saved = daten;
      }
    } else {
      Record(kind == 2 ? u"Andere.tvd" : file);
      for (int k = gen.Below(3); k >= 0; --k) Change();
    }
    CheckSavedState();
  }
  ASSERT_EQ(undo.Count(), static_cast<int>(steps.size()));
  for (int k = 0; k < undo.Count(); ++k) {
    EXPECT_TRUE(undo.ListeVon(k).Ident(steps[static_cast<size_t>(k)].liste))
        << "list of step " << k;
    const TDaten saved = undo.SaveDatenVon(k);
    EXPECT_TRUE(saved.Ident(steps[static_cast<size_t>(k)].saved)) << "saved state of step " << k;
  }
  while (undo.Count() > 0) {
    SCOPED_TRACE(testing::Message() << "undo of step " << undo.Count());
    if (gen.Coin()) NewOrder();
    undo.ListeZuruecksetzen(sortNr, aufS);
    savedList = steps.back().saved;
    EXPECT_TRUE(SameSequence(Sorted(steps.back().liste.Liste, sortNr, aufS), daten.Liste));
    EXPECT_EQ(daten.HbName, steps.back().liste.HbName);
    CheckSavedState();
    undo.Delete(undo.Count() - 1);
    steps.pop_back();
  }
}

TEST_F(UndoInPlace, AStepKeepsTheOldEntryWhileTheListChangesIt) {
  Record(u"Liste.tvd");
  const TDatenRec old = daten.Liste[3];
  TDatenRec changed = old;
  changed.Titel = u"Neu";
  daten.Replace(3, changed);
  daten.SortIn(3, sortNr, aufS);
  changed.Autor = u"Noch neuer";
  daten.Replace(daten.FindDatenRecNr(daten.Liste[3]), changed);
  EXPECT_TRUE(undo.ListeVon(0).Ident(steps[0].liste));
  EXPECT_EQ(undo.ListeVon(0).FindDatenRecNr(changed), -1);
  undo.ListeZuruecksetzen(sortNr, aufS);
  EXPECT_GE(daten.FindDatenRecNr(old), 0);
  EXPECT_TRUE(save.GleichListe(daten)) << "back to the loaded list: no unsaved changes";
}

TEST_F(UndoInPlace, AWholeReplacementInsideAStepKeepsTheListBefore) {
  Record(u"Liste.tvd");
  daten.Delete(0);
  const TListe before = steps[0].liste.Liste;
  daten = TDaten(gen.List(5));  // as a command taking over a changed copy would
  EXPECT_TRUE(!save.GleichListe(daten));
  undo.ListeZuruecksetzen(sortNr, aufS);
  EXPECT_TRUE(SameSequence(Sorted(before, sortNr, aufS), daten.Liste));
  EXPECT_TRUE(save.GleichListe(daten));
}

}  // namespace
}  // namespace tvn
