// The details viewer shown over an owner window and driven by real key presses from a
// second thread while its dialog loop runs on the test's thread. Questions, file and print
// dialogs go to the scripted prompt.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/ReAnsicht.h"
#include "winui/ScriptedPrompt.h"

namespace tvn::test {

class TViewerOwner : public winui::TMainForm {
 public:
  TViewerOwner() { IsMainForm = false; }
  ~TViewerOwner() override { DestroyHandle(); }
  void FormCreate() override;
};

// Hands the window over to the driving thread once it is shown.
class TTestReAnsichtForm : public TReAnsichtForm {
 public:
  using TReAnsichtForm::TReAnsichtForm;
  void FormShow() override;
  void FormClose() override;
  std::atomic<HWND> Window{nullptr};
  std::function<void()> OnShown;  // after the showing, on the dialog's thread
};

// One item of the popup menu as it was shown.
struct TPopupItem {
  std::wstring Caption;
  bool Enabled = false;
};

class ReAnsichtTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Shows the details; script runs on a second thread once the dialog is in front with
  // the focus in the text field. The dialog is closed in any case afterwards.
  void Run(const std::u16string& caption, const std::u16string& text,
           const std::function<void()>& script);

  // Script steps (driving thread). Each notes a failure and returns false on timeout.
  bool Step(const std::function<bool()>& cond, const std::string& what, int timeoutMs = 5000);
  void Key(WORD key, winui::TShiftState modifiers = 0);
  bool FocusIs(const winui::TControl& control) const;
  bool WaitForFocus(const winui::TControl& control, const std::string& what);
  bool WaitForText(const std::u16string& text, const std::string& what);
  std::u16string FieldText() const;
  bool IsEnabled(const winui::TControl& control) const;
  // Opens the popup menu with the context-menu key, reads its items, then presses
  // closeKey in it (Esc closes it, a letter chooses an item).
  std::vector<TPopupItem> Popup(WORD closeKey = VK_ESCAPE);
  bool DialogOpen() const;

  // Queues an answer for a message box; each is counted as it comes.
  void AnswerMessage(winui::TModalResult result);
  bool WaitForMessages(size_t count, const std::string& what);
  std::vector<winui::TPromptRecord> Records(winui::TPromptType type) const;
  void ExpectNoErrors() const;

  const DWORD ui = GetCurrentThreadId();
  winui::TScriptedPrompt prompt;
  TViewerOwner owner;
  TTestReAnsichtForm form{&owner};
  std::vector<std::string> errors;

 private:
  void BringToFront();
  std::atomic<size_t> FMessageCount{0};
};

// Which of the items are enabled, by position.
std::vector<bool> EnabledItems(const std::vector<TPopupItem>& items);

}  // namespace tvn::test
