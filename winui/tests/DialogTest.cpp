// Modal dialogs driven by real key presses from a second thread while the dialog
// manager runs its loop on the test's thread.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "winui/tests/TestWindows.h"
#include "winui/Form.h"
#include "winui/Modal.h"
#include "winui/ScriptedPrompt.h"

using namespace winui;
using namespace winui::test;

namespace {

class TOwnerForm : public TMainForm {
 public:
  TEdit EditA{this};
  TEdit EditB{this};
  TOwnerForm() { IsMainForm = false; }
  ~TOwnerForm() override { DestroyHandle(); }
  void FormCreate() override {
    SetCaption(u"Besitzer");
    SetBounds(40, 40, 520, 320);
    EditA.SetBounds(10, 10, 200, EditA.Height());
    EditB.SetBounds(10, 50, 200, EditB.Height());
  }
};

// Built like the program's dialogs: fields in a content box, buttons in a button box.
class TFieldDialog : public TDialogForm {
 public:
  TScrollBox Content{this};
  TScrollBox ButtonArea{this};
  TLabel LabelAutor{&Content};
  TEdit EditAutor{&Content};
  TEdit EditTitel{&Content};
  TLabel LabelTitel{&Content};  // made after its field: FocusControl still puts it first
  TButton ButtonOk{&ButtonArea};
  TButton ButtonCancel{&ButtonArea};
  TPopupMenu EditMenu;
  TMenuItem MenuKopieren{u"&Kopieren", TShortCut{'K', ssCtrl}};
  TMenuItem MenuLoeschen{u"&Löschen", TShortCut{'L', ssCtrl}};

  std::atomic<int> EnterAutor{0}, ExitAutor{0}, EnterTitel{0}, ExitTitel{0};
  std::atomic<int> OkClicks{0}, CancelClicks{0}, CloseQueries{0}, MenuClicks{0},
      DisabledClicks{0};
  int RefuseCloses = 0;
  std::atomic<HWND> Window{nullptr}, Autor{nullptr}, Titel{nullptr}, LabelTitelWindow{nullptr},
      OkWindow{nullptr};

  explicit TFieldDialog(TCustomForm* owner) : TDialogForm(owner) {}

  void FormCreate() override {
    SetCaption(u"Eintrag");
    SetBounds(120, 120, 420, 260);
    Content.SetBounds(10, 10, 380, 120);
    ButtonArea.SetBounds(10, 140, 380, 60);
    LabelAutor.SetCaption(u"A&utor:");
    LabelAutor.FocusControl = &EditAutor;
    LabelAutor.SetBounds(0, 0, LabelAutor.Width(), LabelAutor.Height());
    EditAutor.SetBounds(0, 20, 200, EditAutor.Height());
    LabelTitel.SetCaption(u"&Titel:");
    LabelTitel.FocusControl = &EditTitel;
    LabelTitel.SetBounds(0, 50, LabelTitel.Width(), LabelTitel.Height());
    EditTitel.SetBounds(0, 70, 200, EditTitel.Height());
    ButtonOk.SetCaption(u"O&K");
    ButtonOk.SetDefault(true);
    ButtonOk.ModalResult = mrOk;
    ButtonOk.SetBounds(0, 0, 100, 30);
    ButtonOk.OnClick = [this] { ++OkClicks; };
    ButtonCancel.SetCaption(u"&Abbrechen");
    ButtonCancel.SetCancel(true);
    ButtonCancel.ModalResult = mrCancel;
    ButtonCancel.SetBounds(110, 0, 100, 30);
    ButtonCancel.OnClick = [this] { ++CancelClicks; };
    EditAutor.OnEnter = [this] { ++EnterAutor; };
    EditAutor.OnExit = [this] { ++ExitAutor; };
    EditTitel.OnEnter = [this] { ++EnterTitel; };
    EditTitel.OnExit = [this] { ++ExitTitel; };
    EditMenu.Items.Add(MenuKopieren);
    EditMenu.Items.Add(MenuLoeschen);
    MenuKopieren.OnClick = [this] { ++MenuClicks; };
    MenuLoeschen.OnClick = [this] { ++DisabledClicks; };
    MenuLoeschen.SetEnabled(false);
    EditAutor.PopupMenu = &EditMenu;
  }
  void FormShow() override {
    Autor = EditAutor.Handle();
    Titel = EditTitel.Handle();
    LabelTitelWindow = LabelTitel.Handle();
    OkWindow = ButtonOk.Handle();
    EditAutor.SetFocus();
    Window = Handle();
  }
  void FormCloseQuery(bool& CanClose) override {
    ++CloseQueries;
    if (RefuseCloses > 0) {
      --RefuseCloses;
      CanClose = false;
    }
  }
  void FormClose() override { Window = nullptr; }
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.Create();
    owner.Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(owner.Handle()) != FALSE; }));
    owner.EditB.SetFocus();
    dialog.Create();
  }

  // Shows the dialog; script runs on a second thread once the dialog is up with the
  // focus in the author field. Failed steps are collected in errors.
  TModalResult RunDialog(const std::function<void()>& script) {
    std::thread driver([&] {
      // The dialog manager shows the window only once its queue is empty.
      if (Step([&] {
            HWND w = dialog.Window;
            return w && IsWindowVisible(w) && FocusOf(ui) == dialog.Autor;
          }, "dialog open")) {
        script();
      }
      // Never leave the dialog hanging: a failed script still closes it.
      if (!WaitFor([&] { return dialog.Window == nullptr; }, 3000)) {
        errors.push_back("dialog still open after the script");
        PostMessageW(dialog.Window, WM_COMMAND, IDCANCEL, 0);
      }
    });
    const TModalResult result = dialog.ShowModal();
    driver.join();
    return result;
  }

  // A key press that must move the focus to target.
  bool KeyTo(WORD key, TShiftState modifiers, const std::atomic<HWND>& target,
             const std::string& what) {
    PressKey(key, modifiers);
    return Step([&] { return FocusOf(ui) == target; }, what);
  }

  bool Step(const std::function<bool()>& cond, const std::string& what) {
    if (WaitFor(cond)) return true;
    errors.push_back("timed out: " + what);
    return false;
  }

  const DWORD ui = GetCurrentThreadId();
  TScriptedPrompt prompt;  // no prompt is expected: any would fail the test
  TOwnerForm owner;
  TFieldDialog dialog{&owner};
  std::vector<std::string> errors;
};

