// The search dialog under real key presses: its first state, the enabling of each mode and
// of "O&K", the settings put back on cancel and kept on OK, the checks on closing, what a
// screen reader gets, and the layout at a small and a large font.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/Suchen.h"
#include "dialogs/tests/DialogTestSupport.h"
#include "layout/demo/LayoutCheck.h"
#include "layout/demo/WindowBitmap.h"
#include "layout/tests/WinTestSupport.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"
#include "screenreader/ScreenReaderOutput.h"
#include "screenreader/tests/ReaderDoubles.h"
#include "winui/Timer.h"
#include "winui/Win32Util.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {
namespace {

using winui::ssAlt;

class SuchenFormTest : public DialogKeysTest {
 protected:
  void SetUp() override {
    DialogKeysTest::SetUp();
    form.Create();
  }

  // Shows the dialog as the search command does; script runs once the mode group has the
  // focus.
  winui::TModalResult Run(const std::function<void()>& script) {
    form.SchriftartZuweisen();
    return RunDialog(form, form.Window, form.RadioGroup1, script);
  }

  // The checked button of a radio group, by its caption ("" for none).
  static std::wstring CheckedRadio(const winui::TRadioGroup& group) {
    for (HWND radio : RadioButtons(group)) {
      if (SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED) return winui::test::TextOf(radio);
    }
    return L"";
  }

  static bool Enabled(const winui::TControl& control) {
    return IsWindowEnabled(control.Handle()) != FALSE;
  }

