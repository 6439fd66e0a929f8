// Import into the current list and export of the marked entries, with the file dialogs and
// questions answered by the scripted prompt and the files checked on disk.
#include "mainwindow/FileCommands.h"
#include "mainwindow/ImportExport.h"
#include "mainwindow/tests/HauptTestSupport.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn::test {
namespace {

using winui::mrCancel;
using winui::mrNo;
using winui::mrOk;
using winui::mrYes;
using Names = std::vector<std::u16string>;

class ImportExport : public MainWindowTest {
 protected:
  std::u16string WriteFile(const std::u16string& name, const Names& autoren,
                           const std::u16string& hbName = u"") {
    TDaten daten = Liste(autoren);
    daten.HbName = hbName;
    const std::u16string path = dir.File(name);
    WriteListe(path, daten);
    return path;
  }
  static TDaten Load(const std::u16string& path) {
    TDaten daten;
    EXPECT_TRUE(daten.LoadFromFile(path, false)) << ToUtf8(daten.LastError());
    return daten;
  }
  const winui::TMessageRequest& LastMessage() const { return prompt->Last().Message; }
  const winui::TMessageRequest& Message(size_t fromEnd) const {
    return prompt->Records()[prompt->Records().size() - 1 - fromEnd].Message;
  }
  void Import(const std::u16string& path, winui::TModalResult dateAnswer) {
    prompt->AnswerFile(path);
    prompt->AnswerMessage(dateAnswer);
    if (dateAnswer != mrCancel) prompt->AnswerMessage(mrOk);  // the report
    form->MenuDateiImportClick();
  }
};

TEST_F(ImportExport, ImportAddsEachMissingEntryOnceAndMarksEverythingItHolds) {
  ShowListe({u"A", u"B"});  // titles 1, 2
  // B as in the list, C twice, D.
  TDaten file = Liste({u"A", u"B", u"C", u"D"});
  file.Liste.erase(file.Liste.begin());
  file.Add(file.Liste[1]);
  const std::u16string path = dir.File(u"neu.tvi");
  WriteListe(path, file);

  Import(path, mrYes);

  const winui::TPromptRecord& dialog = prompt->Records().at(0);
  EXPECT_EQ(dialog.Type, winui::TPromptType::OpenFile);
  EXPECT_EQ(dialog.File.Title, u"Importdatei öffnen");
  EXPECT_EQ(dialog.File.Filter, kFilterOeffnen);
  EXPECT_EQ(dialog.File.FilterIndex, 2);
  EXPECT_EQ(dialog.File.DefaultExt, u"TVI");
  EXPECT_TRUE(dialog.File.FileMustExist);
  EXPECT_EQ(Message(1).Text, kImportDatumFrage);
  EXPECT_EQ(Message(1).Buttons, winui::mbYes | winui::mbNo | winui::mbCancel);
  EXPECT_EQ(LastMessage().Text, u"Die Datei \"" + path + u"\" wurde erfolgreich importiert!");
  EXPECT_EQ(LastMessage().Kind, winui::TMsgKind::Information);
  EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"B", u"C", u"D"}));
  EXPECT_EQ(MarkedAuthors(*form), (Names{u"B", u"C", u"D"}));
  EXPECT_EQ(form->Daten.Liste[2].ErstelltDatum, kDay2024);  // dates kept
  EXPECT_TRUE(form->ListView1.Focused());
  EXPECT_TRUE(form->HatAenderungen());
  EXPECT_EQ(form->Caption(), u"KeinName - Tavorin V1.13");

  prompt->AnswerMessage(mrYes);
  form->MenuAktZurueckClick();
  EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"B"}));
}

TEST_F(ImportExport, ImportingKnownEntriesAddsNothingAndSaysSo) {
  ShowListe({u"A", u"B", u"C"});
  Mark({}, -1);
  const std::u16string path = WriteFile(u"alt.tvi", {u"A"});
  Import(path, mrYes);
  EXPECT_EQ(LastMessage().Text, u"Es wurden keine neuen Einträge importiert.");
  EXPECT_EQ(form->Daten.Count(), 3);
  EXPECT_EQ(form->UndoDaten.Count(), 0);
  EXPECT_EQ(MarkedAuthors(*form), Names{u"A"});
}

