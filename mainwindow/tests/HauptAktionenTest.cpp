// The entry commands of the main window through its menus, context menu and shortcut
// check: delete, cut, copy and paste, mark as read, their enabling and undo steps, and the
// question about a first entry. Questions are answered by the scripted prompt.
#include <windows.h>

#include "mainwindow/tests/HauptTestSupport.h"
#include "platform/Utf16.h"
#include "winui/Win32Util.h"

namespace tvn::test {
namespace {

using winui::mrNo;
using winui::mrYes;
using winui::ssCtrl;
using Names = std::vector<std::u16string>;

class EntryCommands : public MainWindowTest {
 protected:
  const winui::TMessageRequest& LastMessage() const { return prompt->Last().Message; }
  std::u16string FocusedAuthor() const {
    const int row = form->ItemIndex();
    return row >= 0 ? form->Daten.Liste[static_cast<size_t>(row)].Autor : u"(none)";
  }
  // Undoes the newest step and checks that it brings back the list as it was.
  void UndoBringsBack(const Names& authors) {
    prompt->AnswerMessage(mrYes);
    form->MenuAktZurueckClick();
    EXPECT_EQ(Authors(form->Daten), authors);
  }
  // Chooses an item as the user does: the menu opens (and computes its enabling) first.
  void Choose(winui::TMenuItem& item) {
    form->PuMenu1.OnPopup();
    form->MenuAktionen.OnPopup();
    ASSERT_TRUE(item.Enabled()) << ToUtf8(item.Caption());
    item.Click();
  }
  // What the menu shows for an item (caption and shortcut text).
  static std::u16string Shown(const winui::TMenuItem& item) {
    wchar_t text[128] = {};
    GetMenuStringW(item.Parent()->SubMenuHandle(), static_cast<UINT>(item.Command()), text, 128,
                   MF_BYCOMMAND);
    return winui::U16(text);
  }
};

TEST_F(EntryCommands, BothMenusHoldTheSameCommandsWithCaptionsShortcutsAndTags) {
  struct Row {
    winui::TMenuItem TForm1::*menu;
    winui::TMenuItem TForm1::*pu;
    const char16_t* shown;
    int tag;
  };
  const Row rows[] = {
      {&TForm1::MenuAktNeu, &TForm1::PuNeu, u"&Neuer Eintrag...\tStrg+N", 0},
      {&TForm1::MenuAktDetails, &TForm1::PuDetails,
       u"&Details aller markierten Einträge...\tStrg+D", 0},
      {&TForm1::MenuAktBearbeiten, &TForm1::PuBearbeiten, u"Eintrag &bearbeiten...\tStrg+B", 0},
      {&TForm1::MenuAktDuplizieren, &TForm1::PuDuplizieren, u"Eintrag du&plizieren...\tStrg+P", 0},
      {&TForm1::MenuAktZurueck, &TForm1::PuZurueck, u"Änderung &zurücksetzen\tStrg+Z", 0},
      {&TForm1::MenuAktAlleMarkieren, &TForm1::PuAlleMarkieren, u"&Alle Einträge markieren\tStrg+A",
       0},
      {&TForm1::MenuAktEinfuegen, &TForm1::PuEinfuegen,
       u"Ausgeschnittene/Kopierte Einträge e&infügen\tStrg+V", 0},
      {&TForm1::MenuAktKopieren, &TForm1::PuKopieren, u"Markierte Einträge &kopieren\tStrg+C", 2},
      {&TForm1::MenuAktAusschneiden, &TForm1::PuAusschneiden,
       u"Markierte Einträge aus&schneiden\tStrg+X", 1},
      {&TForm1::MenuAktLoeschen, &TForm1::PuLoeschen, u"Markierte Einträge &löschen\tEntf", 0},
      {&TForm1::MenuAktExport, &TForm1::PuExport, u"Markierte Einträge &exportieren...\tStrg+E", 0},
      {&TForm1::MenuAktGelesen, &TForm1::PuGelesen, u"Markierte Einträge als &gelesen kennzeichnen",
       1},
      {&TForm1::MenuAktNichtGelesen, &TForm1::PuNichtGelesen,
       u"Markierte Einträge als nich&t gelesen kennzeichnen", 2},
  };
  form->PuMenu1.Handle();  // the context menu gets its window items when first needed
  std::vector<const winui::TMenuItem*> menuOrder, puOrder;
  for (const Row& row : rows) {
    const winui::TMenuItem& item = (*form).*row.menu;
    const winui::TMenuItem& twin = (*form).*row.pu;
    SCOPED_TRACE(ToUtf8(item.Caption()));
    EXPECT_EQ(Shown(item), row.shown);
    EXPECT_EQ(Shown(twin), row.shown);
    EXPECT_EQ(item.Tag, row.tag);
    EXPECT_EQ(twin.Tag, row.tag);
    menuOrder.push_back(&item);
    puOrder.push_back(&twin);
  }
  auto visibleItems = [](const winui::TMenuItem& menu) {
    std::vector<const winui::TMenuItem*> items;
    for (int i = 0; i < menu.Count(); ++i) {
      if (menu[i].Visible()) items.push_back(&menu[i]);
    }
    return items;
  };
  EXPECT_EQ(visibleItems(form->MenuAktionen), menuOrder);
  EXPECT_EQ(visibleItems(form->PuMenu1.Items), puOrder);
  EXPECT_TRUE(form->MenuDateiImport.Visible());
}

TEST_F(EntryCommands, MenusOpenWithTheEnablingOfTheMomentAndTheUndoCount) {
  ShowListe({u"A", u"B", u"C"});
  Mark({}, -1);
  form->PuMenu1.OnPopup();
  for (winui::TMenuItem* item :
       {&form->PuBearbeiten, &form->PuDuplizieren, &form->PuZurueck, &form->PuEinfuegen,
        &form->PuKopieren, &form->PuAusschneiden, &form->PuLoeschen, &form->PuExport,
        &form->PuGelesen, &form->PuNichtGelesen}) {
    EXPECT_FALSE(item->Enabled()) << ToUtf8(item->Caption());
  }
  EXPECT_TRUE(form->PuNeu.Enabled());
  EXPECT_TRUE(form->PuAlleMarkieren.Enabled());
  // A shortcut whose command is disabled does nothing and goes on as a plain key.
  EXPECT_FALSE(form->IsShortCut({'B', ssCtrl}));
  EXPECT_FALSE(form->IsShortCut({VK_DELETE, 0}));

  // Three undo steps: three times "read", each changing a flag.
  for (int row = 0; row < 3; ++row) {
    Mark({row}, row);
    Choose(form->MenuAktGelesen);
  }
  Mark({0, 1}, 0);
  form->MenuAktionen.OnPopup();
  EXPECT_EQ(form->MenuAktZurueck.Caption(), u"Änderung 3 &zurücksetzen");
  EXPECT_EQ(form->PuZurueck.Caption(), u"Änderung 3 &zurücksetzen");
  EXPECT_TRUE(form->MenuAktZurueck.Enabled());
  // All marked entries are read: only "not read" can change something.
  EXPECT_FALSE(form->MenuAktGelesen.Enabled());
  EXPECT_TRUE(form->MenuAktNichtGelesen.Enabled());
  EXPECT_TRUE(form->MenuAktBearbeiten.Enabled());
  EXPECT_TRUE(form->MenuAktLoeschen.Enabled());
  EXPECT_FALSE(form->MenuAktEinfuegen.Enabled());

  // Before a key both read commands are enabled; "read" then finds nothing to change.
  const int steps = form->UndoDaten.Count();
  form->AktionenEnablingSetzen(false);
  EXPECT_TRUE(form->MenuAktGelesen.Enabled());
  form->MenuAktGelesen.Click();
  EXPECT_EQ(form->UndoDaten.Count(), steps);
  EXPECT_TRUE(prompt->Records().empty());
}

TEST_F(EntryCommands, ShiftF3IsTakenBeforeAnySearchAndGoesNowhereElse) {
  ShowListe({u"A", u"B"});
  bool reached = false;
  form->PuNeu.OnClick = [&] { reached = true; };
  form->PuNeu.SetShortCut({VK_F3, winui::ssShift});  // a handler that would take the key
  EXPECT_TRUE(form->IsShortCut({VK_F3, winui::ssShift}));
  EXPECT_FALSE(reached);
  EXPECT_EQ(form->Daten.Count(), 2);
  EXPECT_TRUE(prompt->Records().empty());
}

TEST_F(EntryCommands, DeleteAsksFocusesTheNextSurvivorAndIsUndoneOnce) {
  ShowListe({u"A", u"B", u"C", u"D", u"E"});
  Mark({1, 2, 3}, 2);  // B C D marked, C focused

  prompt->AnswerMessage(mrNo);
  EXPECT_TRUE(form->IsShortCut({VK_DELETE, 0}));
  EXPECT_EQ(LastMessage().Text, u"Sollen alle 3 markierten Einträge gelöscht werden?");
  EXPECT_EQ(LastMessage().Kind, winui::TMsgKind::Confirmation);
  EXPECT_EQ(LastMessage().Buttons, winui::mbYes | winui::mbNo);
  EXPECT_EQ(form->Daten.Count(), 5);
  EXPECT_EQ(MarkedAuthors(*form), (Names{u"B", u"C", u"D"}));
  EXPECT_EQ(form->UndoDaten.Count(), 0);

  prompt->AnswerMessage(mrYes);
  Choose(form->MenuAktLoeschen);
  EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"E"}));
  EXPECT_EQ(FocusedAuthor(), u"E");
  EXPECT_EQ(MarkedAuthors(*form), Names{u"E"});
  EXPECT_TRUE(form->ListView1.Focused());

  // No focused row: the first one becomes current.
  Mark({0}, -1);
  prompt->AnswerMessage(mrYes);
  Choose(form->PuLoeschen);
  EXPECT_EQ(LastMessage().Text, u"Soll der markierte Eintrag gelöscht werden?");
  EXPECT_EQ(Authors(form->Daten), Names{u"E"});
  EXPECT_EQ(FocusedAuthor(), u"E");

  // Everything: an empty list without a current row.
  prompt->AnswerMessage(mrYes);
  Choose(form->MenuAktLoeschen);
  EXPECT_EQ(form->Daten.Count(), 0);
  EXPECT_EQ(form->ItemIndex(), -1);
  EXPECT_EQ(PanelText(form->StatusBar1, 0), u"Keine Einträge");

  UndoBringsBack(Names{u"E"});
  UndoBringsBack((Names{u"A", u"E"}));
  UndoBringsBack((Names{u"A", u"B", u"C", u"D", u"E"}));
  EXPECT_EQ(MarkedAuthors(*form), (Names{u"B", u"C", u"D"}));
  EXPECT_EQ(FocusedAuthor(), u"C");
  EXPECT_EQ(form->UndoDaten.Count(), 0);
}

