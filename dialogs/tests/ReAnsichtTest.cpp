// The details viewer under real key presses: enabling of printing, saving and the popup
// items, page breaks, closing without keeping edits, and printing without a printer or
// with a failing one.
#include <gtest/gtest.h>

#include "dialogs/tests/ReAnsichtTestSupport.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {
namespace {

using winui::ssAlt;
using winui::ssCtrl;

// Popup positions, in menu order.
enum TPopupPos {
  kSeitenumbruch,
  kEntfernen,
  kKopieren,
  kAusschneiden,
  kEinfuegen,
  kAllesMarkieren,
  kRueck,
  kDrucken,
  kSpeichern,
  kItemCount
};

TEST_F(ReAnsichtTest, OpeningShowsTheTextWithCaretAtStartAndButtonsByItsContent) {
  struct Case {
    std::u16string text;
    bool drucken, speichern;
  };
  const Case cases[] = {
      {u"Autor: Mann\r\nTitel: Zauberberg\r\n", true, true},
      {u"\r\n  \r\n\t\r\n", false, true},  // blank lines only: nothing to print
      {u"", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    bool drucken = !c.drucken, speichern = !c.speichern, caretAtStart = false;
    std::u16string shown;
    std::wstring caption;
    Run(u"Details des markierten Eintrags", c.text, [&] {
      drucken = IsEnabled(form.Button1);
      speichern = IsEnabled(form.Button2);
      shown = FieldText();
      caretAtStart = form.RichEdit1.SelStart() == 0 && form.RichEdit1.SelLength() == 0;
      caption = winui::test::TextOf(form.Window);
      Key(VK_ESCAPE);
    });
    ExpectNoErrors();
    EXPECT_EQ(drucken, c.drucken);
    EXPECT_EQ(speichern, c.speichern);
    EXPECT_EQ(shown, c.text);
    EXPECT_TRUE(caretAtStart);
    EXPECT_EQ(caption, L"Details des markierten Eintrags");
  }
}

TEST_F(ReAnsichtTest, DeletingTheWholeTextDisablesPrintSaveAndSelectAll) {
  std::vector<TPopupItem> before, after;
  bool druckenLeer = true, speichernLeer = true, druckenDanach = false, speichernDanach = false;
  Run(u"Details", u"Autor: Mann\r\n", [&] {
    before = Popup();
    Key('A', ssCtrl);
    Step([&] { return form.RichEdit1.SelLength() > 0; }, "Ctrl+A selects the text");
    Key(VK_DELETE);
    WaitForText(u"", "text deleted");
    druckenLeer = IsEnabled(form.Button1);
    speichernLeer = IsEnabled(form.Button2);
    // Their shortcuts are off as well, before any popup showed it: no print or save dialog
    // may come.
    Key('P', ssCtrl);
    Key('U', ssCtrl);
    Sleep(300);
    after = Popup();
    Key('X');
    WaitForText(u"x", "a letter typed");
    druckenDanach = IsEnabled(form.Button1);
    speichernDanach = IsEnabled(form.Button2);
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_TRUE(prompt.Records().empty());
  ASSERT_EQ(before.size(), static_cast<size_t>(kItemCount));
  ASSERT_EQ(after.size(), static_cast<size_t>(kItemCount));
  const std::wstring captions[] = {L"&Seitenumbruch einfügen",
                                   L"Seitenumbrüche &entfernen...",
                                   L"&Kopieren",
                                   L"&Ausschneiden",
                                   L"E&infügen",
                                   L"Alles &markieren",
                                   L"&Rückgängig",
                                   L"&Drucken...",
                                   L"Speichern &unter..."};
  for (int i = 0; i < kItemCount; ++i)
    EXPECT_EQ(before[i].Caption.substr(0, before[i].Caption.find(L'\t')), captions[i]);
  for (TPopupPos pos : {kAllesMarkieren, kDrucken, kSpeichern}) {
    EXPECT_TRUE(before[pos].Enabled) << pos;
    EXPECT_FALSE(after[pos].Enabled) << pos;
  }
  EXPECT_TRUE(after[kSeitenumbruch].Enabled);
  EXPECT_TRUE(after[kRueck].Enabled);  // the deletion can be undone
  EXPECT_FALSE(before[kRueck].Enabled);
  EXPECT_FALSE(after[kEntfernen].Enabled);
  EXPECT_FALSE(druckenLeer);
  EXPECT_FALSE(speichernLeer);
  EXPECT_TRUE(druckenDanach);
  EXPECT_TRUE(speichernDanach);
}

TEST_F(ReAnsichtTest, APageBreakInsertedAndRemovedLeavesTheTextAsBefore) {
  const std::u16string text = u"Erste Zeile\r\nZweite Zeile\r\n";
  std::vector<TPopupItem> without, with;
  std::u16string inserted, afterNo, afterYes;
  bool caretAtStart = false;
  AnswerMessage(winui::mrNo);
  AnswerMessage(winui::mrYes);
  AnswerMessage(winui::mrOk);
  Run(u"Details", text, [&] {
    without = Popup();
    Key(VK_END);
    Step([&] { return form.RichEdit1.SelStart() == 11; }, "caret at the end of the first line");
    Key('S', ssCtrl);
    if (!WaitForText(u"Erste Zeile\f\r\nZweite Zeile\r\n", "Ctrl+S inserts a form feed")) return;
    inserted = FieldText();
    with = Popup('E');
    WaitForMessages(1, "question about removing");
    Sleep(200);
    afterNo = FieldText();
    Popup('E');
    WaitForMessages(3, "question and report");
    WaitForText(text, "page breaks removed");
    afterYes = FieldText();
    caretAtStart = form.RichEdit1.SelStart() == 0 && form.RichEdit1.SelLength() == 0;
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  ASSERT_EQ(without.size(), static_cast<size_t>(kItemCount));
  ASSERT_EQ(with.size(), static_cast<size_t>(kItemCount));
  EXPECT_FALSE(without[kEntfernen].Enabled);
  EXPECT_TRUE(without[kSeitenumbruch].Enabled);
  EXPECT_TRUE(with[kEntfernen].Enabled);
  EXPECT_EQ(afterNo, inserted);
  EXPECT_EQ(afterYes, text);
  EXPECT_TRUE(caretAtStart);
  const std::vector<winui::TPromptRecord> messages = Records(winui::TPromptType::Message);
  ASSERT_EQ(messages.size(), 3u);
  for (int i : {0, 1}) {
    EXPECT_EQ(messages[i].Message.Text, u"Sollen alle Seitenumbrüche entfernt werden?");
    EXPECT_EQ(messages[i].Message.Kind, winui::TMsgKind::Confirmation);
    EXPECT_EQ(messages[i].Message.Buttons, winui::mbYes | winui::mbNo);
  }
  EXPECT_EQ(messages[2].Message.Text, u"Es wurden alle Seitenumbrüche entfernt!");
  EXPECT_EQ(messages[2].Message.Kind, winui::TMsgKind::Information);
  EXPECT_EQ(messages[2].Message.Buttons, winui::mbOK);
}

TEST_F(ReAnsichtTest, ClosingDiscardsEditsAndTheNextShowingHasItsOwnText) {
  struct Case {
    const char* name;
    WORD key;
    winui::TShiftState modifiers;
  };
  const Case cases[] = {{"Esc", VK_ESCAPE, 0}, {"Alt+C", 'C', ssAlt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool typed = false;
    Run(u"Details aller 2 markierten Einträge", u"Erster Text\r\n", [&] {
      Key('Q');
      typed = WaitForText(u"qErster Text\r\n", "a letter typed");
      Key(c.key, c.modifiers);
    });
    EXPECT_TRUE(typed);
    EXPECT_EQ(form.ModalResult(), winui::mrCancel);
    std::u16string shown;
    std::wstring caption;
    Run(u"Details des markierten Eintrags", u"Zweiter Text\r\n", [&] {
      shown = FieldText();
      caption = winui::test::TextOf(form.Window);
      Key(VK_ESCAPE);
    });
    ExpectNoErrors();
    errors.clear();
    EXPECT_EQ(shown, u"Zweiter Text\r\n");
    EXPECT_EQ(caption, L"Details des markierten Eintrags");
  }
}

TEST_F(ReAnsichtTest, WithoutAPrinterPrintingSaysSoAndShowsNoPrintDialog) {
  struct Case {
    const char* name;
    WORD key;
    winui::TShiftState modifiers;
  };
  // The button by its letter, the popup's shortcut.
  const Case cases[] = {{"Alt+D", 'D', ssAlt}, {"Ctrl+P", 'P', ssCtrl}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    prompt.PrinterPresent = false;
    const size_t before = prompt.Records().size();
    bool focusBack = false;
    AnswerMessage(winui::mrOk);
    Run(u"Details", u"Autor: Mann\r\n", [&] {
      Key(c.key, c.modifiers);
      WaitForMessages(before + 1, "message shown");
      focusBack = WaitForFocus(form.RichEdit1, "focus in the text field afterwards");
      Key(VK_ESCAPE);
    });
    ExpectNoErrors();
    errors.clear();
    ASSERT_EQ(prompt.Records().size(), before + 1);
    const winui::TPromptRecord& record = prompt.Records().back();
    EXPECT_EQ(record.Type, winui::TPromptType::Message);
    EXPECT_EQ(record.Message.Text, u"Es ist kein Drucker installiert!");
    EXPECT_EQ(record.Message.Kind, winui::TMsgKind::Information);
    EXPECT_EQ(record.Message.Buttons, winui::mbOK);
    EXPECT_TRUE(focusBack);
  }
  EXPECT_TRUE(Records(winui::TPromptType::Print).empty());
}

TEST_F(ReAnsichtTest, ACancelledOrFailedPrintKeepsTheDialogAndItsText) {
  prompt.PrinterPresent = true;
  prompt.CancelPrint();
  // A print dialog that gives no usable printer: the job cannot start.
  prompt.AnswerPrint(nullptr);
  AnswerMessage(winui::mrOk);
  const std::u16string text = u"Autor: Mann\r\n\fTitel: Zauberberg\r\n";
  bool openAfterCancel = false, openAfterFailure = false, focusBack = false;
  std::u16string textAfter;
  Run(u"Details", text, [&] {
    Key('P', ssCtrl);
    Sleep(300);
    openAfterCancel = DialogOpen();
    Key(VK_TAB);
    WaitForFocus(form.Button1, "Tab to Drucken");
    Key(VK_RETURN);
    WaitForMessages(1, "error shown");
    // The text field got the focus for printing and keeps it.
    focusBack = WaitForFocus(form.RichEdit1, "focus back in the text field");
    openAfterFailure = DialogOpen();
    textAfter = FieldText();
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_TRUE(openAfterCancel);
  EXPECT_TRUE(openAfterFailure);
  EXPECT_TRUE(focusBack);
  EXPECT_EQ(textAfter, text);
  const std::vector<winui::TPromptRecord> messages = Records(winui::TPromptType::Message);
  ASSERT_EQ(messages.size(), 1u);
  const std::u16string prefix = u"Der Text konnte nicht gedruckt werden.\r\n";
  EXPECT_EQ(messages[0].Message.Text.substr(0, prefix.size()), prefix);
  EXPECT_GT(messages[0].Message.Text.size(), prefix.size()) << "the reason is missing";
  EXPECT_EQ(messages[0].Message.Kind, winui::TMsgKind::Error);
  EXPECT_EQ(Records(winui::TPromptType::Print).size(), 2u);
}

}  // namespace
}  // namespace tvn::test