TEST_F(ImportExport, TheDateQuestionKeepsTheDatesSetsTodayOrStops) {
  ShowListe({u"A"});
  const std::u16string path = WriteFile(u"a.tvi", {u"A"});
  Import(path, mrCancel);
  EXPECT_EQ(prompt->Records().size(), 2u);  // no report
  EXPECT_EQ(form->Daten.Count(), 1);

  // Created today, the same entry is another one.
  Import(path, mrNo);
  ASSERT_EQ(form->Daten.Count(), 2);
  EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"A"}));
  int today = 0;
  for (const TDatenRec& rec : form->Daten.Liste) today += rec.ErstelltDatum == platform::Today();
  EXPECT_EQ(today, 1);
  EXPECT_EQ(form->ListView1.SelCount(), 1);
}

TEST_F(ImportExport, AFileThatCannotBeLoadedEndsTheImportWithTheLoadersMessage) {
  ShowListe({u"A"});
  const std::u16string path = dir.File(u"kaputt.tvi");
  WriteBytes(path, "kein Hörbuch");
  prompt->AnswerFile(path);
  prompt->AnswerMessage(mrOk);
  form->MenuDateiImportClick();
  EXPECT_EQ(LastMessage().Kind, winui::TMsgKind::Error);
  EXPECT_EQ(LastMessage().Text.rfind(OeffnenFehlerText(path), 0), 0u);
  EXPECT_EQ(form->Daten.Count(), 1);
  EXPECT_EQ(form->UndoDaten.Count(), 0);
}

TEST_F(ImportExport, ExportToTheOpenFileInOtherLetterCaseIsRefusedBeforeAnyQuestion) {
  const std::u16string open = WriteFile(u"Liste.tvd", {u"A", u"B"});
  OpenFile(open);
  const std::string before = ReadBytes(open);
  std::u16string upper = open;
  for (char16_t& ch : upper) ch = ch >= u'a' && ch <= u'z' ? ch - 32 : ch;
  prompt->AnswerFile(upper);
  prompt->AnswerMessage(mrOk);
  EXPECT_TRUE(form->IsShortCut({'E', winui::ssCtrl}));
  EXPECT_EQ(LastMessage().Text, u"Die geöffnete Datei hat denselben Namen wie die zu erstellende!");
  EXPECT_EQ(LastMessage().Kind, winui::TMsgKind::Information);
  EXPECT_EQ(LastMessage().Buttons, winui::mbOK);
  EXPECT_EQ(ReadBytes(open), before);
}

TEST_F(ImportExport, AEuroSignFailsInTheAudiobookFormatAndWorksAsATextDocument) {
  form->Daten.Add(Entry(u"Preis 5 €"));
  form->SetLvDaten(0);
  const std::u16string tvi = dir.File(u"export.tvi");
  prompt->AnswerFile(tvi);
  prompt->AnswerMessage(mrOk);
  form->MenuAktExport.Click();
  const winui::TPromptRecord& dialog = prompt->Records().at(0);
  EXPECT_EQ(dialog.File.Title, u"Exportdatei speichern unter");
  EXPECT_EQ(dialog.File.Filter, kFilterExport);
  EXPECT_EQ(dialog.File.FilterIndex, 2);
  EXPECT_EQ(dialog.File.DefaultExt, u"TVI");
  EXPECT_FALSE(dialog.File.OverwritePrompt);
  EXPECT_TRUE(dialog.File.NoReadOnlyReturn);
  EXPECT_EQ(LastMessage().Kind, winui::TMsgKind::Error);
  EXPECT_EQ(LastMessage().Text,
            u"Die Datei \"" + tvi +
                u"\" konnte nicht gespeichert werden!\r\n"
                u"Ein Zeichen ist im bisherigen Dateiformat nicht darstellbar.");
  EXPECT_FALSE(platform::FileExists(tvi));

  // The third file type; a name without extension gets TXT.
  prompt->AnswerFile(dir.File(u"export"), 3);
  prompt->AnswerMessage(mrOk);
  form->PuExport.Click();
  const std::u16string txt = dir.File(u"export.TXT");
  EXPECT_EQ(LastMessage().Text, u"Die Datei \"" + txt + u"\" wurde erfolgreich erstellt!");
  EXPECT_NE(ReadBytes(txt).find("Preis 5 \xE2\x82\xAC"), std::string::npos);
  EXPECT_EQ(form->SaveDialog2.FilterIndex, 3);  // kept for the next export
  EXPECT_EQ(form->Daten.Count(), 1);
  EXPECT_TRUE(form->ListView1.Focused());
}

