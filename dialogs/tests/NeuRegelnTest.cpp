#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Datum.h"
#include "dialogs/NeuRegeln.h"

namespace tvn {
namespace {

struct TTrimCase {
  std::u16string Input;
  std::u16string Feld;  // author, title, catalogue number, source
  std::u16string Info;
};

TEST(NeuRegeln, FieldsLoseBlanksAndControlsAtBothEndsInfoOnlyAtItsEnd) {
  const std::vector<TTrimCase> cases = {
      {u"  Mann  ", u"Mann", u"  Mann"},
      {u"\tThomas Mann\r\n", u"Thomas Mann", u"\tThomas Mann"},
      {u"Zeile 1\r\n\r\n  \r\n", u"Zeile 1", u"Zeile 1"},
      {u"  eingerückt\r\nZeile 2\r\n", u"eingerückt\r\nZeile 2", u"  eingerückt\r\nZeile 2"},
      {u"\x01x\x1f", u"x", u"\x01x"},
      {u" \t\r\n ", u"", u""},
      {u"", u"", u""},
      {u"\u00a0Text\u00a0", u"\u00a0Text\u00a0", u"\u00a0Text\u00a0"},  // no-break space is text
      {u"a  b", u"a  b", u"a  b"},
  };
  for (const TTrimCase& c : cases) {
    EXPECT_EQ(NeuFeldText(c.Input), c.Feld);
    EXPECT_EQ(NeuInfoText(c.Input), c.Info);
  }
}

TEST(NeuRegeln, OkNeedsAuthorAndTitleEachNonBlank) {
  EXPECT_TRUE(NeuOkErlaubt(u"A", u"T"));
  EXPECT_TRUE(NeuOkErlaubt(u"  A ", u"\tT"));
  EXPECT_FALSE(NeuOkErlaubt(u"", u"T"));
  EXPECT_FALSE(NeuOkErlaubt(u"A", u""));
  EXPECT_FALSE(NeuOkErlaubt(u"   ", u"T"));
  EXPECT_FALSE(NeuOkErlaubt(u"A", u"\r\n "));
}

// The dialog as the checks see it; counts which validity questions were asked.
class TFakeEingabe : public TNeuEingabe {
 public:
  bool ErhaltenS = false, ErhaltenOk = true, RetourS = false, RetourOk = true, ErstelltOk = true;
  TDatenRec Rec;
  std::vector<std::string> Asked;