TEST_F(EntryCommands, CutThreeAndPasteTwice) {
  ShowListe({u"A", u"B", u"C", u"D"});
  Mark({0, 2, 3}, 0);
  EXPECT_TRUE(form->IsShortCut({'X', ssCtrl}));  // no question
  EXPECT_EQ(Authors(form->Daten), Names{u"B"});
  EXPECT_EQ(Authors(form->CopyDaten), (Names{u"A", u"C", u"D"}));
  EXPECT_FALSE(form->CopyS);
  EXPECT_EQ(form->UndoDaten.Count(), 1);

  EXPECT_TRUE(form->IsShortCut({'V', ssCtrl}));
  EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"B", u"C", u"D"}));
  EXPECT_EQ(MarkedAuthors(*form), (Names{u"A", u"C", u"D"}));
  EXPECT_EQ(FocusedAuthor(), u"A");
  EXPECT_EQ(form->CopyDaten.Count(), 0);  // cut entries come back once
  EXPECT_EQ(form->UndoDaten.Count(), 2);

  form->MenuAktionen.OnPopup();
  EXPECT_FALSE(form->MenuAktEinfuegen.Enabled());
  EXPECT_FALSE(form->IsShortCut({'V', ssCtrl}));
  EXPECT_EQ(form->Daten.Count(), 4);
  EXPECT_TRUE(prompt->Records().empty());

  UndoBringsBack(Names{u"B"});
  UndoBringsBack((Names{u"A", u"B", u"C", u"D"}));
}

