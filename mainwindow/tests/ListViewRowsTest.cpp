#include <gtest/gtest.h>

#include "mainwindow/ListViewRows.h"

namespace tvn {
namespace {

const TWeekdayNames kGerman = {u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa"};

TEST(ListViewRows, DatesShowTheInjectedWeekdayAbbreviation) {
  EXPECT_EQ(DatumMitWochentag(EncodeDatum(2024, 3, 5), kGerman), u"Di, 05.03.2024");
  EXPECT_EQ(DatumMitWochentag(EncodeDatum(2024, 3, 4), kGerman), u"Mo, 04.03.2024");
  EXPECT_EQ(DatumMitWochentag(ProgMinDatum, kGerman), u"Mo, 01.01.1900");
  EXPECT_EQ(DatumMitWochentag(ProgMaxDatum, kGerman), u"Fr, 31.12.2500");
  const TWeekdayNames english = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  EXPECT_EQ(DatumMitWochentag(EncodeDatum(2000, 1, 1), english), u"Sat, 01.01.2000");
}

TDatenRec FullEntry() {
  TDatenRec rec;
  rec.Autor = u"Müller";
  rec.Titel = u"Der Weg";
  rec.KatalogNr = u"K-17";
  rec.Quelle = u"Bücherei";
  rec.GelesenS = true;
  rec.Bewertung = btGut;
  rec.ErhaltenS = true;
  rec.ErhaltenDatum = EncodeDatum(2024, 3, 5);
  rec.RetourS = true;
  rec.RetourDatum = EncodeDatum(2024, 4, 1);
  rec.ErstelltDatum = EncodeDatum(2024, 3, 3);
  return rec;
}

TEST(ListViewRows, RowTextsFillTheNineColumnsInOrder) {
  const TDaten daten(FullEntry());
  const auto texte = ZeilenTexte(daten, 0, kGerman);
  const std::array<std::u16string, kSpaltenCount> expected = {
      u"Müller", u"Der Weg",        u"K-17",           u"Bücherei",      u"Ja",
      u"Gut",    u"Di, 05.03.2024", u"Mo, 01.04.2024", u"So, 03.03.2024"};
  EXPECT_EQ(texte, expected);
}

TEST(ListViewRows, UnsetDatesShowADashButTheCreationDateAlways) {
  TDatenRec rec = FullEntry();
  rec.ErhaltenS = false;
  rec.RetourS = false;
  rec.GelesenS = false;
  const TDaten daten(rec);
  const auto texte = ZeilenTexte(daten, 0, kGerman);
  EXPECT_EQ(texte[snGelesen], u"Nein");
  EXPECT_EQ(texte[snErhalten], u"-");
  EXPECT_EQ(texte[snRetour], u"-");
  EXPECT_EQ(texte[snErstellt], u"So, 03.03.2024");
}

TEST(ListViewRows, RatingColumnNamesEveryRating) {
  const std::u16string_view names[] = {u"Keine",  u"Sehr gut", u"Gut",
                                       u"Mittel", u"Schlecht", u"Sehr schlecht"};
  TDatenRec rec;
  for (int b = 0; b < kBewertungCount; ++b) {
    rec.Bewertung = static_cast<TBewertung>(b);
    EXPECT_EQ(SpaltenText(rec, snBewertung, kGerman), names[b]);
  }
  EXPECT_EQ(SpaltenText(rec, 9, kGerman), u"");
}

TEST(ListViewRows, RowsOutsideTheListAreEmpty) {
  const TDaten daten(FullEntry());
  const std::array<std::u16string, kSpaltenCount> empty{};
  EXPECT_EQ(ZeilenTexte(daten, 1, kGerman), empty);
  EXPECT_EQ(ZeilenTexte(daten, -1, kGerman), empty);
  EXPECT_EQ(ZeilenTexte(TDaten(), 0, kGerman), empty);
}

TEST(ListViewRows, ColumnWidthsKeepTheMinimum) {
  EXPECT_EQ(MinSpaltenBreite(10), 40);
  EXPECT_EQ(MinSpaltenBreite(20), 40);
  EXPECT_EQ(MinSpaltenBreite(31), 51);

  const struct {
    int spalte, stored, client, min, width;
  } cases[] = {
      {0, -1, 1000, 40, 120},  {4, -1, 1000, 40, 70},
      {5, -1, 1000, 40, 90},   {0, -1, 1001, 40, 120},  // truncated
      {5, -1, 1099, 40, 98},   {4, -1, 300, 40, 40},    // the share is below the minimum
      {3, 250, 1000, 40, 250}, {3, 12, 1000, 51, 51},  // a stored width below the minimum is raised
      {3, 0, 1000, 40, 40},    {2, -1, 0, 40, 40},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SpaltenBreite(c.spalte, c.stored, c.client, c.min), c.width)
        << c.spalte << " " << c.stored << " " << c.client;
  }
  int sum = 0;
  for (int p : kSpaltenProzent) sum += p;
  EXPECT_EQ(sum, 100) << "the default widths fill the list";
}

TEST(ListViewRows, TypeAheadFindsTheNextAuthorWithThatBeginningInAnyCase) {
  TDaten daten;
  for (auto autor : {u"Müller", u"Zorn", u"mÜnch", u"Meier", u"m"}) {
    TDatenRec rec;
    rec.Autor = autor;
    daten.Add(rec);
  }
  const struct {
    std::u16string_view typed;
    int start;
    bool wrap;
    int found;
  } cases[] = {
      {u"mü", 0, true, 0},       {u"MÜ", 1, true, 2},   {u"mü", 3, true, 0},
      {u"mü", 3, false, -1},     {u"mü", -5, false, 0}, {u"mü", 99, true, 0},
      {u"mü", 99, false, -1},    {u"z", 2, true, 1},    {u"mei", 0, false, 3},
      {u"m", 4, false, 4},       {u"mx", 0, true, -1},  {u"", 0, true, -1},
      {u"müllers", 0, true, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindAutorPrefix(daten, c.typed, c.start, c.wrap), c.found)
        << c.start << (c.wrap ? " wrap" : "");
  }
  EXPECT_EQ(FindAutorPrefix(TDaten(), u"m", 0, true), -1);
}

TEST(ListViewRows, HeaderClickTogglesTheSameColumnAndStartsOthersAscending) {
  const TSortierung titelAuf{snTitel, true}, titelAb{snTitel, false};
  EXPECT_EQ(KopfKlickSortierung(snTitel, titelAuf), titelAb);
  EXPECT_EQ(KopfKlickSortierung(snTitel, titelAb), titelAuf);
  EXPECT_EQ(KopfKlickSortierung(snErstellt, titelAb), (TSortierung{snErstellt, true}));
  EXPECT_EQ(KopfKlickSortierung(9, titelAb), std::nullopt);
  EXPECT_EQ(KopfKlickSortierung(-1, titelAb), std::nullopt);
}

}  // namespace
}  // namespace tvn