TEST_F(DialogTest, TabMovesOnAndEnterPressesTheNestedDefaultButton) {
  const TModalResult result = RunDialog([&] {
    KeyTo(VK_TAB, 0, dialog.Titel, "Tab to the title");
    PressKey(VK_RETURN);
  });
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(dialog.OkClicks, 1);
  // One Enter and one Exit per focus change.
  EXPECT_EQ(dialog.EnterAutor, 1);
  EXPECT_EQ(dialog.ExitAutor, 1);
  EXPECT_EQ(dialog.EnterTitel, 1);
  EXPECT_EQ(dialog.ExitTitel, 0);
}

TEST_F(DialogTest, LabelAcceleratorsFocusTheirFieldsAndEscapeCancels) {
  const TModalResult result = RunDialog([&] {
    KeyTo('T', ssAlt, dialog.Titel, "Alt+T to the title");
    KeyTo('U', ssAlt, dialog.Autor, "Alt+U to the author");
    PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(dialog.CancelClicks, 1);
  EXPECT_EQ(dialog.OkClicks, 0);
  EXPECT_EQ(dialog.EnterAutor, 2);
  EXPECT_EQ(dialog.EnterTitel, 1);
}

TEST_F(DialogTest, OwnerIsDisabledAndCountedWhileOpenAndGetsItsFocusBack) {
  int begins = 0, ends = 0;
  SetModalCallbacks([&] { ++begins; }, [&] { ++ends; });
  std::atomic<bool> ownerEnabled{true};
  std::atomic<unsigned> level{0};
  EXPECT_EQ(ModalLevel(), 0u);
  RunDialog([&] {
    ownerEnabled = IsWindowEnabled(owner.Handle()) != FALSE;
    level = ModalLevel();
    PressKey(VK_ESCAPE);
  });
  SetModalCallbacks(nullptr, nullptr);
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(level, 1u);
  EXPECT_EQ(ModalLevel(), 0u);
  EXPECT_EQ(begins, 1);
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(GetFocus(), owner.EditB.Handle());
}

TEST_F(DialogTest, DisabledDefaultButtonIgnoresEnter) {
  dialog.ButtonOk.SetEnabled(false);
  const TModalResult result = RunDialog([&] {
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);  // handled after the Enter
  });
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(dialog.OkClicks, 0);
}

TEST_F(DialogTest, RefusedCloseKeepsTheDialogOpen) {
  dialog.RefuseCloses = 1;
  const TModalResult result = RunDialog([&] {
    PressKey(VK_RETURN);
    Step([&] { return dialog.CloseQueries == 1; }, "first close query");
    if (!dialog.Window || !IsWindowVisible(dialog.Window)) errors.push_back("closed too early");
    PressKey(VK_RETURN);
  });
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(dialog.CloseQueries, 2);
  EXPECT_EQ(dialog.OkClicks, 2);
}

TEST_F(DialogTest, FieldsKeepTheirTextBetweenShowings) {
  RunDialog([&] {
    SendMessageW(dialog.Autor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Kafka"));
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(dialog.EditAutor.Text(), u"Kafka");
  std::wstring shown;
  RunDialog([&] {
    shown = TextOf(dialog.Autor);
    PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(shown, L"Kafka");
  EXPECT_EQ(dialog.EnterAutor, 2);  // each showing announces the first field again
}

TEST_F(DialogTest, TabOrderIsSetPerControlAndLabelsStayBeforeTheirFields) {
  dialog.EditTitel.SetTabOrder(0);
  HWND beforeTitel = nullptr;
  RunDialog([&] {
    beforeTitel = GetWindow(dialog.Titel, GW_HWNDPREV);
    KeyTo(VK_TAB, 0, dialog.OkWindow, "Tab from the author to OK");
    KeyTo(VK_TAB, ssShift, dialog.Autor, "Shift+Tab back to the author");
    KeyTo(VK_TAB, ssShift, dialog.Titel, "Shift+Tab to the title");
    PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(dialog.EditTitel.TabOrder(), 0);
  EXPECT_EQ(dialog.EditAutor.TabOrder(), 1);
  EXPECT_EQ(beforeTitel, dialog.LabelTitelWindow);
}

TEST_F(DialogTest, ShortCutRunsItsItemOnlyWhileEnabled) {
  RunDialog([&] {
    PressKey('K', ssCtrl);
    Step([&] { return dialog.MenuClicks == 1; }, "Ctrl+K runs the item");
    PressKey('L', ssCtrl);  // disabled
    PressKey('K', ssCtrl);
    Step([&] { return dialog.MenuClicks == 2; }, "Ctrl+K again");
    PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(dialog.MenuClicks, 2);  // once per press, though several loops offer each key
  EXPECT_EQ(dialog.DisabledClicks, 0);
}

}  // namespace
