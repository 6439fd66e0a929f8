// The main form and the plain controls: shortcuts, menus, timers, appearance, the status
// line's text queries, the scroll box and the exception boundary.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <oleacc.h>

#include <stdexcept>

#include "TestWindows.h"
#include "winui/FontCache.h"
#include "winui/Form.h"
#include "winui/ScriptedPrompt.h"
#include "winui/StatusBar.h"
#include "winui/Timer.h"
#include "winui/Win32Util.h"

using namespace winui;
using namespace winui::test;

namespace {

class TTestForm : public TMainForm {
 public:
  TLabel Label1{this};
  TEdit Edit1{this};
  TCheckBox CheckBox1{this};
  TButton Button1{this};
  TButton Button2{this};
  TStatusBar StatusBar1{this};
  TRadioGroup RadioGroup1{this};
  TMainMenu MainMenu1;
  TMenuItem MenuAkt{u"A&ktionen"};
  TMenuItem MenuNeu{u"&Neu", TShortCut{'N', ssCtrl}};
  TMenuItem MenuBearbeiten{u"&Bearbeiten", TShortCut{'B', ssCtrl}};
  int NeuClicks = 0, BearbeitenClicks = 0, Button2Clicks = 0;

  TTestForm() { IsMainForm = false; }
  void FormCreate() override {
    SetCaption(u"Testfenster");
    SetBounds(60, 60, 600, 400);
    Label1.SetCaption(u"&Name:");
    Label1.FocusControl = &Edit1;
    Label1.SetBounds(10, 10, Label1.Width(), Label1.Height());
    Edit1.SetBounds(10, 30, 200, Edit1.Height());
    CheckBox1.SetCaption(u"&Gelesen");
    CheckBox1.SetBounds(10, 70, 200, 24);
    Button1.SetCaption(u"Neu");
    Button1.SetBounds(10, 110, 100, 30);
    Button2.SetCaption(u"Details");
    Button2.SetBounds(120, 110, 100, 30);
    Button2.SetDefault(true);
    Button2.OnClick = [this] { ++Button2Clicks; };
    StatusBar1.SetBounds(0, 300, 580, 40);
    RadioGroup1.SetCaption(u"&Bewertung");
    RadioGroup1.SetItems({u"Keine", u"Sehr gut", u"Gut"});
    RadioGroup1.SetBounds(250, 10, 200, 130);
    MenuAkt.Add(MenuNeu);
    MenuAkt.Add(MenuBearbeiten);
    MainMenu1.Items.Add(MenuAkt);
    MenuNeu.OnClick = [this] { ++NeuClicks; };
    MenuBearbeiten.OnClick = [this] { ++BearbeitenClicks; };
    SetMenu(&MainMenu1);
  }
};

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Create();
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == form.Handle(); }));
    form.Edit1.SetFocus();
  }
  TScriptedPrompt prompt;
  TTestForm form;
};

TEST_F(FormTest, ShortCutRunsTheMenuItemOnlyWhenEnabled) {
  PressKey('N', ssCtrl);
  ASSERT_TRUE(PumpUntil([&] { return form.NeuClicks == 1; }));
  form.MenuNeu.SetEnabled(false);
  PressKey('N', ssCtrl);
  PressKey('B', ssCtrl);  // handled after the Ctrl+N before it
  ASSERT_TRUE(PumpUntil([&] { return form.BearbeitenClicks == 1; }));
  EXPECT_EQ(form.NeuClicks, 1);
}

TEST_F(FormTest, HookBeforeTheShortCutsAndMenuOpening) {
  std::vector<TShortCut> seen;
  form.OnBeforeShortCut = [&](TShortCut key) {
    seen.push_back(key);
    return key == TShortCut{VK_F3, ssShift};  // consumed, goes nowhere else
  };
  int openings = 0;
  form.OnMenuOpening = [&](TMenuItem& item) {
    if (&item == &form.MenuAkt) ++openings;
  };
  PressKey(VK_F3, ssShift);
  PressKey('B', ssCtrl);
  ASSERT_TRUE(PumpUntil([&] { return form.BearbeitenClicks == 1; }));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], (TShortCut{VK_F3, ssShift}));
  EXPECT_EQ(seen[1], (TShortCut{'B', ssCtrl}));
  SendMessageW(form.Handle(), WM_INITMENUPOPUP,
               reinterpret_cast<WPARAM>(form.MenuAkt.SubMenuHandle()), 0);
  EXPECT_EQ(openings, 1);
}

TEST_F(FormTest, TabAndEnterWorkInTheMainWindow) {
  PressKey(VK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form.CheckBox1.Handle(); }));
  PressKey(VK_RETURN);  // the default button
  ASSERT_TRUE(PumpUntil([&] { return form.Button2Clicks == 1; }));
  PressKey('N', ssAlt);  // the label's accelerator
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form.Edit1.Handle(); }));
}

TEST_F(FormTest, ActiveControlResetRunsOnEnterAgain) {
  int enters = 0;
  form.Edit1.OnEnter = [&] { ++enters; };
  form.Edit1.SetFocus();  // has the focus already: nothing new
  EXPECT_EQ(enters, 0);
  form.SetActiveControl(nullptr);
  form.SetActiveControl(&form.Edit1);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(form.ActiveControl(), &form.Edit1);
}

TEST_F(FormTest, TimerFiresWhileEnabled) {
  TTimer timer(10);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  const int stopped = ticks;
  TTimer later(60);
  bool laterFired = false;
  later.OnTimer = [&] { laterFired = true; };
  later.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return laterFired; }));
  EXPECT_EQ(ticks, stopped);
}