TEST_F(EntryCommands, CopyAndPasteIntoTheSameListAddsNothingButMarks) {
  ShowListe({u"A", u"B", u"C"});
  Mark({1, 2}, 1);
  Choose(form->PuKopieren);
  EXPECT_TRUE(form->CopyS);
  EXPECT_EQ(form->UndoDaten.Count(), 0);  // copying changes nothing
  Mark({0}, 0);
  for (int paste = 0; paste < 2; ++paste) {
    Choose(form->MenuAktEinfuegen);
    EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"B", u"C"}));
    EXPECT_EQ(MarkedAuthors(*form), (Names{u"B", u"C"}));
    EXPECT_EQ(FocusedAuthor(), u"B");
    EXPECT_EQ(form->UndoDaten.Count(), 0);
    EXPECT_EQ(form->CopyDaten.Count(), 2);  // copied entries stay for the next paste
  }
  // Once they are gone, each paste of copied entries brings them back as often as copied.
  prompt->AnswerMessage(mrYes);
  Choose(form->MenuAktLoeschen);
  Choose(form->MenuAktEinfuegen);
  EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"B", u"C"}));
  EXPECT_EQ(form->CopyDaten.Count(), 2);
  UndoBringsBack(Names{u"A"});
}

TEST_F(EntryCommands, MarkingAsReadKeepsTheSameEntriesMarkedAfterTheResort) {
  ShowListe({u"A", u"B", u"C", u"D"});
  form->SetSortNr(snGelesen);  // all unread: the author order stays within the group
  Mark({1, 3}, 3);             // B and D
  Choose(form->MenuAktGelesen);
  // Read entries sort after the unread ones.
  EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"C", u"B", u"D"}));
  EXPECT_EQ(MarkedAuthors(*form), (Names{u"B", u"D"}));
  EXPECT_EQ(CellText(form->ListView1, 2, 4), u"Ja");
  EXPECT_EQ(form->UndoDaten.Count(), 1);

  form->AktionenEnablingSetzen(false);  // as for a key: enabled, but nothing left to change
  form->MenuAktGelesen.Click();
  EXPECT_EQ(form->UndoDaten.Count(), 1);

  Mark({2}, 2);  // B
  Choose(form->PuNichtGelesen);
  EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"B", u"C", u"D"}));
  EXPECT_EQ(MarkedAuthors(*form), Names{u"B"});

  UndoBringsBack((Names{u"A", u"C", u"B", u"D"}));
  UndoBringsBack((Names{u"A", u"B", u"C", u"D"}));
  EXPECT_FALSE(form->Daten.Liste[1].GelesenS);
}

