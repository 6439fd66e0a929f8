// Real key presses in the main form: shortcuts, Tab and Enter, label accelerators, the
// radio group, the RichEdit and the drop-down list.
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

class KeyboardTest : public FormTest {};

TEST_F(KeyboardTest, ShortCutRunsTheMenuItemOnlyWhenEnabled) {
  PressKey('N', ssCtrl);
  ASSERT_TRUE(PumpUntil([&] { return form.NeuClicks == 1; }));
  form.MenuNeu.SetEnabled(false);
  PressKey('N', ssCtrl);
  PressKey('B', ssCtrl);  // handled after the Ctrl+N before it
  ASSERT_TRUE(PumpUntil([&] { return form.BearbeitenClicks == 1; }));
  EXPECT_EQ(form.NeuClicks, 1);
}

TEST_F(KeyboardTest, HookBeforeTheShortCutsAndMenuOpening) {
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

TEST_F(KeyboardTest, TabAndEnterWorkInTheMainWindow) {
  PressKey(VK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form.CheckBox1.Handle(); }));
  PressKey(VK_RETURN);  // the default button
  ASSERT_TRUE(PumpUntil([&] { return form.Button2Clicks == 1; }));
  PressKey('N', ssAlt);  // the label's accelerator
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form.Edit1.Handle(); }));
}

TEST_F(KeyboardTest, RadioGroupIsEnteredAtItsCheckedButtonAndArrowsChooseAnother) {
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

TEST_F(KeyboardTest, RichEditKeepsPlainTextWithLineBreaksAndLeavesTabToTheForm) {
  TRichEdit rich(&form);
  rich.SetMaxLength(2048);
  rich.SetBounds(250, 150, 300, 120);
  ASSERT_TRUE(rich.HandleAllocated());
  EXPECT_EQ(SendMessageW(rich.Handle(), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT, TM_PLAINTEXT);
  const std::u16string text = u"Erste Zeile\r\nZweite Zeile\fSeite zwei";
  rich.SetText(text);
  EXPECT_EQ(rich.Text(), text);
  rich.SetFocus();
  SendMessageW(rich.Handle(), EM_SETSEL, -1, -1);
  PressKey(VK_RETURN);  // a new line, not the default button
  PressKey(VK_TAB);     // leaves the field
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() != rich.Handle(); }));
  EXPECT_EQ(rich.Text(), text + u"\r\n");
  EXPECT_EQ(form.Button2Clicks, 0);
}

TEST_F(KeyboardTest, DropDownListKeepsItsItemsAndReportsTheUsersChoice) {
  TComboBox combo(&form);
  combo.SetItems({u"Schwarz", u"Weiß", u"Gelb"});
  combo.SetItemIndex(1);
  combo.SetBounds(250, 150, 150, 24);
  ASSERT_TRUE(combo.HandleAllocated());
  EXPECT_EQ(combo.Text(), u"Weiß");
  int changes = 0;
  combo.OnChange = [&] { ++changes; };
  combo.SetFocus();
  PressKey(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return changes == 1; }));
  EXPECT_EQ(combo.ItemIndex(), 2);
  EXPECT_EQ(combo.Text(), u"Gelb");
}

TEST_F(KeyboardTest, ContextMenuKeyOpensThePopupAndRunsTheChosenItem) {
  TPopupMenu popup;
  TMenuItem kopieren{u"&Kopieren"}, einfuegen{u"&Einfügen"};
  popup.Items.Add(kopieren);
  popup.Items.Add(einfuegen);
  int opened = 0, pasted = 0;
  TControl* openedOn = nullptr;
  popup.OnPopup = [&] {
    ++opened;
    openedOn = popup.PopupComponent();
    kopieren.SetEnabled(false);  // as the dialogs refresh their items on opening
  };
  einfuegen.OnClick = [&] { ++pasted; };
  form.Edit1.PopupMenu = &popup;
  PressKey(VK_APPS);
  PressKey('E');  // the accelerator of the enabled item
  ASSERT_TRUE(PumpUntil([&] { return pasted == 1; }));
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(openedOn, &form.Edit1);
}

}  // namespace