TEST_F(ImportExport, AnExistingFileIsAskedAboutByTheChosenFileType) {
  ShowListe({u"A", u"B"});
  form->AlleMarkieren();
  // A text document: overwrite or nothing.
  const std::u16string txt = dir.File(u"liste.txt");
  WriteBytes(txt, "alt");
  prompt->AnswerFile(txt, 3);
  prompt->AnswerMessage(mrNo);
  form->MenuAktExportClick();
  EXPECT_EQ(LastMessage().Text, ExportUeberschreibenFrage(txt));
  EXPECT_EQ(LastMessage().Buttons, winui::mbYes | winui::mbNo);
  EXPECT_EQ(ReadBytes(txt), "alt");

  // The same .txt name with the second file type: the audiobook format, merged or replaced.
  prompt->AnswerFile(txt, 2);
  prompt->AnswerMessage(mrCancel);
  form->MenuAktExportClick();
  EXPECT_EQ(LastMessage().Text, ExportImportierenFrage(txt));
  EXPECT_EQ(LastMessage().Buttons, winui::mbYes | winui::mbNo | winui::mbCancel);
  EXPECT_EQ(ReadBytes(txt), "alt");
  prompt->AnswerFile(txt, 2);
  prompt->AnswerMessage(mrNo);  // overwrite
  prompt->AnswerMessage(mrOk);
  form->MenuAktExportClick();
  EXPECT_EQ(Authors(Load(txt)), (Names{u"A", u"B"}));

  // Merging keeps the file's name and order and adds what it lacks at the end.
  TDaten target = Liste({u"A", u"Z"});  // our A (Titel 1), after a Z
  std::swap(target.Liste[0], target.Liste[1]);
  target.HbName = u"Zielliste";
  const std::u16string tvi = dir.File(u"ziel.tvi");
  WriteListe(tvi, target);
  ShowListe({u"A", u"B", u"C"});
  Mark({0, 1}, 0);
  prompt->AnswerFile(tvi, 2);
  prompt->AnswerMessage(mrYes);
  prompt->AnswerMessage(mrOk);
  form->MenuAktExportClick();
  EXPECT_EQ(LastMessage().Text, u"Die Datei \"" + tvi + u"\" wurde erfolgreich erstellt!");
  const TDaten merged = Load(tvi);
  EXPECT_EQ(Authors(merged), (Names{u"Z", u"A", u"B"}));
  EXPECT_EQ(merged.HbName, u"Zielliste");
}

TEST_F(ImportExport, ExportingIntoAnotherStepsFileRefreshesItsSavedState) {
  const std::u16string a = WriteFile(u"a.tvd", {u"A"});
  const std::u16string b = WriteFile(u"b.tvd", {u"B"});
  OpenFile(a);
  OpenFile(b);  // the undo step of a holds a as it is on disk
  form->AlleMarkieren();
  prompt->AnswerFile(a, 1);
  prompt->AnswerMessage(mrYes);  // merge into a
  prompt->AnswerMessage(mrOk);
  form->MenuAktExportClick();
  EXPECT_EQ(Authors(Load(a)), (Names{u"A", u"B"}));
  EXPECT_FALSE(form->HatAenderungen());  // the export changed nothing here

  prompt->AnswerMessage(mrYes);
  form->MenuAktZurueckClick();
  ASSERT_EQ(form->Filename(), a);
  // a on disk holds B now, the restored list does not: that is an unsaved change.
  EXPECT_TRUE(form->HatAenderungen());
}

}  // namespace
}  // namespace tvn::test