TEST_F(EntryCommands, SelectAllMarksEveryRowAndFocusesTheFirstWhenNoneIs) {
  ShowListe({u"A", u"B", u"C"});
  Mark({}, -1);
  EXPECT_TRUE(form->IsShortCut({'A', ssCtrl}));
  EXPECT_EQ(form->ListView1.SelCount(), 3);
  EXPECT_EQ(form->ItemIndex(), 0);
  EXPECT_EQ(PanelText(form->StatusBar1, 0), u"Eintrag 1 von 3; 3 markiert");
  EXPECT_EQ(form->UndoDaten.Count(), 0);
}

TEST_F(EntryCommands, StatusHintsNameTheKeysOfTheMenuItems) {
  ShowListe({u"A", u"B"});
  form->MenuAktBearbeiten.SetShortCut({VK_F2, 0});
  form->MenuAktLoeschen.SetShortCut({VK_DELETE, winui::ssShift});
  form->Timer0Timer();
  EXPECT_EQ(PanelText(form->StatusBar1, 1), u"Enter=Details; F2=Bearbeiten");
  Mark({0, 1}, 0);
  form->Timer0Timer();
  EXPECT_EQ(PanelText(form->StatusBar1, 1), u"Enter=Details; Umsch+Entf=Löschen");
  form->MenuAktNeu.SetShortCut({'N', ssCtrl | winui::ssShift});
  Mark({}, 0);
  form->Timer0Timer();
  EXPECT_EQ(PanelText(form->StatusBar1, 1), u"Umsch+Strg+N=Neu; F2=Bearbeiten");
}

// Sets author and title in the editor's fields.
std::function<void(TNeuForm&)> Fill(const std::u16string& autor, const std::u16string& titel) {
  return [=](TNeuForm& editor) {
    editor.Edit1.SetText(autor);
    editor.Edit2.SetText(titel);
  };
}

TEST_F(EntryCommands, NewEntryIsAddedAtItsSortedPlaceFocusedAndMarked) {
  ShowListe({u"A", u"C"});
  Mark({0, 1}, 1);
  AnswerEditor(Fill(u"B", u"Neu"));
  EXPECT_TRUE(form->IsShortCut({'N', ssCtrl}));
  EXPECT_TRUE(EditorAnswered());
  EXPECT_EQ(EditorCaption, u"Neuer Eintrag");
  EXPECT_EQ(EditorShown.Autor, u"");  // a new entry starts empty
  EXPECT_EQ(form->NeuForm->EditIndex, -1);
  EXPECT_EQ(form->NeuForm->DatenRef, &form->Daten);
  EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"B", u"C"}));
  EXPECT_EQ(MarkedAuthors(*form), Names{u"B"});
  EXPECT_EQ(FocusedAuthor(), u"B");
  EXPECT_TRUE(form->ListView1.Focused());
  EXPECT_EQ(PanelText(form->StatusBar1, 0), u"Eintrag 2 von 3");

  // Cancelled: nothing changes, no undo step.
  AnswerEditor(Fill(u"D", u"Neu"), false);
  form->Button1.Click();
  EXPECT_TRUE(EditorAnswered());
  EXPECT_EQ(form->Daten.Count(), 3);
  EXPECT_EQ(form->UndoDaten.Count(), 1);

  UndoBringsBack((Names{u"A", u"C"}));
  EXPECT_EQ(MarkedAuthors(*form), (Names{u"A", u"C"}));
  EXPECT_EQ(FocusedAuthor(), u"C");
}

