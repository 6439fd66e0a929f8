// The details text of marked entries: captions on and off, numbered headings, the info
// indentation and the one closing line break.
#include "mainwindow/DetailsText.h"

#include <gtest/gtest.h>

#include "data/tests/TestData.h"
#include "platform/Utf16.h"

namespace tvn {
namespace {

// 2024-01-01 is a Monday, 2024-03-15 a Friday.
constexpr TDateTime kFreitag = 45366;

const TWeekdayNames kWochentage = {u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa"};

TDatenRec Voll() {
  TDatenRec rec = test::Entry(u"Böll, Heinrich", u"Ansichten eines Clowns");
  rec.KatalogNr = u"K-17";
  rec.Quelle = u"Hörbücherei";
  rec.GelesenS = true;
  rec.Bewertung = btSehrGut;
  rec.ErhaltenS = true;
  rec.ErhaltenDatum = kFreitag;
  rec.RetourS = true;
  rec.RetourDatum = kFreitag + 3;
  rec.Infos = u"Erste Zeile\r\nZweite Zeile";
  return rec;
}

std::u16string Text(const std::vector<TDatenRec>& recs, bool captions = true) {
  std::vector<const TDatenRec*> entries;
  for (const TDatenRec& r : recs) entries.push_back(&r);
  return DetailsText(entries, captions, kWochentage);
}

TEST(DetailsText, OneEntryShowsEveryFieldWithoutAHeading) {
  EXPECT_EQ(Text({Voll()}),
            u"Autor: Böll, Heinrich\r\n"
            u"Titel: Ansichten eines Clowns\r\n"
            u"Katalognummer: K-17\r\n"
            u"Quelle: Hörbücherei\r\n"
            u"Gelesen: Ja\r\n"
            u"Bewertung: Sehr gut\r\n"
            u"Erhalten: Fr, 15.03.2024\r\n"
            u"Retourniert: Mo, 18.03.2024\r\n"
            u"Erstellt: Mo, 01.01.2024\r\n"
            u"Infos: Erste Zeile\r\n"
            u"  Zweite Zeile\r\n");
}

TEST(DetailsText, LinesThatAreLeftOutOrKept) {
  TDatenRec received = test::Entry(u"A", u"T");
  received.ErhaltenS = true;
  received.ErhaltenDatum = kFreitag;
  received.RetourDatum = kFreitag;  // returned flag off: no line, whatever the date
  TDatenRec blankInfos = test::Entry(u"A", u"T");
  blankInfos.Infos = u"  \r\n \r\n";
  TDatenRec noTitle = test::Entry(u"A", u"");

  struct Case {
    const char* name;
    TDatenRec rec;
    bool captions;
    std::u16string expected;
  };
  const Case cases[] = {
      {"received, not returned", received, true,
       u"Autor: A\r\nTitel: T\r\nGelesen: Nein\r\nBewertung: Keine\r\nErhalten: Fr, 15.03.2024\r\n"
       u"Erstellt: Mo, 01.01.2024\r\n"},
      {"infos only blanks and breaks", blankInfos, true,
       u"Autor: A\r\nTitel: T\r\nGelesen: Nein\r\nBewertung: Keine\r\nErstellt: Mo, 01.01.2024\r\n"},
      {"empty title", noTitle, true,
       u"Autor: A\r\nGelesen: Nein\r\nBewertung: Keine\r\nErstellt: Mo, 01.01.2024\r\n"},
      {"bare values", Voll(), false,
       u"Böll, Heinrich\r\nAnsichten eines Clowns\r\nK-17\r\nHörbücherei\r\nJa\r\nSehr gut\r\n"
       u"Fr, 15.03.2024\r\nMo, 18.03.2024\r\nMo, 01.01.2024\r\nErste Zeile\r\n  Zweite Zeile\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ToUtf8(Text({c.rec}, c.captions)), ToUtf8(c.expected));
  }
}

TEST(DetailsText, SeveralEntriesGetNumberedBlocksAndOneClosingBreak) {
  TDatenRec trailing = test::Entry(u"C", u"T3");
  trailing.Infos = u"Ende\r\n\r\n  ";
  const std::u16string expected =
      u"1. markierter Eintrag:\r\nA\r\nT1\r\nNein\r\nKeine\r\nMo, 01.01.2024\r\n\r\n"
      u"2. markierter Eintrag:\r\nB\r\nT2\r\nNein\r\nKeine\r\nMo, 01.01.2024\r\n\r\n"
      u"3. markierter Eintrag:\r\nC\r\nT3\r\nNein\r\nKeine\r\nMo, 01.01.2024\r\nEnde\r\n";
  EXPECT_EQ(ToUtf8(Text({test::Entry(u"A", u"T1"), test::Entry(u"B", u"T2"), trailing}, false)),
            ToUtf8(expected));
  EXPECT_EQ(Text({}), u"");
}

TEST(DetailsText, HeadingsFromTheThousandthOnAreGrouped) {
  const std::vector<TDatenRec> recs(1001, test::Entry(u"A", u"T"));
  const std::u16string text = Text(recs, false);
  EXPECT_NE(text.find(u"\r\n999. markierter Eintrag:\r\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"\r\n1.000. markierter Eintrag:\r\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"\r\n1.001. markierter Eintrag:\r\n"), std::u16string::npos);
  EXPECT_EQ(text.substr(text.size() - 4), u"24\r\n");
}

TEST(DetailsText, TheCaptionNamesOneEntryOrTheGroupedNumber) {
  EXPECT_EQ(DetailsCaption(1), u"Details des markierten Eintrags");
  EXPECT_EQ(DetailsCaption(2), u"Details aller 2 markierten Einträge");
  EXPECT_EQ(DetailsCaption(999), u"Details aller 999 markierten Einträge");
  EXPECT_EQ(DetailsCaption(1000), u"Details aller 1.000 markierten Einträge");
  EXPECT_EQ(DetailsCaption(1234567), u"Details aller 1.234.567 markierten Einträge");
}

}  // namespace
}  // namespace tvn