TEST_F(FormTest, AktFontAndColoursReachLabelsEditsAndCheckBoxesButNotButtons) {
  AktFont = TFont{};
  AktBackColor = 0x00F0CAA6;
  AktFont.Color = 0x00800000;
  ApplyAktAppearanceTree(form);

  HFONT font = reinterpret_cast<HFONT>(SendMessageW(form.Edit1.Handle(), WM_GETFONT, 0, 0));
  EXPECT_EQ(font, FontHandle(AktFont));
  TScreenDC dc;
  HGDIOBJ old = SelectObject(dc.Get(), font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc.Get(), LF_FACESIZE, face);
  SelectObject(dc.Get(), old);
  EXPECT_STREQ(face, L"Arial");

  struct TCase {
    TControl* control;
    UINT msg;
    bool coloured;
  };
  const TCase cases[] = {{&form.Label1, WM_CTLCOLORSTATIC, true},
                         {&form.Edit1, WM_CTLCOLOREDIT, true},
                         {&form.CheckBox1, WM_CTLCOLORSTATIC, true},
                         {&form.Button1, WM_CTLCOLORBTN, false}};
  for (const TCase& c : cases) {
    HDC memory = CreateCompatibleDC(dc.Get());
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        form.Handle(), c.msg, reinterpret_cast<WPARAM>(memory),
        reinterpret_cast<LPARAM>(c.control->Handle())));
    LOGBRUSH log{};
    if (brush) GetObjectW(brush, sizeof(log), &log);
    if (c.coloured) {
      EXPECT_EQ(log.lbColor, AktBackColor) << c.msg;
      EXPECT_EQ(GetTextColor(memory), AktFont.Color) << c.msg;
    } else {
      EXPECT_NE(brush, SolidBrush(AktBackColor));
    }
    DeleteDC(memory);
  }
  AktFont = TFont{};
  AktBackColor = clWhite;
}

TEST_F(FormTest, LabelAndEditFollowTheirFont) {
  TFont big;
  big.Size = 30;
  form.Label1.SetFont(big);
  form.Edit1.SetFont(big);
  const int height = FontTextHeight(FontHandle(big));
  EXPECT_EQ(form.Label1.Height(), height);
  EXPECT_EQ(form.Label1.Width(), TextExtent(FontHandle(big), u"Name:").cx);
  EXPECT_EQ(form.Edit1.Height(), height + 8);
}

TEST_F(FormTest, RadioGroupIsEnteredAtItsCheckedButtonAndArrowsChooseAnother) {
  int enters = 0, clicks = 0;
  form.RadioGroup1.OnEnter = [&] { ++enters; };
  form.RadioGroup1.OnClick = [&] { ++clicks; };
  form.RadioGroup1.SetItemIndex(1);
  form.Button2.SetFocus();
  PressKey(VK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return enters == 1; }));
  HWND checked = GetFocus();
  EXPECT_EQ(SendMessageW(checked, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(TextOf(checked), L"Sehr gut");
  PressKey(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), 2);
  EXPECT_EQ(enters, 1);  // moving inside the group is no new entry
}

TEST_F(FormTest, ScreenReadersNameAnEditByTheLabelBeforeIt) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  IAccessible* accessible = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(form.Edit1.Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                       IID_IAccessible, reinterpret_cast<void**>(&accessible)),
            S_OK);
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  EXPECT_EQ(accessible->get_accName(self, &name), S_OK);
  EXPECT_STREQ(name ? name : L"", L"Name:");
  SysFreeString(name);
  accessible->Release();
  CoUninitialize();
}

TEST_F(FormTest, OwnerDrawnStatusPanelsAnswerTheTextQueries) {
  form.StatusBar1.OwnerDraw = true;
  form.StatusBar1.SetPanelWidths({200, -1});
  form.StatusBar1.SetPanelText(0, u"Eintrag 1 von 3");
  form.StatusBar1.SetPanelText(1, u"Strg+N=Neu");
  HWND bar = form.StatusBar1.Handle();
  wchar_t text[64] = {};
  const LRESULT answer = SendMessageW(bar, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Strg+N=Neu");
  EXPECT_EQ(LOWORD(answer), 10);
  EXPECT_EQ(HIWORD(answer), 0);
  EXPECT_EQ(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0), 15);
  EXPECT_EQ(SendMessageW(bar, SB_GETTEXTLENGTHW, 2, 0), 0);  // no such panel
  std::vector<int> drawn;
  form.StatusBar1.OnDrawPanel = [&](HDC, int panel, const RECT&) { drawn.push_back(panel); };
  form.StatusBar1.Redraw();
  UpdateWindow(bar);
  EXPECT_EQ(drawn, (std::vector<int>{0, 1}));
}

TEST_F(FormTest, ScrollBoxScrollsAControlIntoView) {
  TScrollBox box(&form);
  box.SetBounds(300, 10, 150, 100);
  TEdit deep(&box);
  deep.SetBounds(10, 400, 100, deep.Height());
  ASSERT_TRUE(box.HandleAllocated());
  box.ScrollControlIntoView(deep);
  EXPECT_GT(box.ScrollPosition().y, 0);
  EXPECT_GE(deep.Top(), 0);
  EXPECT_LE(deep.Top() + deep.Height(), box.ClientHeight());
  box.ScrollTo(0, 0);
  EXPECT_EQ(deep.Top(), 400);
}

TEST_F(FormTest, ExceptionInAHandlerStaysOutOfWindows) {
  std::string reported;
  SetExceptionHandler([&](const char* what) { reported = what ? what : ""; });
  form.Button1.OnClick = [] { throw std::runtime_error("kaputt"); };
  SendMessageW(form.Button1.Handle(), BM_CLICK, 0, 0);
  SetExceptionHandler(nullptr);
  EXPECT_EQ(reported, "kaputt");
  EXPECT_TRUE(IsWindow(form.Handle()));
}

}  // namespace
