#include <gtest/gtest.h>

#include "data/DatenC.h"
#include "data/tests/TestData.h"
#include "platform/Platform.h"

namespace tvn {
namespace {

using test::RecordingMeldung;
using test::Sentinel;

using test::Entry;
using test::FileBytes;

const std::string kHeaderV2 = FileBytes().Text("TVN02").Text("Name").str();

TEST(LoadFromBytes, RejectsEveryMalformedFileAndKeepsTheList) {
  struct Case {
    const char* what;
    std::string bytes;
    std::u16string error;
  };
  const std::string oneRecord = FileBytes().Record("A").str();
  const Case cases[] = {
      {"empty file", "", u"Stream-Lesefehler"},
      {"one byte", "\x00", u"Stream-Lesefehler"},
      {"lower-case tag", FileBytes().Text("tvn02").Text("").Number(0).str(), u"Unbekanntes Dateiformat."},
      {"other tag", FileBytes().Text("TVN03").Text("").Number(0).str(), u"Unbekanntes Dateiformat."},
      {"tag longer than file", FileBytes().Length(9).Raw("TVN02").str(), u"Unvollständiges Datenfeld."},
      {"name cut off", FileBytes().Text("TVN02").Length(10).Raw("abc").str(), u"Unvollständiges Datenfeld."},
      {"count cut off", FileBytes().Text("TVN02").Text("").Raw("\x01\x00").str(), u"Stream-Lesefehler"},
      {"negative count", FileBytes().Text("TVN02").Text("").Number(-1).str(), u"Ungültige Anzahl von Einträgen."},
      {"huge count", FileBytes().Text("TVN02").Text("").Number(0x7FFFFFFF).Raw(oneRecord).str(), u"Ungültige Anzahl von Einträgen."},
      {"count one more than fits", FileBytes().Raw(kHeaderV2).Number(2).Raw(oneRecord).str(), u"Ungültige Anzahl von Einträgen."},
      {"count one more, padding fits a record",
       FileBytes().Raw(kHeaderV2).Number(2).Raw(oneRecord).Raw(std::string(29, '\0')).str(), u"Ungültiges Datum."},
      {"count one more, long records",
       FileBytes().Raw(kHeaderV2).Number(2).Record(std::string(40, 'a')).str(), u"Stream-Lesefehler"},
      {"date below 1900-01-01", FileBytes().Raw(kHeaderV2).Number(1).Record("A", 1).str(), u"Ungültiges Datum."},
      {"receipt date day 1 with flag off", FileBytes().Raw(kHeaderV2).Number(1).Record("A", 45292, 1, '0').str(), u"Ungültiges Datum."},
      {"date after 2500-12-31", FileBytes().Raw(kHeaderV2).Number(1).Record("A", 219513).str(), u"Ungültiges Datum."},
      {"bad flag byte", FileBytes().Raw(kHeaderV2).Number(1).Record("A", 45292, 45292, 'J').str(), u"Ungültiger Ja/Nein-Wert."},
      {"rating 6", FileBytes().Raw(kHeaderV2).Number(1).Record("A", 45292, 45292, '0', 6).str(), u"Ungültige Bewertung."},
      {"rating -1", FileBytes().Raw(kHeaderV2).Number(1).Record("A", 45292, 45292, '0', -1).str(), u"Ungültige Bewertung."},
      {"one trailing byte", FileBytes().Raw(kHeaderV2).Number(1).Raw(oneRecord).Raw("x").str(), u"Unerwartete Daten am Dateiende."},
      {"trailing bytes after empty list", FileBytes().Raw(kHeaderV2).Number(0).Raw("abc").str(), u"Unerwartete Daten am Dateiende."},
  };
  for (const Case& c : cases) {
    TDaten d = Sentinel();
    EXPECT_FALSE(d.LoadFromBytes(c.bytes)) << c.what;
    EXPECT_EQ(d.LastError(), c.error) << c.what;
    EXPECT_TRUE(d.Ident(Sentinel())) << c.what;
  }
}

TEST(LoadFromBytes, EveryTruncationFailsCleanly) {
  TDaten full;
  full.HbName = u"Sammlung";
  for (int i = 0; i < 3; ++i) full.Add(Entry(u"Autor" + std::u16string(1, char16_t(u'0' + i)), u"Ä"));
  std::string bytes;
  ASSERT_TRUE(full.EncodeBinary(bytes));
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    TDaten d = Sentinel();
    EXPECT_FALSE(d.LoadFromBytes(std::string_view(bytes).substr(0, cut))) << cut;
    EXPECT_FALSE(d.LastError().empty()) << cut;
    EXPECT_TRUE(d.Ident(Sentinel())) << cut;
  }
}

TEST(LoadFromBytes, AcceptsBoundaryDatesAndBothVersions) {
  TDaten d;
  ASSERT_TRUE(d.LoadFromBytes(FileBytes().Raw(kHeaderV2).Number(2).Record("A", 2).Record("B", 219512, 2, '1', 5).str()))
      << std::string(d.LastError().begin(), d.LastError().end());
  ASSERT_EQ(d.Count(), 2);
  EXPECT_EQ(d.HbName, u"Name");
  EXPECT_EQ(d.Liste[0].ErstelltDatum, 2);
  EXPECT_EQ(d.Liste[1].ErstelltDatum, 219512);
  EXPECT_TRUE(d.Liste[1].ErhaltenS);
  EXPECT_EQ(d.Liste[1].Bewertung, btSehrSchlecht);
  EXPECT_TRUE(d.Liste[1].Akt);

  const std::string v1 = FileBytes().Text("TVN01").Text("").Number(2).Record("A", 45292, 45292, '0', 0, false).Record("B", 45292, 45292, '0', 0, false).str();
  ASSERT_TRUE(d.LoadFromBytes(v1));
  for (const TDatenRec& r : d.Liste) EXPECT_EQ(r.Bewertung, btKeine);
  std::string again;
  ASSERT_TRUE(d.EncodeBinary(again));
  EXPECT_EQ(again.size(), v1.size() + 2 * 4) << "version 2 adds a rating to each entry";
  EXPECT_EQ(again.substr(0, 7), FileBytes().Text("TVN02").str());
}

TEST(BinaryFormat, EmptyListIsThirteenBytes) {
  TDaten d;
  std::string bytes;
  ASSERT_TRUE(d.EncodeBinary(bytes));
  EXPECT_EQ(bytes, std::string("\x00\x05TVN02\x00\x00\x00\x00\x00\x00", 13));
  d.HbName = u"kept";
  ASSERT_TRUE(d.LoadFromBytes(std::string("\x00\x05TVN02\x00\x02" "ab\x00\x00\x00\x00", 15)));
  EXPECT_EQ(d.Count(), 0);
  EXPECT_EQ(d.HbName, u"ab");
}

TEST(BinaryFormat, NumberFieldByteOrderIsSymmetric) {
  EXPECT_EQ(FileBytes().Number(45292).str(), std::string("\xEC\x00\x00\xB0", 4));
  // The loader reads what an independent writer wrote, and the saver writes the same bytes.
  for (int32_t v : {2, 255, 256, 0x1234, 65535, 65536, 0x012345, 219512}) {
    const std::string bytes = FileBytes().Raw(kHeaderV2).Number(1).Record("A", v).str();
    TDaten d;
    ASSERT_TRUE(d.LoadFromBytes(bytes)) << v;
    EXPECT_EQ(d.Liste[0].ErstelltDatum, v);
    d.HbName = u"Name";
    std::string again;
    ASSERT_TRUE(d.EncodeBinary(again));
    EXPECT_EQ(again, bytes) << v;
  }
  // Every field of a full entry survives a round trip, including the rating position.
  TDatenRec r = Entry(u"Jörg Ärger", u"Straße\r\nzwei", 219512);
  r.KatalogNr = u"K-1";
  r.Quelle = u"Bücherei ÿ";
  r.ErhaltenS = true;
  r.ErhaltenDatum = 2;
  r.RetourS = true;
  r.RetourDatum = 100000;
  r.GelesenS = true;
  r.Bewertung = btMittel;
  r.Infos = std::u16string(u"a\0b", 3);
  TDaten d(r);
  d.HbName = u"Ü";
  std::string bytes;
  ASSERT_TRUE(d.EncodeBinary(bytes));
  TDaten back;
  ASSERT_TRUE(back.LoadFromBytes(bytes));
  EXPECT_TRUE(back.Ident(d));
}

TEST(BinaryFormat, RefusesWhatItCannotStore) {
  struct Case {
    const char* what;
    std::u16string text;
    bool ok;
    std::u16string error;
  };
  const Case cases[] = {
      {"U+00FF", u"ÿ", true, u""},
      {"euro sign", u"5 €", false, u"Ein Zeichen ist im bisherigen Dateiformat nicht darstellbar."},
      {"65535 characters", std::u16string(65535, u'x'), true, u""},
      {"65536 characters", std::u16string(65536, u'x'), false, u"Ein Feld ist länger als 65535 Zeichen."},
  };
  for (const Case& c : cases) {
    for (int field = 0; field < 3; ++field) {
      TDaten d(Entry(u"A"));
      (field == 0 ? d.HbName : field == 1 ? d.Liste[0].Titel : d.Liste[0].Infos) = c.text;
      std::string bytes;
      EXPECT_EQ(d.EncodeBinary(bytes), c.ok) << c.what << " field " << field;
      EXPECT_EQ(d.LastError(), c.error) << c.what;
      if (!c.ok) continue;
      TDaten back;
      ASSERT_TRUE(back.LoadFromBytes(bytes)) << c.what;
      EXPECT_TRUE(back.Ident(d)) << c.what;
    }
  }
}

TEST(SaveToFile, FailureBeforeWritingLeavesTargetUntouched) {
  test::TempDir dir;
  const std::u16string target = dir.File(u"liste.tvd");
  test::WriteBytes(target, "old content");
  TDaten d(Entry(u"A", u"Preis 5 €"));
  EXPECT_FALSE(d.SaveToFile(target, false));
  EXPECT_EQ(d.LastError(), u"Ein Zeichen ist im bisherigen Dateiformat nicht darstellbar.");
  EXPECT_EQ(test::ReadBytes(target), "old content");
  EXPECT_EQ(dir.Files(), std::vector<std::u16string>{u"liste.tvd"});

  const std::u16string txt = dir.File(u"liste.txt");
  ASSERT_TRUE(d.SaveToFile(txt, true));
  EXPECT_NE(test::ReadBytes(txt).find("Preis 5 \xE2\x82\xAC"), std::string::npos);

  EXPECT_FALSE(d.SaveToFile(u"", false));
  EXPECT_EQ(d.LastError(), u"Es wurde kein Dateiname angegeben.");
}

TEST(SaveToFile, FailingStepRemovesTemporaryFileAndKeepsTarget) {
  using platform::FileStep;
  struct Case {
    FileStep step;
    std::u16string errorStart;
  };
  const Case cases[] = {
      {FileStep::CreateTemp, u"Systemfehler.  Code: "},
      {FileStep::Write, u"Stream-Schreibfehler"},
      {FileStep::Flush, u"Systemfehler.  Code: "},
      {FileStep::Move, u"Systemfehler.  Code: "},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    const std::u16string target = dir.File(u"liste.tvd");
    test::WriteBytes(target, "old");
    TDaten d(Entry(u"A"));
    platform::FailNextReplaceAt(c.step);
    EXPECT_FALSE(d.SaveToFile(target, false));
    EXPECT_EQ(d.LastError().substr(0, c.errorStart.size()), c.errorStart);
    EXPECT_EQ(test::ReadBytes(target), "old");
    EXPECT_EQ(dir.Files(), std::vector<std::u16string>{u"liste.tvd"});
  }
}

TEST(SaveToFile, ReplacesTargetAndLoadsBack) {
  test::TempDir dir;
  const std::u16string target = dir.File(u"liste.tvd");
  test::WriteBytes(target, std::string(5000, 'x'));
  TDaten d;
  d.HbName = u"Meine Hörbücher";
  d.Add(Entry(u"Ähre", u"Ü"));
  ASSERT_TRUE(d.SaveToFile(target, false));
  EXPECT_EQ(d.LastError(), u"");
  EXPECT_EQ(dir.Files(), std::vector<std::u16string>{u"liste.tvd"}) << "no temporary file left";
  TDaten back;
  ASSERT_TRUE(back.LoadFromFile(target, false));
  EXPECT_TRUE(back.Ident(d));
}

TEST(LoadFromFile, LargeFileLoadsWhileItsMemoryIsHandedBack) {
  TDaten d;
  for (int i = 0; i < 60000; ++i) {
    TDatenRec r = Entry(u"Autor " + std::u16string(1, char16_t(u'A' + i % 26)), std::u16string(60, u'ü'), 40000 + i % 9000);
    r.Infos = u"Zeile\r\nZeile";
    d.Add(r);
  }
  test::TempDir dir;
  const std::u16string file = dir.File(u"gross.tvd");
  ASSERT_TRUE(d.SaveToFile(file, false));
  ASSERT_GT(test::ReadBytes(file).size(), size_t{5} << 20) << "large enough to release pages while parsing";
  TDaten back;
  ASSERT_TRUE(back.LoadFromFile(file, false));
  EXPECT_TRUE(back.Ident(d));
  EXPECT_EQ(back.Liste.back().Titel, d.Liste.back().Titel);
}

TEST(LoadFromFile, MissingFileAndMessageBox) {
  test::TempDir dir;
  const std::u16string missing = dir.File(u"fehlt.tvd");
  RecordingMeldung meldung;
  SetDatenMeldung(&meldung);
  TDaten d = Sentinel();
  EXPECT_FALSE(d.LoadFromFile(missing, false));
  const std::u16string start = u"Datei " + missing + u" kann nicht geöffnet werden. ";
  EXPECT_EQ(d.LastError().substr(0, start.size()), start);
  EXPECT_GT(d.LastError().size(), start.size()) << "the system's message follows";
  EXPECT_TRUE(meldung.shown.empty());

  const std::u16string broken = dir.File(u"kaputt.tvd");
  test::WriteBytes(broken, "TVN02");
  EXPECT_FALSE(d.LoadFromFile(broken, true));
  ASSERT_EQ(meldung.shown.size(), 1u);
  EXPECT_EQ(meldung.shown[0], u"Die Datei \"" + broken +
                                  u"\" konnte nicht geöffnet werden!\r\nDie Datei ist nicht lesbar, "
                                  u"beschädigt oder hat ein unbekanntes Format.");
  EXPECT_TRUE(d.Ident(Sentinel()));
  SetDatenMeldung(nullptr);
}

TEST(TextDocument, ColumnsDatesAndEscapes) {
  TDaten d;
  EXPECT_EQ(d.EncodeText(),
            "\xEF\xBB\xBF" "Autor\tTitel\tKatalognummer\tQuelle\tGelesen\tBewertung\tErhalten\t"
            "Retourniert\tErstellt\tInfos\r\n");
  TDatenRec r = Entry(u"Jörg", u"T\tab", EncodeDatum(2024, 3, 5));
  r.Infos = u"a\r\nb\tc";
  r.Quelle = u"x\ry\nz\n\r";
  r.ErhaltenS = true;
  r.ErhaltenDatum = EncodeDatum(1900, 1, 1);
  r.RetourDatum = EncodeDatum(2500, 12, 31);  // flag off: empty column
  r.GelesenS = true;
  r.Bewertung = btSehrGut;
  d.Add(r);
  const std::string text = d.EncodeText();
  const std::string line = text.substr(text.find("\r\n") + 2);
  EXPECT_EQ(line, "J\xC3\xB6rg\tT ab\t\tx|y|z||\tJa\tSehr gut\t01.01.1900\t\t05.03.2024\ta|b c\r\n");
}

}  // namespace
}  // namespace tvn
