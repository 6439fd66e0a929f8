// The entry editor under real key presses: enabling of "O&K", the checks on closing,
// "&Leeren" and the coupling of the check boxes with their dates.
#include <gtest/gtest.h>

#include "dialogs/tests/NeuFormTestSupport.h"
#include "layout/tests/WinTestSupport.h"
#include "platform/Platform.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {
namespace {

using winui::ssAlt;
using winui::ssShift;

bool Contains(const std::wstring& text, std::wstring_view part) {
  return text.find(part) != std::wstring::npos;
}

TEST_F(NeuFormTest, OkIsEnabledOnlyOnceAuthorAndTitleAreNotBlank) {
  bool enabledAtStart = true, enabledWithAuthorOnly = true, enabledWithBlankTitle = true;
  bool openAfterEnter = false;
  const winui::TModalResult result = Run([&] {
    HWND ok = form.Button1.Handle();
    enabledAtStart = IsWindowEnabled(ok);
    Type("mann");
    Step([&] { return TextOf(form.Edit1) == L"mann"; }, "author typed");
    // Enter on the disabled default button does nothing.
    Key(VK_RETURN);
    Sleep(200);
    enabledWithAuthorOnly = IsWindowEnabled(ok);
    openAfterEnter = form.Window && IsWindowVisible(form.Window);
    KeyTo(VK_TAB, 0, form.Edit2, "Tab to the title");
    Type("  ");
    Step([&] { return TextOf(form.Edit2) == L"  "; }, "blanks typed");
    Sleep(200);
    enabledWithBlankTitle = IsWindowEnabled(ok);
    Type("z");
    Step([&] { return IsWindowEnabled(ok) != FALSE; }, "OK enabled after the title");
    Key(VK_RETURN);
  });
  ExpectNoErrors();
  EXPECT_FALSE(enabledAtStart);
  EXPECT_FALSE(enabledWithAuthorOnly);
  EXPECT_TRUE(openAfterEnter);
  EXPECT_FALSE(enabledWithBlankTitle);
  EXPECT_EQ(result, winui::mrOk);
  const TDatenRec rec = form.GetNeuDatenRec();
  EXPECT_EQ(rec.Autor, u"mann");
  EXPECT_EQ(rec.Titel, u"z");
}

TEST_F(NeuFormTest, ANewEntryStartsWithTodayNoRatingAndDisabledDates) {
  bool picker1Enabled = true, picker2Enabled = true, picker3Enabled = false;
  bool anyChecked = true, firstRatingChecked = false;
  const winui::TModalResult result = Run([&] {
    picker1Enabled = IsWindowEnabled(form.DatePicker1.Handle());
    picker2Enabled = IsWindowEnabled(form.DatePicker2.Handle());
    picker3Enabled = IsWindowEnabled(form.DatePicker3.Handle());
    anyChecked =
        IsChecked(form.CheckBoxDp1) || IsChecked(form.CheckBoxDp2) || IsChecked(form.CheckBox1);
    for (HWND button : winui::test::DescendantsOfClass(form.RadioGroup1.Handle(), L"Button")) {
      if (winui::test::TextOf(button) == L"Keine")
        firstRatingChecked = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
  EXPECT_FALSE(picker1Enabled);
  EXPECT_FALSE(picker2Enabled);
  EXPECT_TRUE(picker3Enabled);
  EXPECT_FALSE(anyChecked);
  EXPECT_TRUE(firstRatingChecked);
  const TDatenRec rec = form.GetNeuDatenRec();
  EXPECT_EQ(rec.ErstelltDatum, platform::Today());
  EXPECT_EQ(rec.ErhaltenDatum, platform::Today());
  EXPECT_EQ(rec.RetourDatum, platform::Today());
  EXPECT_EQ(rec.Bewertung, btKeine);
}

// Typing an impossible date into each date control and pressing Enter names that date
// and puts the focus into it; the dialog stays open.
struct TBadDateCase {
  WORD Accelerator;  // Alt+letter to the date (a check box is checked by it)
  const char* Digits;
  const char16_t* Message;
  TDatePicker TNeuForm::*Picker;
};

TEST_F(NeuFormTest, AnImpossibleDateOfACheckedBoxIsRefusedWithItsName) {
  const TBadDateCase cases[] = {
      {'E', "31042024", u"Bitte ein gültiges Datum für \"Erhalten\" eingeben.",
       &TNeuForm::DatePicker1},
      {'R', "31062024", u"Bitte ein gültiges Datum für \"Retourniert\" eingeben.",
       &TNeuForm::DatePicker2},
      {'S', "30022023", u"Bitte ein gültiges Datum für \"Erstellt\" eingeben.",
       &TNeuForm::DatePicker3},
  };
  size_t shown = 0;
  for (const TBadDateCase& c : cases) {
    SCOPED_TRACE(c.Digits);
    form.ClearText();
    TDatenRec start;
    start.Autor = u"mann";
    start.Titel = u"zauberberg";
    start.ErstelltDatum = D(2024, 3, 1);
    form.SetNeuDatenRec(start);
    AnswerMessages(1);
    TDatePicker& picker = form.*c.Picker;
    bool stillOpen = false;
    const winui::TModalResult result = Run([&] {
      KeyTo(c.Accelerator, ssAlt, picker, "Alt to the date");
      Type(c.Digits);
      const std::string d = c.Digits;
      const std::string shownDate = d.substr(0, 2) + "." + d.substr(2, 2) + "." + d.substr(4);
      Step(
          [&] {
            return Contains(TextOf(picker), std::wstring(shownDate.begin(), shownDate.end()));
          },
          "date typed as " + shownDate);
      Key(VK_RETURN);
      WaitForMessage(shown + 1, picker, "refused date");
      stillOpen = form.Window && IsWindowVisible(form.Window);
      Key(VK_ESCAPE);
    });
    ExpectNoErrors();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, winui::mrCancel);
    ASSERT_EQ(Messages().size(), ++shown);
    EXPECT_EQ(Messages().back(), c.Message);
    errors.clear();
  }
}

TEST_F(NeuFormTest, TheDateOfAnUncheckedBoxIsNotCheckedAndStoredRepaired) {
  TDatenRec start;
  start.Autor = u"mann";
  start.Titel = u"zauberberg";
  start.ErstelltDatum = D(2024, 3, 1);
  form.SetNeuDatenRec(start);
  AnswerMessages(1);
  bool markedDay = false, uncheckedKeepsFocus = false, pickerDisabled = false;
  const winui::TModalResult result = Run([&] {
    // Checking the box moves into its date with the day marked.
    KeyTo('E', ssAlt, form.DatePicker1, "Alt+E into the received date");
    DWORD start = 0, end = 0;
    SendMessageW(form.DatePicker1.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    markedDay = start == 4 && end == 6;
    Type("31042024");
    Step([&] { return Contains(TextOf(form.DatePicker1), L"31.04.2024"); }, "31.04.2024 typed");
    Key(VK_RETURN);
    WaitForMessage(1, form.DatePicker1, "refused received date");
    KeyTo(VK_TAB, ssShift, form.CheckBoxDp1, "back to the box");
    Key(VK_SPACE);
    Step([&] { return !IsChecked(form.CheckBoxDp1); }, "box unchecked");
    uncheckedKeepsFocus = FocusIs(form.CheckBoxDp1);
    pickerDisabled = !IsWindowEnabled(form.DatePicker1.Handle());
    Key(VK_RETURN);
  });
  ExpectNoErrors();
  EXPECT_TRUE(markedDay);
  EXPECT_TRUE(uncheckedKeepsFocus);
  EXPECT_TRUE(pickerDisabled);
  EXPECT_EQ(result, winui::mrOk);
  EXPECT_EQ(Messages(),
            (std::vector<std::u16string>{u"Bitte ein gültiges Datum für \"Erhalten\" eingeben."}));
  const TDatenRec rec = form.GetNeuDatenRec();
  EXPECT_FALSE(rec.ErhaltenS);
  EXPECT_EQ(rec.ErhaltenDatum, D(2024, 4, 30));
}

TEST_F(NeuFormTest, ReturnedBeforeReceivedIsRefusedSameDayPasses) {
  TDatenRec start;
  start.Autor = u"mann";
  start.Titel = u"zauberberg";
  start.ErstelltDatum = D(2024, 3, 1);
  form.SetNeuDatenRec(start);
  AnswerMessages(1);
  const winui::TModalResult result = Run([&] {
    KeyTo('E', ssAlt, form.DatePicker1, "Alt+E into the received date");
    Type("10052024");
    Step([&] { return Contains(TextOf(form.DatePicker1), L"10.05.2024"); }, "received typed");
    KeyTo('R', ssAlt, form.DatePicker2, "Alt+R into the returned date");
    Type("09052024");
    Step([&] { return Contains(TextOf(form.DatePicker2), L"09.05.2024"); }, "returned typed");
    // Back in the author field, so that the focus has to move for the refusal.
    KeyTo('U', ssAlt, form.Edit1, "Alt+U to the author");
    Key(VK_RETURN);
    WaitForMessage(1, form.DatePicker2, "date order");
    Type("10");
    Step([&] { return Contains(TextOf(form.DatePicker2), L"10.05.2024"); }, "same day typed");
    Key(VK_RETURN);
  });
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrOk);
  EXPECT_EQ(
      Messages(),
      (std::vector<std::u16string>{u"Das Retourdatum darf nicht vor dem Erhaltungsdatum liegen."}));
  const TDatenRec rec = form.GetNeuDatenRec();
  EXPECT_TRUE(rec.ErhaltenS && rec.RetourS);
  EXPECT_EQ(rec.ErhaltenDatum, D(2024, 5, 10));
  EXPECT_EQ(rec.RetourDatum, D(2024, 5, 10));
}

TEST_F(NeuFormTest, ADuplicateIsRefusedWithTheAuthorsTextSelected) {
  Daten.Add(FullEntry());
  form.SetText(u"Eintrag duplizieren");
  form.SetNeuDatenRec(FullEntry());
  form.EditIndex = -1;
  AnswerMessages(1);
  DWORD selStart = 1, selEnd = 0;
  const winui::TModalResult result = Run([&] {
    KeyTo(VK_TAB, 0, form.Edit2, "Tab to the title");
    Key(VK_RETURN);
    WaitForMessage(1, form.Edit1, "duplicate");
    SendMessageW(form.Edit1.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                 reinterpret_cast<LPARAM>(&selEnd));
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
  EXPECT_EQ(Messages(), (std::vector<std::u16string>{u"Ein solcher Eintrag existiert bereits!"}));
  EXPECT_EQ(selStart, 0u);
  EXPECT_EQ(selEnd, 4u);  // "mann"
}

TEST_F(NeuFormTest, AnUnchangedEditClosesWithoutTheOrderAndDuplicateChecks) {
  // Stored twice, returned before received: both later checks would refuse it.
  TDatenRec entry = FullEntry();
  entry.RetourDatum = D(2024, 5, 1);
  Daten.Add(entry);
  Daten.Add(entry);
  form.SetText(u"Eintrag bearbeiten");
  form.SetNeuDatenRec(entry);
  form.EditIndex = 1;
  const winui::TModalResult result = Run([&] { Key(VK_RETURN); });
  ExpectNoErrors();  // the scripted prompt fails the test on any message box
  EXPECT_EQ(result, winui::mrOk);
  EXPECT_TRUE(TDaten::Ident(form.GetNeuDatenRec(), entry));
}

TEST_F(NeuFormTest, ClearResetsEveryFieldAndFocusesTheAuthor) {
  form.SetNeuDatenRec(FullEntry());
  bool focusOnAuthor = false, anyText = true, anyChecked = true, datesDisabled = false;
  std::wstring created;
  const winui::TModalResult result = Run([&] {
    KeyTo('G', ssAlt, form.CheckBox1, "Alt+G to the read box");
    Key('L', ssAlt);
    focusOnAuthor = WaitForFocus(form.Edit1, "author after clearing");
    anyText = !TextOf(form.Edit1).empty() || !TextOf(form.Edit2).empty() ||
              !TextOf(form.Edit3).empty() || !TextOf(form.Edit4).empty() ||
              !TextOf(form.RichEdit1).empty();
    anyChecked =
        IsChecked(form.CheckBoxDp1) || IsChecked(form.CheckBoxDp2) || IsChecked(form.CheckBox1);
    datesDisabled = !IsWindowEnabled(form.DatePicker1.Handle()) &&
                    !IsWindowEnabled(form.DatePicker2.Handle()) &&
                    IsWindowEnabled(form.DatePicker3.Handle());
    created = TextOf(form.DatePicker3);
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
  EXPECT_TRUE(focusOnAuthor);
  EXPECT_FALSE(anyText);
  EXPECT_FALSE(anyChecked);
  EXPECT_TRUE(datesDisabled);
  EXPECT_FALSE(Contains(created, L"01.03.2024")) << created;
  TDatenRec cleared;
  cleared.ErstelltDatum = cleared.ErhaltenDatum = cleared.RetourDatum = platform::Today();
  EXPECT_TRUE(TDaten::Ident(form.GetNeuDatenRec(), cleared));
}

TEST_F(NeuFormTest, TypedBlanksAroundTheAuthorAndEmptyLinesAfterTheInfoAreNotStored) {
  const winui::TModalResult result = Run([&] {
    Type("  mann  ");
    KeyTo(VK_TAB, 0, form.Edit2, "Tab to the title");
    Type("zauberberg");
    KeyTo('I', ssAlt, form.RichEdit1, "Alt+I to the info");

    Type("  teil");
    Key(VK_RETURN);
    Key(VK_RETURN);
    Type("  ");
    Step(
        [&] {
          return Contains(TextOf(form.RichEdit1), L"teil\r") ||
                 Contains(TextOf(form.RichEdit1), L"teil\n");
        },
        "info typed with new lines");
    // Enter in the info field started new lines; OK needs its button.
    KeyTo('U', ssAlt, form.Edit1, "Alt+U to the author");
    Step([&] { return IsWindowEnabled(form.Button1.Handle()) != FALSE; }, "OK enabled");
    Key(VK_RETURN);
  });
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrOk);
  const TDatenRec rec = form.GetNeuDatenRec();
  EXPECT_EQ(rec.Autor, u"mann");
  EXPECT_EQ(rec.Titel, u"zauberberg");
  EXPECT_EQ(rec.Infos, u"  teil");
}

// Each text field goes through its own control: author to source trimmed at both ends,
// the info text at its end only.
TEST_F(NeuFormTest, EntryFromTheControlsIsTrimmedFieldByField) {
  struct TCase {
    std::u16string Raw, Feld, Info;
  };
  const TCase cases[] = {
      {u"  a  ", u"a", u"  a"},
      {u"\tZeile\r\n\r\n", u"Zeile", u"\tZeile"},
      {u" x\r\ny \r\n ", u"x\r\ny", u" x\r\ny"},
      {u"\x01", u"", u""},
  };
  for (const TCase& c : cases) {
    TDatenRec raw = FullEntry();
    raw.Autor = u"A" + c.Raw;
    raw.Titel = c.Raw + u"T";
    raw.KatalogNr = c.Raw;
    raw.Quelle = c.Raw + u"Q" + c.Raw;
    raw.Infos = c.Raw;
    form.SetNeuDatenRec(raw);
    const TDatenRec rec = form.GetNeuDatenRec();
    EXPECT_EQ(rec.Autor, NeuFeldText(u"A" + c.Raw));
    EXPECT_EQ(rec.Titel, NeuFeldText(c.Raw + u"T"));
    EXPECT_EQ(rec.Quelle, NeuFeldText(c.Raw + u"Q" + c.Raw));
    EXPECT_EQ(rec.KatalogNr, c.Feld);
    EXPECT_EQ(rec.Infos, c.Info);
    EXPECT_TRUE(rec.Akt);
    EXPECT_EQ(rec.ErstelltDatum, raw.ErstelltDatum);
    EXPECT_EQ(rec.Bewertung, raw.Bewertung);
  }
}

TEST_F(NeuFormTest, EscapeInTheInfoFieldCancels) {
  form.SetNeuDatenRec(FullEntry());
  const winui::TModalResult result = Run([&] {
    KeyTo('I', ssAlt, form.RichEdit1, "Alt+I to the info");
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
}

void SetClipboardText(const wchar_t* text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  if (text) {
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      memcpy(GlobalLock(memory), text, bytes);
      GlobalUnlock(memory);
      SetClipboardData(CF_UNICODETEXT, memory);
    }
  }
  CloseClipboard();
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Which of the six context-menu items are enabled, in menu order, as "KAELRM" with "-"
// for a disabled one.
std::string EnabledItems(HMENU menu) {
  const char letters[] = "KAELRM";
  std::string result;
  for (int i = 0; i < 6; ++i)
    result += (GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) ? '-' : letters[i];
  return result;
}

HWND OpenMenuWindow() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

TEST_F(NeuFormTest, ContextMenuOffersWhatTheFieldAllowsAndItsShortcutsObeyTheSame) {
  TDatenRec start;
  start.Autor = u"mann";
  form.SetNeuDatenRec(start);
  struct TMenuCase {
    WORD Accelerator;  // Alt+letter to the field
    const winui::TControl* Field;
    const wchar_t* Clipboard;
    std::string Expected;
  };
  const TMenuCase cases[] = {
      {'N', &form.Edit3, L"Text", "--E---"},  // empty: only paste, with text to paste
      {'N', &form.Edit3, nullptr, "------"},
      {'U', &form.Edit1, nullptr, "KA-L-M"},  // "mann" selected, nothing to undo yet
      {'I', &form.RichEdit1, L"Text", "--E---"},
  };
  std::vector<std::string> seen;
  std::wstring afterCut, afterUndo, afterPaste, clipboardAfterCut;
  const winui::TModalResult result = Run([&] {
    for (const TMenuCase& c : cases) {
      SetClipboardText(c.Clipboard);
      KeyTo(c.Accelerator, ssAlt, *c.Field, "Alt to the field");
      if (c.Field == &form.Edit1) SendMessageW(form.Edit1.Handle(), EM_SETSEL, 0, -1);
      Key(VK_APPS);
      if (!Step([] { return OpenMenuWindow() != nullptr; }, "context menu open")) break;
      seen.push_back(EnabledItems(form.PuMenu1.Handle()));
      Key(VK_ESCAPE);
      Step([] { return OpenMenuWindow() == nullptr; }, "context menu closed");
    }
    // The shortcuts on the author field, its text selected.
    SetClipboardText(nullptr);
    KeyTo('U', ssAlt, form.Edit1, "Alt+U to the author");
    SendMessageW(form.Edit1.Handle(), EM_SETSEL, 0, -1);
    Key('X', winui::ssCtrl);
    Step([&] { return TextOf(form.Edit1).empty(); }, "Ctrl+X cut the author");
    afterCut = TextOf(form.Edit1);
    clipboardAfterCut = ClipboardText();
    Key('Z', winui::ssCtrl);
    Step([&] { return TextOf(form.Edit1) == L"mann"; }, "Ctrl+Z brought it back");
    afterUndo = TextOf(form.Edit1);
    KeyTo(VK_TAB, 0, form.Edit2, "Tab to the title");
    Key('V', winui::ssCtrl);
    Step([&] { return TextOf(form.Edit2) == L"mann"; }, "Ctrl+V pasted into the title");
    afterPaste = TextOf(form.Edit2);
    Key(VK_ESCAPE);
  });
  SetClipboardText(nullptr);
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
  EXPECT_EQ(seen, (std::vector<std::string>{"--E---", "------", "KA-L-M", "--E---"}));
  EXPECT_EQ(afterCut, L"");
  EXPECT_EQ(clipboardAfterCut, L"mann");
  EXPECT_EQ(afterUndo, L"mann");
  EXPECT_EQ(afterPaste, L"mann");
}

}  // namespace
}  // namespace tvn::test