  bool ErhaltenAngekreuzt() override { return ErhaltenS; }
  bool ErhaltenGueltig() override {
    Asked.push_back("Erhalten");
    return ErhaltenOk;
  }
  bool RetourAngekreuzt() override { return RetourS; }
  bool RetourGueltig() override {
    Asked.push_back("Retour");
    return RetourOk;
  }
  bool ErstelltGueltig() override {
    Asked.push_back("Erstellt");
    return ErstelltOk;
  }
  TDatenRec Eintrag() override {
    Asked.push_back("Eintrag");
    TDatenRec r = Rec;
    r.ErhaltenS = ErhaltenS;
    r.RetourS = RetourS;
    return r;
  }
};

TDatenRec Entry(std::u16string autor, std::u16string titel) {
  TDatenRec r;
  r.Autor = std::move(autor);
  r.Titel = std::move(titel);
  r.ErstelltDatum = EncodeDatum(2024, 3, 1);
  r.ErhaltenDatum = EncodeDatum(2024, 5, 10);
  r.RetourDatum = EncodeDatum(2024, 5, 20);
  return r;
}

class NeuPruefung : public ::testing::Test {
 protected:
  void SetUp() override {
    Daten.Add(Entry(u"Mann", u"Zauberberg"));
    Daten.Add(Entry(u"Fontane", u"Effi Briest"));
    Daten.Add(Entry(u"Kafka", u"Das Schloss"));
    In.Rec = Entry(u"Hesse", u"Steppenwolf");
  }
  TNeuPruefErgebnis Run(int editIndex = -1) { return PruefeNeuEintrag(In, &Daten, editIndex); }
  TDaten Daten;
  TFakeEingabe In;
};

TEST_F(NeuPruefung, DateMessagesNameTheFieldInStraightQuotes) {
  EXPECT_EQ(NeuDatumMeldung(u"Erhalten"), u"Bitte ein gültiges Datum für \"Erhalten\" eingeben.");
}

TEST_F(NeuPruefung, AValidNewEntryPassesAllChecks) {
  const TNeuPruefErgebnis r = Run();
  EXPECT_TRUE(r.Schliessen);
  EXPECT_EQ(r.Schritt, 0);
  EXPECT_EQ(r.Fokus, TNeuFokus::Keiner);
}

struct TDateCase {
  bool ErhaltenS, ErhaltenOk, RetourS, RetourOk, ErstelltOk;
  int Schritt;  // 0: passes
  const char16_t* Feld;
  TNeuFokus Fokus;
};

TEST_F(NeuPruefung, InvalidDatesAreRefusedInOrderAndOnlyWhereChecked) {
  const std::vector<TDateCase> cases = {
      {true, false, false, true, true, 1, u"Erhalten", TNeuFokus::Erhalten},
      {false, false, false, true, true, 0, nullptr, TNeuFokus::Keiner},  // unchecked: not read
      {true, false, true, false, false, 1, u"Erhalten", TNeuFokus::Erhalten},
      {true, true, true, false, false, 2, u"Retourniert", TNeuFokus::Retour},
      {false, true, false, false, true, 0, nullptr, TNeuFokus::Keiner},
      {false, true, false, true, false, 3, u"Erstellt", TNeuFokus::Erstellt},
  };
  for (const TDateCase& c : cases) {
    In.ErhaltenS = c.ErhaltenS;
    In.ErhaltenOk = c.ErhaltenOk;
    In.RetourS = c.RetourS;
    In.RetourOk = c.RetourOk;
    In.ErstelltOk = c.ErstelltOk;
    const TNeuPruefErgebnis r = Run();
    SCOPED_TRACE(c.Schritt);
    EXPECT_EQ(r.Schliessen, c.Schritt == 0);
    EXPECT_EQ(r.Schritt, c.Schritt);
    EXPECT_EQ(r.Fokus, c.Fokus);
    if (c.Feld) {
      EXPECT_EQ(r.Meldung, NeuDatumMeldung(c.Feld));
    }
  }
}

TEST_F(NeuPruefung, ADateOfAnUncheckedBoxIsNeverCheckedSinceCheckingRepairsIt) {
  In.ErhaltenOk = false;
  In.RetourOk = false;
  Run();
  EXPECT_EQ(In.Asked, (std::vector<std::string>{"Erstellt", "Eintrag"}));
  In.Asked.clear();
  In.ErhaltenS = true;
  Run();
  // The first failure ends the checks: nothing after it is read.
  EXPECT_EQ(In.Asked, (std::vector<std::string>{"Erhalten"}));
}

TEST_F(NeuPruefung, AuthorAndTitleAreRequiredFocusOnTheFirstMissing) {
  In.Rec.Autor.clear();
  TNeuPruefErgebnis r = Run();
  EXPECT_EQ(r.Schritt, 4);
  EXPECT_EQ(r.Meldung, u"Bitte Autor und Titel eingeben.");
  EXPECT_EQ(r.Fokus, TNeuFokus::Autor);
  In.Rec.Titel.clear();
  EXPECT_EQ(Run().Fokus, TNeuFokus::Autor);
  In.Rec.Autor = u"Hesse";
  r = Run();
  EXPECT_EQ(r.Schritt, 4);
  EXPECT_EQ(r.Fokus, TNeuFokus::Titel);
}

TEST_F(NeuPruefung, ReturnedBeforeReceivedIsRefusedSameDayPasses) {
  In.ErhaltenS = In.RetourS = true;
  In.Rec.ErhaltenDatum = EncodeDatum(2024, 5, 10);
  In.Rec.RetourDatum = EncodeDatum(2024, 5, 9);
  TNeuPruefErgebnis r = Run();
  EXPECT_EQ(r.Schritt, 6);
  EXPECT_EQ(r.Meldung, u"Das Retourdatum darf nicht vor dem Erhaltungsdatum liegen.");
  EXPECT_EQ(r.Fokus, TNeuFokus::Retour);
  In.Rec.RetourDatum = EncodeDatum(2024, 5, 10);
  EXPECT_TRUE(Run().Schliessen);
  // The order only matters when both flags are set.
  In.Rec.RetourDatum = EncodeDatum(2024, 5, 9);
  In.RetourS = false;
  EXPECT_TRUE(Run().Schliessen);
}

TEST_F(NeuPruefung, AnEntryEqualToAnotherIsRefusedWithTheAuthorSelected) {
  In.Rec = Daten.Liste[1];
  TNeuPruefErgebnis r = Run();
  EXPECT_EQ(r.Schritt, 7);
  EXPECT_EQ(r.Meldung, u"Ein solcher Eintrag existiert bereits!");
  EXPECT_EQ(r.Fokus, TNeuFokus::AutorMarkiert);
  // Equal means equal in every field: another info text makes it a new entry.
  In.Rec.Infos = u"anders";
  EXPECT_TRUE(Run().Schliessen);
}

TEST_F(NeuPruefung, AnUnchangedEditClosesWithoutTheLaterChecks) {
  // Entry 0 stored with the returned date before the received one (an old file).
  Daten.Liste[0].ErhaltenS = Daten.Liste[0].RetourS = true;
  Daten.Liste[0].RetourDatum = EncodeDatum(2024, 5, 1);
  Daten.Add(Daten.Liste[0]);  // and the same entry once more
  In.Rec = Daten.Liste[0];
  In.ErhaltenS = In.RetourS = true;
  const TNeuPruefErgebnis r = Run(0);
  EXPECT_TRUE(r.Schliessen);
  EXPECT_EQ(r.Schritt, 5);
}

TEST_F(NeuPruefung, AChangedEditIsComparedWithTheOthersOnly) {
  In.Rec = Daten.Liste[2];
  In.Rec.Infos = u"neu";
  EXPECT_TRUE(Run(2).Schliessen);  // itself is no duplicate
  In.Rec = Daten.Liste[1];
  EXPECT_EQ(Run(2).Schritt, 7);  // made equal to another
}

TEST_F(NeuPruefung, WithoutAListOrWithAnIndexOutsideItNothingIsCompared) {
  In.Rec = Daten.Liste[1];
  EXPECT_TRUE(PruefeNeuEintrag(In, nullptr, -1).Schliessen);
  EXPECT_TRUE(PruefeNeuEintrag(In, nullptr, 1).Schliessen);
  // An index past the end edits nothing: every entry counts as another one.
  EXPECT_EQ(Run(3).Schritt, 7);
  EXPECT_EQ(Run(-5).Schritt, 7);
}

TEST(NeuSpalten, TwoColumnsOnlyWhenBothWidestTextsFitBesideEachOther) {
  // avail = content - scroll bar - 10
  TNeuSpalten s = NeuSpalten(500, 20, 150, 180);
  EXPECT_EQ(s.Avail, 470);
  EXPECT_EQ(s.Cols, 2);
  EXPECT_EQ(s.ColW, 230);
  s = NeuSpalten(400, 20, 150, 180);  // 2 * 180 + 10 = 370 = avail: still fits
  EXPECT_EQ(s.Avail, 370);
  EXPECT_EQ(s.Cols, 2);
  EXPECT_EQ(s.ColW, 180);
  s = NeuSpalten(399, 20, 150, 180);
  EXPECT_EQ(s.Cols, 1);
  EXPECT_EQ(s.ColW, 369);
  s = NeuSpalten(400, 20, 200, 180);  // the catalogue text is the wider one
  EXPECT_EQ(s.Cols, 1);
  s = NeuSpalten(100, 20, 150, 180);  // narrower than a date: the date width wins
  EXPECT_EQ(s.Avail, 70);
  EXPECT_EQ(s.Cols, 1);
  EXPECT_EQ(s.ColW, 180);
  EXPECT_EQ(NeuSpalten(0, 20, 1, 1).Avail, 1);
}

}  // namespace
}  // namespace tvn
