// File commands, the unsaved-changes question, undo across files and the recent files,
// with every question and file dialog answered by the scripted prompt.
#include "mainwindow/FileCommands.h"
#include "mainwindow/tests/HauptTestSupport.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"
#include "winui/ShutdownBlock.h"
#include "winui/Win32Util.h"

namespace tvn::test {
namespace {

using winui::mrCancel;
using winui::mrNo;
using winui::mrYes;

class FileCommands : public MainWindowTest {
 protected:
  std::u16string WriteFile(const std::u16string& name, const std::vector<std::u16string>& autoren) {
    const std::u16string path = dir.File(name);
    WriteListe(path, Liste(autoren));
    return path;
  }
  static TDaten Load(const std::u16string& path) {
    TDaten daten;
    EXPECT_TRUE(daten.LoadFromFile(path, false)) << ToUtf8(path);
    return daten;
  }
  const winui::TMessageRequest& LastMessage() const { return prompt->Last().Message; }
};

TEST_F(FileCommands, TheCloseQuestionHasThreeAnswers) {
  struct Case {
    winui::TModalResult answer;
    bool closed;
    std::vector<std::u16string> onDisk;
  };
  const Case cases[] = {
      {mrCancel, false, {u"A"}},
      {mrNo, true, {u"A"}},
      {mrYes, true, {u"A", u"B"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    const std::u16string path = WriteFile(u"liste.tvd", {u"A"});
    OpenWindow();
    OpenFile(path);
    AddEntry(u"B");
    prompt->AnswerMessage(c.answer);
    CloseWindow();
    EXPECT_EQ(LastMessage().Text, kAenderungenFrage);
    EXPECT_EQ(LastMessage().Kind, winui::TMsgKind::Confirmation);
    EXPECT_EQ(LastMessage().Buttons, winui::mbYes | winui::mbNo | winui::mbCancel);
    EXPECT_EQ(form->IsShown(), !c.closed);
    EXPECT_EQ(form->IsClosing, c.closed);
    EXPECT_EQ(Authors(Load(path)), c.onDisk);
  }
}

// Windows asks every top-level window before it logs off or shuts down.
TEST_F(FileCommands, LoggingOffAsksTheCloseQuestionWhileTheShutdownIsHeldUp) {
  struct Case {
    winui::TModalResult answer;
    BOOL sessionMayEnd;
    std::vector<std::u16string> onDisk;
  };
  const Case cases[] = {
      {mrCancel, FALSE, {u"A"}},
      {mrNo, TRUE, {u"A"}},
      {mrYes, TRUE, {u"A", u"B"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    const std::u16string path = WriteFile(u"liste.tvd", {u"A"});
    OpenWindow();
    OpenFile(path);
    AddEntry(u"B");
    std::u16string reasonDuringQuestion;
    LRESULT secondLogoff = -1;
    prompt->AnswerMessage([&](const winui::TMessageRequest&) {
      reasonDuringQuestion = winui::ShutdownBlockReason(form->Handle());
      // Another logoff meanwhile waits for this answer and asks nothing itself.
      secondLogoff = SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
      return c.answer;
    });

    const LRESULT result = SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);

    EXPECT_EQ(result, c.sessionMayEnd);
    EXPECT_EQ(LastMessage().Text, kAenderungenFrage);
    EXPECT_EQ(LastMessage().Buttons, winui::mbYes | winui::mbNo | winui::mbCancel);
    EXPECT_EQ(reasonDuringQuestion, kEndSessionGrund);
    EXPECT_EQ(secondLogoff, FALSE);
    EXPECT_EQ(winui::ShutdownBlockReason(form->Handle()), u"");
    EXPECT_EQ(Authors(Load(path)), c.onDisk);
    EXPECT_EQ(form->HatAenderungen(), c.answer != mrYes);

    // Windows tells every window whether the session ends after all.
    SendMessageW(form->Handle(), WM_ENDSESSION, c.sessionMayEnd, ENDSESSION_LOGOFF);
    EXPECT_EQ(form->IsClosing, c.sessionMayEnd != FALSE);
    if (c.sessionMayEnd) {
      // The session's end answered the question: closing asks nothing more.
      const size_t asked = prompt->Records().size();
      SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
      EXPECT_EQ(prompt->Records().size(), asked);
      EXPECT_FALSE(form->IsShown());
    } else {
      EXPECT_TRUE(form->IsShown());
    }
  }
}

TEST_F(FileCommands, LoggingOffWithoutChangesAsksNothingAndAnotherLogoffAsksAgain) {
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_TRUE(prompt->Records().empty());

  AddEntry(u"A");
  prompt->AnswerMessage(mrNo);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  // Another program refused: the session goes on, and so do the unsaved changes.
  SendMessageW(form->Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_FALSE(form->IsClosing);
  prompt->AnswerMessage(mrCancel);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  prompt->AnswerMessage(mrCancel);
  CloseWindow();
  EXPECT_EQ(prompt->Records().size(), 3u);
  EXPECT_TRUE(form->IsShown());
}

TEST_F(FileCommands, NoQuestionWithoutChangesAndNoCloseWhenTheNameDialogIsCancelled) {
  CloseWindow();  // unchanged: closes without asking
  EXPECT_TRUE(prompt->Records().empty());
  EXPECT_FALSE(form->IsShown());

  OpenWindow();
  AddEntry(u"Neu");  // a list without a file
  prompt->AnswerMessage(mrYes);
  prompt->CancelFile();
  CloseWindow();
  EXPECT_EQ(prompt->Last().Type, winui::TPromptType::SaveFile);
  EXPECT_TRUE(form->IsShown());
  EXPECT_TRUE(form->HatAenderungen());
}

TEST_F(FileCommands, SaveUnderWithTheSecondFilterAndNoExtensionWritesATviFile) {
  const std::u16string path = WriteFile(u"start.tvd", {u"A"});
  OpenFile(path);
  AddEntry(u"B");
  prompt->AnswerFile(dir.File(u"ausgabe"), 2);
  form->MenuDateiSpeichernUnterClick();

  const winui::TFileDialog& dialog = prompt->Last().File;
  EXPECT_EQ(prompt->Last().Type, winui::TPromptType::SaveFile);
  EXPECT_EQ(dialog.Title, u"Hörbuchdatei speichern unter");
  EXPECT_EQ(dialog.Filter, kFilterSpeichern);
  EXPECT_EQ(dialog.InitialDir, dir.File(u""));
  EXPECT_EQ(dialog.FileName, u"start.tvd");  // proposed: the current name
  EXPECT_TRUE(dialog.OverwritePrompt);
  const std::u16string written = dir.File(u"ausgabe.TVI");
  ASSERT_TRUE(platform::FileExists(written));
  EXPECT_EQ(Authors(Load(written)), (std::vector<std::u16string>{u"A", u"B"}));
  EXPECT_EQ(form->Filename(), written);
  EXPECT_EQ(form->Caption(), u"ausgabe.TVI - Tavorin V1.13");
  EXPECT_FALSE(form->HatAenderungen());
  EXPECT_EQ(form->SaveDialog1.FilterIndex, 2);  // kept for the next time
}

// Wine maps file names through the C library's locale; these names must survive the way
// to the disk and back exactly, as they do on Windows.
TEST_F(FileCommands, FileNamesWithUmlautsAreSavedAndOpenedUnderTheirOwnName) {
  const std::u16string folder = dir.File(u"Hörbücher äöü ß");
  ASSERT_TRUE(CreateDirectoryW(winui::W(folder), nullptr));
  const std::u16string saved = folder + u"\\Größe Übersicht.tvd";
  AddEntry(u"Bücherwurm");
  prompt->AnswerFile(saved);
  ASSERT_TRUE(form->Speichern(true));

  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(winui::W(folder + u"\\*.tvd"), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(found.cFileName)), u"Größe Übersicht.tvd");

  OpenWindow();
  OpenFile(saved);
  EXPECT_EQ(form->Filename(), saved);
  EXPECT_EQ(form->Caption(), u"Größe Übersicht.tvd - Tavorin V1.13");
  EXPECT_EQ(Authors(form->Daten), (std::vector<std::u16string>{u"Bücherwurm"}));
}

TEST_F(FileCommands, FailedSaveKeepsTheChangesAndReportsTheTarget) {
  AddEntry(u"A");
  const std::u16string target = dir.File(u"fehlt\\liste.tvd");  // folder does not exist
  prompt->AnswerFile(target);
  prompt->AnswerMessage(winui::mrOk);
  EXPECT_FALSE(form->Speichern(true));
  EXPECT_EQ(LastMessage().Kind, winui::TMsgKind::Error);
  EXPECT_EQ(LastMessage().Text.rfind(
                u"Die Datei \"" + target + u"\" konnte nicht gespeichert werden!\r\n", 0),
            0u);
  EXPECT_TRUE(form->HatAenderungen());
  EXPECT_EQ(form->Caption(), u"KeinName - Tavorin V1.13");
}

TEST_F(FileCommands, UndoAcrossAnOpenBringsBackThePreviousFileAndItsUnsavedState) {
  const std::u16string a = WriteFile(u"a.tvd", {u"A1", u"A2"});
  const std::u16string b = WriteFile(u"b.tvd", {u"B1"});
  OpenFile(a);
  AddEntry(u"A3");
  form->ListView1.SetItemSelected(-1, false);
  form->ListView1.SetItemSelected(0, true);  // mark A1, focus A3
  form->ListView1.SetItemSelected(2, true);
  form->ListView1.SetItemFocused(2);
  prompt->AnswerFile(b);
  prompt->AnswerMessage(mrNo);  // do not save the change to a
  form->MenuDateiOeffnenClick();
  ASSERT_EQ(form->Filename(), b);
  form->SetSortAufS(false);  // the order changes before the undo

  form->MenuAktionen.OnPopup();
  EXPECT_EQ(form->MenuAktZurueck.Caption(), u"Änderung 3 &zurücksetzen");
  EXPECT_TRUE(form->MenuAktZurueck.Enabled());
  prompt->AnswerMessage(mrYes);
  form->MenuAktZurueckClick();
  EXPECT_EQ(LastMessage().Text, u"Soll die Änderung 3 zurückgesetzt werden?");
  EXPECT_EQ(LastMessage().Buttons, winui::mbYes | winui::mbNo);
  EXPECT_EQ(form->Filename(), a);
  EXPECT_EQ(form->Caption(), u"a.tvd - Tavorin V1.13");
  EXPECT_EQ(Authors(form->Daten), (std::vector<std::u16string>{u"A3", u"A2", u"A1"}));
  EXPECT_TRUE(form->HatAenderungen());
  EXPECT_EQ(MarkedAuthors(*form), (std::vector<std::u16string>{u"A3", u"A1"}));
  EXPECT_EQ(form->Daten.Liste[static_cast<size_t>(form->ItemIndex())].Autor, u"A3");

  prompt->AnswerMessage(mrYes);
  form->MenuAktZurueckClick();
  EXPECT_EQ(Authors(form->Daten), (std::vector<std::u16string>{u"A2", u"A1"}));
  EXPECT_FALSE(form->HatAenderungen());

  prompt->AnswerMessage(mrNo);  // refused: nothing changes
  form->MenuAktZurueckClick();
  EXPECT_EQ(form->UndoDaten.Count(), 1);
  prompt->AnswerMessage(mrYes);
  form->MenuAktZurueckClick();
  EXPECT_EQ(form->Daten.Count(), 0);
  EXPECT_EQ(form->Caption(), u"KeinName - Tavorin V1.13");
  form->MenuAktionen.OnPopup();
  EXPECT_FALSE(form->MenuAktZurueck.Enabled());
  form->MenuAktZurueckClick();  // empty history: not even a question
}

TEST_F(FileCommands, OpenAndCloseFollowTheUnsavedChangesAndTheMenu) {
  const std::u16string a = WriteFile(u"a.tvd", {u"A"});
  form->MenuDatei.OnPopup();
  EXPECT_FALSE(form->MenuDateiSpeichern.Enabled());
  EXPECT_FALSE(form->MenuDateiClose.Enabled());  // no file, no entries

  OpenFile(a);
  form->MenuDatei.OnPopup();
  EXPECT_FALSE(form->MenuDateiSpeichern.Enabled());
  EXPECT_TRUE(form->MenuDateiClose.Enabled());
  AddEntry(u"B");
  form->MenuDatei.OnPopup();
  EXPECT_TRUE(form->MenuDateiSpeichern.Enabled());

  // Cancelling the question opens nothing and shows no error.
  const size_t before = prompt->Records().size();
  prompt->AnswerMessage(mrCancel);
  EXPECT_TRUE(form->Oeffne(a));
  EXPECT_EQ(prompt->Records().size(), before + 1);
  EXPECT_EQ(form->Daten.Count(), 2);

  prompt->AnswerMessage(mrNo);
  form->MenuDateiCloseClick();
  EXPECT_EQ(form->Daten.Count(), 0);
  EXPECT_EQ(form->Filename(), dir.File(u""));
  EXPECT_EQ(form->Caption(), u"KeinName - Tavorin V1.13");
  EXPECT_FALSE(form->HatAenderungen());

  // The open dialog starts in the closed file's folder; a file that is no audiobook file
  // is reported and leaves the list alone.
  const std::u16string kaputt = dir.File(u"kaputt.tvd");
  WriteBytes(kaputt, "kein Hörbuch");
  prompt->AnswerFile(kaputt);
  prompt->AnswerMessage(winui::mrOk);
  form->MenuDateiOeffnenClick();
  EXPECT_EQ(prompt->Records()[prompt->Records().size() - 2].File.InitialDir, dir.File(u""));
  EXPECT_EQ(LastMessage().Text, u"Die Datei \"" + kaputt + u"\" konnte nicht geöffnet werden!");
  EXPECT_EQ(LastMessage().Kind, winui::TMsgKind::Error);
  EXPECT_EQ(form->Daten.Count(), 0);
}

TEST_F(FileCommands, MenuItemsShowTheirGermanShortcuts) {
  auto shown = [](const winui::TMenuItem& menu, const winui::TMenuItem& item) {
    wchar_t text[128] = {};
    GetMenuStringW(menu.SubMenuHandle(), static_cast<UINT>(item.Command()), text, 128,
                   MF_BYCOMMAND);
    return winui::U16(text);
  };
  EXPECT_EQ(shown(form->MenuDatei, form->MenuDateiOeffnen), u"Ö&ffnen...\tStrg+O");
  EXPECT_EQ(shown(form->MenuDatei, form->MenuDateiSpeichern), u"&Speichern\tStrg+S");
  EXPECT_EQ(shown(form->MenuDatei, form->MenuDateiSpeichernUnter), u"Speichern &unter...\tStrg+U");
  EXPECT_EQ(shown(form->MenuDatei, form->MenuDateiClose), u"S&chließen\tStrg+F4");
  EXPECT_EQ(shown(form->MenuDatei, form->MenuDateiBeenden), u"&Beenden\tAlt+F4");
  EXPECT_EQ(shown(form->MenuAktionen, form->MenuAktZurueck), u"Änderung &zurücksetzen\tStrg+Z");
  EXPECT_EQ(shown(form->MenuSortieren, form->MenuSortNr[snBewertung]), u"Be&wertung");
  EXPECT_EQ(shown(form->MenuAnsicht, form->MenuAnsichtDetail), u"&Detailbeschriftung");
  EXPECT_TRUE(form->MenuAnsichtDetail.Checked());
}

TEST_F(FileCommands, ShortcutsRunOnlyEnabledCommands) {
  const std::u16string a = WriteFile(u"a.tvd", {u"A"});
  // Nothing to undo yet: Ctrl+Z goes on to the list as a plain key.
  EXPECT_FALSE(form->IsShortCut({'Z', winui::ssCtrl}));
  OpenFile(a);
  form->MenuDatei.OnPopup();  // the menu shows Save disabled: nothing changed ...
  EXPECT_FALSE(form->MenuDateiSpeichern.Enabled());
  ASSERT_TRUE(platform::RemoveFile(a));
  EXPECT_TRUE(form->IsShortCut({'S', winui::ssCtrl}));  // ... but Ctrl+S writes it again
  EXPECT_EQ(Authors(Load(a)), std::vector<std::u16string>{u"A"});
  prompt->AnswerMessage(mrNo);
  EXPECT_TRUE(form->IsShortCut({'Z', winui::ssCtrl}));
  EXPECT_EQ(LastMessage().Text, u"Soll die Änderung 1 zurückgesetzt werden?");
}

TEST_F(FileCommands, ADeletedRecentFileIsReportedAndRemoved) {
  const std::u16string a = WriteFile(u"a&b.tvd", {u"A"});
  const std::u16string b = WriteFile(u"b.tvd", {u"B"});
  OpenFile(a);
  OpenFile(b);
  form->MenuDatei.OnPopup();
  auto captions = [this] {
    std::vector<std::u16string> list;
    for (int i = 0; i < form->MenuDatei.Count(); ++i) list.push_back(form->MenuDatei[i].Caption());
    return list;
  };
  std::u16string escapedA = a;
  escapedA.replace(escapedA.find(u'&'), 1, u"&&");
  EXPECT_EQ(captions(),
            (std::vector<std::u16string>{u"Ö&ffnen...", u"&Speichern", u"Speichern &unter...",
                                         u"&Importieren...", u"S&chließen", u"-", u"&1 " + b,
                                         u"&2 " + escapedA, u"-", u"&Beenden"}));

  ASSERT_TRUE(platform::RemoveFile(a));
  prompt->AnswerMessage(winui::mrOk);
  form->HistoryMenuItems()[1]->Click();
  EXPECT_EQ(LastMessage().Text, u"Die Datei \"" + a + u"\" konnte nicht geöffnet werden!");
  EXPECT_EQ(form->Filename(), b);  // the current list stays
  EXPECT_EQ(form->HistoryMenuList.Items(), std::vector<std::u16string>{b});
  EXPECT_EQ(captions(),
            (std::vector<std::u16string>{u"Ö&ffnen...", u"&Speichern", u"Speichern &unter...",
                                         u"&Importieren...", u"S&chließen", u"-", u"&1 " + b, u"-",
                                         u"&Beenden"}));
  // An item that still works opens its file.
  prompt->AnswerMessage(mrNo);
  AddEntry(u"X");
  form->HistoryMenuItems()[0]->Click();
  EXPECT_EQ(Authors(form->Daten), std::vector<std::u16string>{u"B"});
}

}  // namespace
}  // namespace tvn::test
