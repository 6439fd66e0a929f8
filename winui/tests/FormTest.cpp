// The main form and the plain controls: menus, timers, appearance, the status line's
// text queries, the scroll box and the exception boundary.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <richedit.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "winui/FontCache.h"
#include "winui/Timer.h"
#include "winui/Win32Util.h"
#include "winui/tests/TestForm.h"

using namespace winui;
using namespace winui::test;

namespace {

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

TEST_F(FormTest, ScreenReadersNameAnEditByTheLabelBeforeIt) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  IAccessible* accessible = nullptr;
  ASSERT_EQ(
      AccessibleObjectFromWindow(form.Edit1.Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                 __uuidof(IAccessible), reinterpret_cast<void**>(&accessible)),
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

TEST_F(FormTest, UpDownReportsStepsAndCanRefuseThePositionChange) {
  TUpDown arrows(&form);
  arrows.SetRange(0, 1);
  arrows.Wrap = true;
  std::vector<int> steps;
  bool allow = false;
  arrows.OnChanging = [&](int delta) {
    steps.push_back(delta);
    return allow;
  };
  arrows.SetBounds(520, 150, 20, 40);
  const auto click = [&](int y) {
    SendMessageW(arrows.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
    SendMessageW(arrows.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, y));
  };
  click(5);   // upper arrow
  click(35);  // lower arrow
  EXPECT_EQ(steps, (std::vector<int>{1, -1}));
  EXPECT_EQ(arrows.Position(), 0);
  allow = true;
  click(5);
  EXPECT_EQ(arrows.Position(), 1);
}

TEST_F(FormTest, ExtraMessagesReachTheirHandlers) {
  std::wstring received;
  form.SetMessageHandler(WM_COPYDATA, [&](WPARAM, LPARAM lParam) -> LRESULT {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    received.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    return TRUE;
  });
  constexpr UINT kPrivate = WM_APP + 7;
  form.SetMessageHandler(kPrivate, [](WPARAM wParam, LPARAM) -> LRESULT { return wParam * 2; });
  const std::wstring path = L"C:\\Listen\\Sommer.tvd";
  COPYDATASTRUCT data{1, static_cast<DWORD>(path.size() * sizeof(wchar_t)),
                      const_cast<wchar_t*>(path.c_str())};
  EXPECT_EQ(SendMessageW(form.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), TRUE);
  EXPECT_EQ(received, path);
  EXPECT_EQ(SendMessageW(form.Handle(), kPrivate, 21, 0), 42);
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
