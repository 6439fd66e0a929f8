// The search commands of the main window under real key presses: Ctrl+F with the search
// dialog, F3 and Shift+F3 searching again, the reports at either end of the list and the
// enabling of "&Weitersuchen". The keys come from a second thread while this thread
// handles the windows' messages; message boxes go to the scripted prompt.
#include <windows.h>

#include <atomic>
#include <cctype>
#include <functional>
#include <string>
#include <thread>

#include "dialogs/Suchen.h"
#include "mainwindow/StatusZeile.h"
#include "mainwindow/tests/HauptTestSupport.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {
namespace {

using winui::ssAlt;
using winui::ssCtrl;
using winui::ssShift;
using winui::test::PressKey;

constexpr std::u16string_view kAnfang = u"Daten wurden bis zum Anfang durchsucht!";
constexpr std::u16string_view kEnde = u"Daten wurden bis zum Ende durchsucht!";

class SearchKeys : public MainWindowTest {
 protected:
  // Runs script on a second thread while this one handles messages; the main window is
  // in front with the focus in the list first.
  void Keys(const std::function<void()>& script) {
    form->ListView1.SetFocus();
    std::atomic<bool> done{false};
    std::thread driver([&] {
      ToFront(form->Handle());
      script();
      // A dialog the script left open would keep this thread in its loop.
      TSuchenForm& dialog = *form->SuchenForm;
      if (dialog.HandleAllocated() && IsWindowVisible(dialog.Handle())) {
        errors.push_back("the search dialog was left open");
        PostMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
      }
      done = true;
    });
    // Every step has its own time limit: the script ends, and the driver may be waiting
    // for an answer from this thread's windows meanwhile.
    while (!done) PumpUntil([&] { return done.load(); }, 1000);
    driver.join();
    Pump();
    for (const std::string& error : errors) ADD_FAILURE() << error;
    errors.clear();
  }

  // Script steps (driving thread): each notes a failure and returns false on timeout.
  bool Step(const std::function<bool()>& cond, const std::string& what) {
    if (winui::test::WaitFor(cond, 5000)) return true;
    errors.push_back("timed out: " + what);
    return false;
  }
  static void ToFront(HWND window) {
    // Without a window manager a new window does not come to the front by itself.
    for (int attempt = 0; attempt < 3 && GetForegroundWindow() != window; ++attempt) {
      SetForegroundWindow(window);
      winui::test::WaitFor([&] { return GetForegroundWindow() == window; }, 1000);
    }
  }
  static void Type(std::string_view text) {
    for (char c : text) PressKey(static_cast<WORD>(std::toupper(static_cast<unsigned char>(c))));
  }
  bool Focused(int row) { return form->ItemIndex() == row; }
  bool KeyToRow(WORD key, winui::TShiftState modifiers, int row, const std::string& what) {
    PressKey(key, modifiers);
    return Step([&] { return Focused(row); }, what);
  }
  // The n-th message box (counted from 1) has come.
  bool KeyToMessage(WORD key, winui::TShiftState modifiers, size_t n, const std::string& what) {
    PressKey(key, modifiers);
    return Step([&] { return FMessages >= n; }, what);
  }
  void AnswerMessages(int count) {
    for (int i = 0; i < count; ++i) {
      prompt->AnswerMessage([this](const winui::TMessageRequest&) {
        ++FMessages;
        return winui::mrOk;
      });
    }
  }
  // The texts of the boxes shown, each checked to be an information box with one OK button.
  std::vector<std::u16string> Messages() const {
    std::vector<std::u16string> texts;
    for (const winui::TPromptRecord& record : prompt->Records()) {
      EXPECT_EQ(record.Message.Kind, winui::TMsgKind::Information);
      EXPECT_EQ(record.Message.Buttons, winui::mbOK);
      texts.push_back(record.Message.Text);
    }
    return texts;
  }

  // Ctrl+F, then the dialog steps, then Enter (or Esc); back in the list afterwards.
  void SearchDialog(const std::function<void()>& steps, bool AOk = true) {
    PressKey('F', ssCtrl);
    TSuchenForm& dialog = *form->SuchenForm;
    if (!Step([&] { return dialog.HandleAllocated() && IsWindowVisible(dialog.Handle()); },
              "search dialog shown"))
      return;
    ToFront(dialog.Handle());
    const HWND group = dialog.RadioGroup1.Handle();
    if (!Step(
            [&] {
              const HWND focus = winui::test::FocusOf(ui);
              return focus == group || IsChild(group, focus);
            },
            "the mode group has the focus"))
      return;
    steps();
    if (AOk) {
      const HWND ok = dialog.Button1.Handle();
      Step([&] { return IsWindowEnabled(ok) != FALSE; }, "OK enabled");
    }
    PressKey(AOk ? VK_RETURN : VK_ESCAPE);
    Step([&] { return !IsWindowVisible(dialog.Handle()); }, "search dialog closed");
  }
  void TypeSearchText(std::string_view text) {
    const HWND edit = form->SuchenForm->Edit1.Handle();
    PressKey('X', ssAlt);
    Step([&] { return winui::test::FocusOf(ui) == edit; }, "Alt+X to the search text");
    Type(text);
    Step([&] { return GetWindowTextLengthW(edit) == static_cast<int>(text.size()); },
         "search text typed");
  }

