// The main form of the form tests: a few controls, a status line and a menu with two
// shortcuts, shown and active before each test.
#pragma once

#include <gtest/gtest.h>

#include "winui/Form.h"
#include "winui/ScriptedPrompt.h"
#include "winui/StatusBar.h"
#include "winui/tests/TestWindows.h"

namespace winui::test {

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
  ~TTestForm() override { DestroyHandle(); }
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

}  // namespace winui::test