  TShownDialog<TSuchenForm> form{&owner};
};

// What the dialog shows of its settings, read from its windows.
struct TShown {
  std::wstring Modus, Richtung, Text;
  bool Gelesen = false, GrossKlein = false;
  bool operator==(const TShown&) const = default;
};

TEST_F(SuchenFormTest, TheFirstShowingSearchesTextForwardWithOkAndTheOtherModesDisabled) {
  TShown shown;
  bool ok = true, date = true, dateLabel = true, read = true, text = false, textCase = false,
       direction = false;
  const winui::TModalResult result = Run([&] {
    shown = {CheckedRadio(form.RadioGroup1), CheckedRadio(form.RadioGroup2), TextOf(form.Edit1),
             IsChecked(form.CheckBox1), IsChecked(form.CheckBox2)};
    ok = Enabled(form.Button1);
    date = Enabled(form.DatePicker1);
    dateLabel = Enabled(form.LabelDatum1);
    read = Enabled(form.CheckBox1);
    text = Enabled(form.Edit1) && Enabled(form.LabelEdit1);
    textCase = Enabled(form.CheckBox2);
    direction = Enabled(form.RadioGroup2);
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
  EXPECT_EQ(shown, (TShown{L"&Text", L"&Vorwärts", L"", false, false}));
  EXPECT_EQ(form.Caption(), u"Suchen");
  EXPECT_FALSE(ok);
  EXPECT_FALSE(date);
  EXPECT_FALSE(dateLabel);
  EXPECT_FALSE(read);
  EXPECT_TRUE(text);
  EXPECT_TRUE(textCase);
  EXPECT_TRUE(direction);
  EXPECT_EQ(form.Einstellungen().SuchDatum, platform::Today());
}

// Each mode's accelerator, with the 25 ms timer stopped: the mode change alone has to
// set the enabling, "O&K" included. The search text stays empty.
struct TModusCase {
  WORD Accelerator;
  const wchar_t* Item;
  bool Date, Read, Text, Ok;
};

TEST_F(SuchenFormTest, ChoosingAModeEnablesItsControlsAndOkAtOnce) {
  const TModusCase cases[] = {
      {'D', L"&Datum", true, false, false, true},
      {'G', L"&Gelesen", false, true, false, true},
      {'T', L"&Text", false, false, true, false},
  };
  form.OnShown = [&] { form.Timer1.SetEnabled(false); };
  const winui::TModalResult result = Run([&] {
    for (const TModusCase& c : cases) {
      Key(c.Accelerator, ssAlt);
      const std::string what = "enabling of " + ToUtf8(winui::U16(c.Item));
      Step(
          [&] {
            return CheckedRadio(form.RadioGroup1) == c.Item &&
                   Enabled(form.DatePicker1) == c.Date && Enabled(form.LabelDatum1) == c.Date &&
                   Enabled(form.CheckBox1) == c.Read && Enabled(form.Edit1) == c.Text &&
                   Enabled(form.LabelEdit1) == c.Text && Enabled(form.CheckBox2) == c.Text &&
                   Enabled(form.RadioGroup2) && Enabled(form.Button1) == c.Ok;
          },
          what, 2000);
    }
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
}

TEST_F(SuchenFormTest, ASearchTextOfBlanksKeepsOkDisabled) {
  bool okWithBlanks = true, openAfterEnter = false;
  const winui::TModalResult result = Run([&] {
    KeyTo('X', ssAlt, form.Edit1, "Alt+X to the search text");
    Type("   ");
    Step([&] { return TextOf(form.Edit1) == L"   "; }, "blanks typed");
    Sleep(200);  // several timer rounds
    okWithBlanks = Enabled(form.Button1);
    Key(VK_RETURN);
    Sleep(200);
    openAfterEnter = form.Window && IsWindowVisible(form.Window);
    Type("mann ");
    Step([&] { return Enabled(form.Button1); }, "OK enabled by a letter");
    Key(VK_RETURN);
  });
  ExpectNoErrors();
  EXPECT_FALSE(okWithBlanks);
  EXPECT_TRUE(openAfterEnter);
  EXPECT_EQ(result, winui::mrOk);
  const TSuchEinstellungen e = form.Einstellungen();
  EXPECT_EQ(e.Modus, smText);
  EXPECT_EQ(e.SuchText, u"   mann ");  // as typed; the search folds and compares it
  EXPECT_TRUE(prompt.Records().empty());
}

TEST_F(SuchenFormTest, CancelPutsBackTheSettingsOfBeforeAndOkKeepsTheNewOnes) {
  const TShown initial{L"&Text", L"&Vorwärts", L"", false, false};
  auto shownNow = [&] {
    return TShown{CheckedRadio(form.RadioGroup1), CheckedRadio(form.RadioGroup2),
                  TextOf(form.Edit1), IsChecked(form.CheckBox1), IsChecked(form.CheckBox2)};
  };
  // Every setting changed by keys: text, case, direction, date, then the read mode.
  auto changeEverything = [&] {
    KeyTo('X', ssAlt, form.Edit1, "Alt+X to the search text");
    Type("wort");
    Key('O', ssAlt);  // case check box
    Key('R', ssAlt);  // backward
    KeyTo('D', ssAlt, form.RadioGroup1, "Alt+D: date mode");
    KeyTo('U', ssAlt, form.DatePicker1, "Alt+U to the date");
    Type("01022024");
    Step([&] { return TextOf(form.DatePicker1).find(L"01.02.2024") != std::wstring::npos; },
         "date typed");
    KeyTo('G', ssAlt, form.RadioGroup1, "Alt+G: read mode");
    Key('L', ssAlt);  // read check box
    Step(
        [&] {
          return shownNow() == TShown{L"&Gelesen", L"&Rückwärts", L"wort", true, true};
        },
        "everything changed");
  };
  TShown second, third;
  EXPECT_EQ(Run([&] {
              changeEverything();
              Key(VK_ESCAPE);
            }),
            winui::mrCancel);
  EXPECT_EQ(form.Einstellungen().SuchDatum, platform::Today());
  EXPECT_EQ(Run([&] {
              second = shownNow();
              changeEverything();
              Key(VK_RETURN);
            }),
            winui::mrOk);
  EXPECT_EQ(Run([&] {
              third = shownNow();
              Key(VK_ESCAPE);
            }),
            winui::mrCancel);
  ExpectNoErrors();
  EXPECT_EQ(second, initial);
  EXPECT_EQ(third, (TShown{L"&Gelesen", L"&Rückwärts", L"wort", true, true}));
  const TSuchEinstellungen e = form.Einstellungen();
  EXPECT_EQ(e.Modus, smGelesen);
  EXPECT_TRUE(e.GelesenS);
  EXPECT_TRUE(e.GrossKleinS);
  EXPECT_TRUE(e.RueckwaertsS);
  EXPECT_EQ(e.SuchText, u"wort");
  EXPECT_EQ(e.SuchDatum, D(2024, 2, 1));
}

TEST_F(SuchenFormTest, OkWithAnImpossibleDateNamesItAndFocusesTheDateField) {
  AnswerMessages(1);
  bool stillOpen = false;
  const winui::TModalResult result = Run([&] {
    KeyTo('D', ssAlt, form.RadioGroup1, "Alt+D: date mode");
    KeyTo('U', ssAlt, form.DatePicker1, "Alt+U to the date");
    Type("31042024");
    Step([&] { return TextOf(form.DatePicker1).find(L"31.04.2024") != std::wstring::npos; },
         "date typed as 31.04.2024");
    Key(VK_RETURN);
    WaitForMessage(1, form.DatePicker1, "refused date");
    stillOpen = form.Window && IsWindowVisible(form.Window);
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(result, winui::mrCancel);
  EXPECT_EQ(Messages(), std::vector<std::u16string>{u"Bitte ein gültiges Suchdatum eingeben."});
}

// "O&K" is disabled for a blank text, but a close with OK by other means (the default
// button's message) is still checked.
TEST_F(SuchenFormTest, AnOkCloseWithABlankTextAsksForOneAndFocusesTheField) {
  AnswerMessages(1);
  winui::TTimer closeWithOk(20);
  closeWithOk.OnTimer = [&] {
    closeWithOk.SetEnabled(false);
    form.SetModalResult(winui::mrOk);
  };
  bool stillOpen = false;
  const winui::TModalResult result = Run([&] {
    KeyTo('X', ssAlt, form.Edit1, "Alt+X to the search text");
    Type("  ");
    KeyTo('R', ssAlt, form.RadioGroup2, "Alt+R: backward");
    closeWithOk.SetEnabled(true);
    WaitForMessage(1, form.Edit1, "refused blank text");
    stillOpen = form.Window && IsWindowVisible(form.Window);
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(result, winui::mrCancel);
  EXPECT_EQ(Messages(), std::vector<std::u16string>{u"Bitte einen Suchtext eingeben."});
}

TEST_F(SuchenFormTest, EachFieldSaysItsLabelOnceWhenItGetsTheFocus) {
  tvn::testing::TReaderLock lock;
  tvn::testing::TFakeNvda nvda;
  nvda.Start();
  TScreenReaderOutput reader;
  reader.Load();
  SetProgramScreenReader(&reader);
  form.RadioGroup1.SetItemIndex(0);  // the date mode: Tab reaches the date field
  const winui::TModalResult result = Run([&] {
    KeyTo(VK_TAB, 0, form.DatePicker1, "Tab to the date");
    // The read and text controls are disabled: Tab skips them.
    KeyTo(VK_TAB, 0, form.RadioGroup2, "Tab to the direction");
    KeyTo('T', ssAlt, form.RadioGroup1, "Alt+T: text mode");
    KeyTo(VK_TAB, 0, form.Edit1, "Tab to the search text");
    KeyTo(VK_TAB, 0, form.CheckBox2, "Tab to the case check box");
    KeyTo(VK_TAB, 0, form.RadioGroup2, "Tab to the direction again");
    KeyTo(VK_TAB, 0, form.Button2, "Tab past the disabled OK");
    Key(VK_ESCAPE);
  });
  SetProgramScreenReader(nullptr);
  reader.Unload();
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
  const std::vector<std::u16string> labels = {u"Suche:", u"Suchdatum:", u"Richtung:",
                                              u"Suche:", u"Suchtext:",  u"Richtung:"};
  EXPECT_EQ(nvda.Texts("speakText"), labels);
  EXPECT_EQ(nvda.Texts("brailleMessage"), labels);
}

TEST_F(SuchenFormTest, EveryControlIsNamedByItsLabelOrCaptionWithoutTheAmpersand) {
  struct TNamed {
    const winui::TControl* Control;
    std::u16string Name;
  };
  const std::vector<TNamed> expected = {{&form.DatePicker1, u"Suchdatum:"},
                                        {&form.CheckBox1, u"Gelesen"},
                                        {&form.Edit1, u"Suchtext:"},
                                        {&form.CheckBox2, u"Groß-/Kleinschreibung"},
                                        {&form.Button1, u"OK"},
                                        {&form.Button2, u"Abbrechen"}};
  std::vector<std::u16string> names, modes, directions;
  const winui::TModalResult result = Run([&] {
    std::vector<HWND> windows;
    for (const TNamed& n : expected) windows.push_back(n.Control->Handle());
    names = AccessibleNames(windows);
    modes = AccessibleNames(RadioButtons(form.RadioGroup1));
    directions = AccessibleNames(RadioButtons(form.RadioGroup2));
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
  ASSERT_EQ(names.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(names[i], expected[i].Name) << "control " << i;
  EXPECT_EQ(modes, (std::vector<std::u16string>{u"Datum", u"Gelesen", u"Text"}));
  EXPECT_EQ(directions, (std::vector<std::u16string>{u"Vorwärts", u"Rückwärts"}));
}

struct TLayoutCase {
  int Points;
  bool Scrolls;
  const char* Shot;
};

void PrintTo(const TLayoutCase& c, std::ostream* os) {
  *os << c.Points << " pt";
}

class SuchenFormLayout : public SuchenFormTest,
                         public ::testing::WithParamInterface<TLayoutCase> {};

// One column, never wider than the case check box needs, and no taller than the content.
TEST_P(SuchenFormLayout, OneNarrowColumnThatScrollsOnlyWhenTheScreenIsTooLow) {
  const TLayoutCase c = GetParam();
  winui::AktFont.Size = c.Points;
  form.RadioGroup1.SetItemIndex(0);  // every control of the date mode enabled
  std::vector<std::string> problems;
  bool saved = false, scrolls = false, checked = false;
  int clientW = 0, contentGap = 0;
  winui::TTimer visible(20);
  visible.OnTimer = [&] {
    if (!IsWindowVisible(form.Handle())) return;
    visible.SetEnabled(false);
    problems = LayoutProblems(TLayoutParts{form, form.FContent.get(), form.FButtonArea.get(),
                                           form.InputControls(), form.Buttons()});
    scrolls = form.FContent->ContentSize().cy > form.FContent->ClientHeight();
    clientW = form.ClientWidth();
    contentGap = form.FContent->ClientHeight() - form.FContent->ContentSize().cy;
    SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    saved = SaveWindowBitmap(form.Handle(), (std::string(c.Shot) + ".bmp").c_str());
    form.RadioGroup2.SetFocus();  // the end of the content box
    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    saved = SaveWindowBitmap(form.Handle(), (std::string(c.Shot) + "-end.bmp").c_str()) && saved;
    checked = true;
    form.SetModalResult(winui::mrCancel);
  };
  form.OnShown = [&] { visible.SetEnabled(true); };
  form.SchriftartZuweisen();
  EXPECT_EQ(form.ShowModal(), winui::mrCancel);
  ASSERT_TRUE(checked);
  EXPECT_TRUE(saved);
  for (const std::string& problem : problems) ADD_FAILURE() << problem;
  const int maxW = std::max(PaddedTextWidth(winui::AktFont, u"Groß-/Kleinschreibung MMMM"), 450);
  EXPECT_LE(clientW, maxW);
  EXPECT_EQ(scrolls, c.Scrolls);
  if (!c.Scrolls) {
    // The content box ends right below the direction group.
    EXPECT_GE(contentGap, 0);
    EXPECT_LE(contentGap, 2 * kLayoutGap);
  }
  const winui::TControl* const column[] = {&form.RadioGroup1, &form.LabelDatum1, &form.DatePicker1,
                                           &form.CheckBox1,   &form.LabelEdit1,  &form.Edit1,
                                           &form.CheckBox2,   &form.RadioGroup2};
  for (size_t i = 1; i < std::size(column); ++i) {
    EXPECT_EQ(column[i]->Left(), 0) << i;
    EXPECT_GE(column[i]->Top(), column[i - 1]->Top() + column[i - 1]->Height()) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Fonts, SuchenFormLayout,
                         ::testing::Values(TLayoutCase{12, false, "suchen-12"},
                                           TLayoutCase{35, true, "suchen-35"}));

}  // namespace
}  // namespace tvn::test