  const DWORD ui = GetCurrentThreadId();
  std::vector<std::string> errors;
  std::atomic<size_t> FMessages{0};
};

TEST_F(SearchKeys, F3AtTheLastEntryReportsTheEndAndShiftF3AtTheFirstTheBeginning) {
  ShowListe({u"A", u"B", u"C"});
  Mark({0}, 0);
  AnswerMessages(2);
  std::vector<int> marked;
  Keys([&] {
    SearchDialog([&] { TypeSearchText("titel"); });  // every entry matches
    Step([&] { return form->SchonGesuchtS; }, "the dialog was confirmed");
    KeyToRow(VK_F3, 0, 1, "F3 to the next entry");
    KeyToRow(VK_END, 0, 2, "End to the last entry");
    KeyToMessage(VK_F3, 0, 1, "F3 at the last entry");
    KeyToRow(VK_HOME, 0, 0, "Home to the first entry");
    KeyToMessage(VK_F3, ssShift, 2, "Shift+F3 at the first entry");
  });
  EXPECT_EQ(Messages(),
            (std::vector<std::u16string>{std::u16string(kEnde), std::u16string(kAnfang)}));
  EXPECT_EQ(form->ItemIndex(), 0);
  EXPECT_EQ(MarkedAuthors(*form), std::vector<std::u16string>{u"A"});
}

TEST_F(SearchKeys, BackwardInTheDialogMakesF3SearchBackwardAndShiftF3Too) {
  ShowListe({u"A", u"B", u"C", u"D"});
  Mark({3}, 3);
  AnswerMessages(1);
  Keys([&] {
    SearchDialog([&] {
      TypeSearchText("titel");
      PressKey('R', ssAlt);
      Step([&] { return form->SuchenForm->RadioGroup2.ItemIndex() == 1; }, "Alt+R: backward");
    });
    // The first search includes the focused entry.
    Step([&] { return form->SchonGesuchtS && Focused(3); }, "found the focused entry");
    KeyToRow(VK_F3, 0, 2, "F3 backward");
    KeyToRow(VK_F3, ssShift, 1, "Shift+F3 backward");
    KeyToRow(VK_F3, 0, 0, "F3 backward again");
    KeyToMessage(VK_F3, 0, 1, "F3 off the beginning");
  });
  EXPECT_EQ(Messages(), std::vector<std::u16string>{std::u16string(kAnfang)});
  EXPECT_EQ(MarkedAuthors(*form), std::vector<std::u16string>{u"A"});
}

TEST_F(SearchKeys, WeitersuchenIsDisabledUntilTheDialogIsConfirmedOnce) {
  auto enabling = [&] {
    form->MenuSuchen.OnPopup();
    return std::pair{form->MenuSuchenSuchen.Enabled(), form->MenuSuchenWeiter.Enabled()};
  };
  EXPECT_EQ(enabling(), (std::pair{false, false}));  // an empty list
  ShowListe({u"A", u"B"});
  Mark({0}, 0);
  EXPECT_EQ(enabling(), (std::pair{true, false}));
  Keys([&] {
    PressKey(VK_F3);
    PressKey(VK_F3, ssShift);
    SearchDialog([&] { TypeSearchText("titel"); }, false);
  });
  EXPECT_FALSE(form->SchonGesuchtS);
  EXPECT_EQ(form->ItemIndex(), 0);
  EXPECT_TRUE(prompt->Records().empty());
  EXPECT_EQ(enabling(), (std::pair{true, false}));
  EXPECT_EQ(form->SuchenForm->Edit1.Text(), u"");  // cancelled: the text of before
  Keys([&] {
    SearchDialog([&] { TypeSearchText("titel"); });
    KeyToRow(VK_F3, 0, 1, "F3 once the dialog was confirmed");
  });
  EXPECT_TRUE(form->SchonGesuchtS);
  EXPECT_EQ(enabling(), (std::pair{true, true}));
}

TEST_F(SearchKeys, ATextSearchFindsAWordThatOnlyTheInfosHoldAndHonoursCase) {
  TDaten daten = Liste({u"A", u"B", u"C"});
  daten.Liste[2].Infos = u"Erster Teil\r\nMit Musik";
  form->Daten = daten;
  form->Daten.Sort(form->SortNr(), form->SortAufS());
  form->SetLvDaten(0);
  Mark({0}, 0);
  AnswerMessages(1);
  Keys([&] {
    SearchDialog([&] { TypeSearchText("musik"); });
    Step([&] { return Focused(2); }, "found in the infos");
  });
  EXPECT_EQ(MarkedAuthors(*form), std::vector<std::u16string>{u"C"});
  EXPECT_EQ(PanelText(form->StatusBar1, 0), StatusZeileText(3, 3, 1));
  EXPECT_TRUE(prompt->Records().empty());
  Keys([&] {
    KeyToRow(VK_HOME, 0, 0, "Home to the first entry");
    SearchDialog([&] {
      PressKey('O', ssAlt);
      Step([&] { return form->SuchenForm->CheckBox2.Checked(); }, "Alt+O: case-sensitive");
    });
    Step([&] { return FMessages >= 1; }, "the search ran off the end");
  });
  EXPECT_EQ(Messages(), std::vector<std::u16string>{std::u16string(kEnde)});
  EXPECT_EQ(form->ItemIndex(), 0);
}

}  // namespace
}  // namespace tvn::test
