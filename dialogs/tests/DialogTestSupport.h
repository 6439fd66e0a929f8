// A dialog shown over an owner window and driven by real key presses from a second thread
// while its dialog loop runs on the test's thread. Message boxes go to the scripted
// prompt, which notes their texts and answers OK.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "winui/Form.h"
#include "winui/ScriptedPrompt.h"

namespace tvn::test {

class TOwnerForm : public winui::TMainForm {
 public:
  TOwnerForm() { IsMainForm = false; }
  ~TOwnerForm() override { DestroyHandle(); }
  void FormCreate() override;
};

// Hands the window over to the driving thread once it is shown.
template <class TDialog>
class TShownDialog : public TDialog {
 public:
  using TDialog::TDialog;
  void FormShow() override {
    TDialog::FormShow();
    Window = this->Handle();
    if (OnShown) OnShown();
  }
  void FormClose() override {
    TDialog::FormClose();
    Window = nullptr;
  }
  std::atomic<HWND> Window{nullptr};
  std::function<void()> OnShown;  // after the layout of a showing, on the dialog's thread
};

class DialogKeysTest : public ::testing::Test {
 protected:
  void SetUp() override;  // the owner is shown
  void TearDown() override;

  // Shows the dialog; script runs on a second thread once the dialog is in front with
  // the focus in firstFocus (or inside it). The dialog is closed in any case afterwards.
  winui::TModalResult RunDialog(winui::TDialogForm& dialog, const std::atomic<HWND>& window,
                                const winui::TControl& firstFocus,
                                const std::function<void()>& script);

  // Script steps (driving thread). Each notes a failure and returns false on timeout.
  bool Step(const std::function<bool()>& cond, const std::string& what, int timeoutMs = 5000);
  void Key(WORD key, winui::TShiftState modifiers = 0);
  // Letters, digits and blanks as their keys (letters come out in lower case).
  void Type(std::string_view text);
  bool KeyTo(WORD key, winui::TShiftState modifiers, const winui::TControl& target,
             const std::string& what);
  // The focus is on the control or on a window inside it (a radio group's button).
  bool FocusIs(const winui::TControl& control) const;
  bool WaitForFocus(const winui::TControl& control, const std::string& what);
  // Waits for the n-th message box (counted from 1) and then for the focus it leaves.
  bool WaitForMessage(size_t n, const winui::TControl& focus, const std::string& what);
  std::wstring TextOf(const winui::TControl& control) const;
  bool IsChecked(const winui::TControl& box) const;

  // Queues OK answers for that many message boxes; each is counted as it comes.
  void AnswerMessages(int count);
  // After the run: the texts of the boxes shown, each checked to be an information box
  // with one OK button.
  std::vector<std::u16string> Messages() const;
  void ExpectNoErrors() const;

  const DWORD ui = GetCurrentThreadId();
  winui::TScriptedPrompt prompt;
  TOwnerForm owner;
  std::vector<std::string> errors;

 private:
  std::atomic<size_t> FMessageCount{0};
};

// The names a screen reader reads for the windows, asked for from another process
// through Active Accessibility (winui::test::ReadFromOtherProcess).
std::vector<std::u16string> AccessibleNames(const std::vector<HWND>& windows);
// The radio buttons of a radio group, without its frame.
std::vector<HWND> RadioButtons(const winui::TControl& group);

}  // namespace tvn::test
