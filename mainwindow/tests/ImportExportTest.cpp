#include <gtest/gtest.h>

#include "data/tests/TestData.h"
#include "mainwindow/ImportExport.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn {
namespace {

using test::Entry;

std::vector<std::u16string> Authors(const TDaten& daten) {
  std::vector<std::u16string> authors;
  for (const TDatenRec& r : daten.Liste) authors.push_back(r.Autor);
  return authors;
}

TDaten Load(const std::u16string& path) {
  TDaten daten;
  EXPECT_TRUE(daten.LoadFromFile(path, false)) << ToUtf8(daten.LastError());
  return daten;
}

TEST(ImportExport, ReportsAndQuestionsNameTheFile) {
  EXPECT_EQ(ImportBerichtText(false, u"C:\\a.tvi"), u"Es wurden keine neuen Einträge importiert.");
  EXPECT_EQ(ImportBerichtText(true, u"C:\\a.tvi"),
            u"Die Datei \"C:\\a.tvi\" wurde erfolgreich importiert!");
  EXPECT_EQ(ExportErstelltText(u"C:\\a.tvi"),
            u"Die Datei \"C:\\a.tvi\" wurde erfolgreich erstellt!");
  EXPECT_EQ(ExportUeberschreibenFrage(u"C:\\a.txt"),
            u"Die Datei \"C:\\a.txt\" existiert bereits!\r\nSoll die Datei überschrieben "
            u"werden?\r\nJa=Überschreiben; Nein=Keine Aktion");
  EXPECT_EQ(ExportImportierenFrage(u"C:\\a.tvi"),
            u"Die Datei \"C:\\a.tvi\" existiert bereits!\r\nSollen die Daten in die bestehende "
            u"Datei importiert werden?\r\nJa=Importieren; Nein=Überschreiben; "
            u"Abbrechen=Keine Aktion");
  EXPECT_EQ(kImportDatumFrage,
            u"Soll das Erstellungsdatum der importierten Daten übernommen oder auf das heutige "
            u"Datum gesetzt werden?\r\nJa=Belassen; Nein=Heutiges Datum; Abbrechen=Keine Aktion");
}

TEST(ImportExport, TheChosenFileTypeDecidesFormatAndQuestion) {
  const struct {
    bool exists;
    int filter;
    TExportFall fall;
    bool text;
  } cases[] = {
      {false, 1, TExportFall::Schreiben, false},
      {false, 3, TExportFall::Schreiben, true},
      {true, 1, TExportFall::ImportierenFragen, false},
      {true, 2, TExportFall::ImportierenFragen, false},
      {true, 3, TExportFall::UeberschreibenFragen, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExportFallFuer(c.exists, c.filter), c.fall) << c.exists << c.filter;
    EXPECT_EQ(ExportAlsText(c.filter), c.text) << c.filter;
  }
}

TEST(ImportExport, TheOpenFileIsRecognisedInAnyLetterCase) {
  test::TempDir dir;
  const std::u16string open = dir.File(u"Liste.tvd");
  std::u16string upper = open;
  for (char16_t& ch : upper) ch = ch >= u'a' && ch <= u'z' ? ch - 32 : ch;
  EXPECT_TRUE(IstGeoeffneteDatei(upper, open));
  EXPECT_TRUE(IstGeoeffneteDatei(open, open));
  EXPECT_FALSE(IstGeoeffneteDatei(dir.File(u"Liste.tvi"), open));
  // No file open: only its folder is known.
  EXPECT_FALSE(IstGeoeffneteDatei(open, dir.File(u"")));
}

class ExportFile : public ::testing::Test {
 protected:
  // An existing export target named "Zielliste".
  std::u16string SaveTarget(const std::vector<std::u16string>& autoren) {
    TDaten daten;
    daten.HbName = u"Zielliste";
    for (const std::u16string& a : autoren) daten.Add(Entry(a));
    const std::u16string path = dir.File(u"ziel.tvi");
    EXPECT_TRUE(daten.SaveToFile(path, false));
    return path;
  }
  test::TempDir dir;
};

TEST_F(ExportFile, ANewFileHoldsJustTheMarkedEntries) {
  TDaten marked;
  marked.Add(Entry(u"B"));
  marked.Add(Entry(u"A"));
  TDaten written;
  const std::u16string path = dir.File(u"neu.tvi");
  EXPECT_EQ(WriteExportFile(path, marked, true, false, written), TExportErgebnis::Geschrieben);
  const TDaten loaded = Load(path);
  EXPECT_EQ(Authors(loaded), (std::vector<std::u16string>{u"B", u"A"}));
  EXPECT_EQ(loaded.HbName, u"");
  EXPECT_TRUE(written.Ident(loaded));
}

TEST_F(ExportFile, MergingKeepsTheFilesNameAndOrderAndAddsOnlyWhatItLacks) {
  const std::u16string path = SaveTarget({u"Z", u"M"});
  TDaten marked;
  for (const char16_t* a : {u"A", u"M", u"B", u"A"}) marked.Add(Entry(a));
  TDaten written;
  EXPECT_EQ(WriteExportFile(path, marked, false, false, written), TExportErgebnis::Geschrieben);
  const TDaten loaded = Load(path);
  EXPECT_EQ(Authors(loaded), (std::vector<std::u16string>{u"Z", u"M", u"A", u"B"}));
  EXPECT_EQ(loaded.HbName, u"Zielliste");
  EXPECT_TRUE(written.Ident(loaded));
}

TEST_F(ExportFile, AnUnreadableTargetIsNotMergedAndStaysAsItWas) {
  const std::u16string path = dir.File(u"kaputt.tvi");
  test::WriteBytes(path, "kein Hörbuch");
  TDaten marked(Entry(u"A"));
  TDaten written;
  EXPECT_EQ(WriteExportFile(path, marked, false, false, written), TExportErgebnis::NichtGeoeffnet);
  EXPECT_EQ(test::ReadBytes(path), "kein Hörbuch");
  EXPECT_EQ(WriteExportFile(dir.File(u"fehlt.tvi"), marked, false, false, written),
            TExportErgebnis::NichtGeoeffnet);
}

TEST_F(ExportFile, ACharacterBeyondLatin1FailsInTheAudiobookFormatButNotAsText) {
  const std::u16string path = SaveTarget({u"Z"});
  const std::string before = test::ReadBytes(path);
  TDaten marked(Entry(u"Preis 5 €"));
  TDaten written;
  for (bool assign : {true, false}) {
    EXPECT_EQ(WriteExportFile(path, marked, assign, false, written),
              TExportErgebnis::NichtGespeichert);
    EXPECT_EQ(written.LastError(), u"Ein Zeichen ist im bisherigen Dateiformat nicht darstellbar.");
    EXPECT_EQ(test::ReadBytes(path), before);  // the existing file is untouched
  }
  const std::u16string text = dir.File(u"liste.txt");
  EXPECT_EQ(WriteExportFile(text, marked, true, true, written), TExportErgebnis::Geschrieben);
  EXPECT_NE(test::ReadBytes(text).find("Preis 5 \xE2\x82\xAC"), std::string::npos);
}

}  // namespace
}  // namespace tvn