TEST_F(EntryCommands, EditingChangesTheFocusedEntryAndRecordsAStepOnlyForAChange) {
  ShowListe({u"A", u"B", u"C"});
  Mark({}, 0);
  // OK without a change: no undo step.
  AnswerEditor(nullptr);
  EXPECT_TRUE(form->IsShortCut({'B', ssCtrl}));
  EXPECT_EQ(EditorCaption, u"Eintrag bearbeiten");
  EXPECT_EQ(EditorShown.Autor, u"A");
  EXPECT_EQ(EditorShown.Titel, u"Titel 1");
  EXPECT_EQ(form->NeuForm->EditIndex, 0);
  EXPECT_EQ(form->UndoDaten.Count(), 0);

  AnswerEditor([](TNeuForm& editor) { editor.Edit1.SetText(u"Z"); });
  form->Button3.Click();
  EXPECT_EQ(Authors(form->Daten), (Names{u"B", u"C", u"Z"}));
  EXPECT_EQ(form->Daten.Liste[2].Titel, u"Titel 1");
  EXPECT_EQ(FocusedAuthor(), u"Z");
  EXPECT_EQ(MarkedAuthors(*form), Names{u"Z"});
  UndoBringsBack((Names{u"A", u"B", u"C"}));
  EXPECT_EQ(FocusedAuthor(), u"A");
}

TEST_F(EntryCommands, DuplicatingAddsAChangedCopyBesideTheOriginal) {
  ShowListe({u"A", u"B"});
  Mark({1}, 1);
  AnswerEditor([](TNeuForm& editor) { editor.Edit2.SetText(u"Titel 9"); });
  EXPECT_TRUE(form->IsShortCut({'P', ssCtrl}));
  EXPECT_EQ(EditorCaption, u"Eintrag duplizieren");
  EXPECT_EQ(EditorShown.Autor, u"B");  // filled from the focused entry
  EXPECT_EQ(form->NeuForm->EditIndex, -1);
  EXPECT_EQ(Authors(form->Daten), (Names{u"A", u"B", u"B"}));
  EXPECT_EQ(form->Daten.Liste[1].Titel, u"Titel 2");
  EXPECT_EQ(form->Daten.Liste[2].Titel, u"Titel 9");
  EXPECT_EQ(form->ItemIndex(), 2);
  UndoBringsBack((Names{u"A", u"B"}));

  // No focused row: neither edit nor duplicate opens the editor.
  Mark({0}, -1);
  EXPECT_FALSE(form->IsShortCut({'P', ssCtrl}));
  form->MenuAktDuplizierenClick();
  form->Button3.Click();
  EXPECT_EQ(form->UndoDaten.Count(), 0);
}

TEST_F(EntryCommands, TheFirstEntryQuestionComesOnceForAnEmptyList) {
  prompt->AnswerMessage(mrNo);  // the timer may run while the window is shown
  OpenWindow(true);
  ASSERT_TRUE(PumpUntil([&] { return !prompt->Records().empty(); }));
  EXPECT_EQ(LastMessage().Text,
            u"Die Tavorin enthält noch keinen Eintrag!\r\nMöchten Sie jetzt einen Eintrag "
            u"erstellen?");
  EXPECT_EQ(LastMessage().Kind, winui::TMsgKind::Confirmation);
  EXPECT_EQ(LastMessage().Buttons, winui::mbYes | winui::mbNo);
  EXPECT_EQ(form->Daten.Count(), 0);
  EXPECT_FALSE(form->Timer1.Enabled());

  // A list that got entries before the timer ran, or a closing window, is not asked about.
  const size_t before = prompt->Records().size();
  OpenWindow();
  ShowListe({u"A"});
  form->Timer1Timer();
  form->Daten.Clear();
  form->SetLvDaten(0);
  form->IsClosing = true;
  form->Timer1Timer();
  form->IsClosing = false;
  EXPECT_EQ(prompt->Records().size(), before);

  // Yes opens the editor for a new entry.
  prompt->AnswerMessage(mrYes);
  AnswerEditor(Fill(u"Erster", u"Eintrag"));
  OpenWindow(true);
  ASSERT_TRUE(PumpUntil([&] { return EditorAnswered() && form->Daten.Count() == 1; }));
  EXPECT_EQ(EditorCaption, u"Neuer Eintrag");
  EXPECT_EQ(FocusedAuthor(), u"Erster");
}

}  // namespace
}  // namespace tvn::test
