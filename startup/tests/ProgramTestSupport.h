// Tests that start the real Tavorin.exe beside the test program: starting and ending it,
// finding its windows and reading them from outside, as another program (or a screen
// reader) does. The instances share the mutex, the command key and the settings file of
// the Wine prefix, so these tests never run in parallel.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/tests/TestData.h"
#include "startup/tests/StartupTestSupport.h"

namespace tvn::test {

std::u16string ProgramPath();

struct TStarted {
  PROCESS_INFORMATION Info{};
  bool Running() const { return WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT; }
};

// The visible top-level window of a process whose caption marks a running Tavorin.
HWND ProgramWindowOf(DWORD processId);
// WM_GETTEXT across processes.
std::u16string WindowText(HWND window);
// A visible dialog-class window of the thread that shows the text in one of its controls,
// or (caption true) as its caption.
HWND DialogWithText(DWORD threadId, const std::u16string& text, bool caption = false);
// The first descendant of the window of that class whose text is the given one (any text
// when empty).
HWND ChildOfClass(HWND parent, const std::wstring& className, const std::u16string& text = {});
// "<name> - Tavorin V1.13"
std::u16string CaptionFor(const std::u16string& name);

class ProgramTest : public ::testing::Test {
 protected:
  // Skips when another Tavorin runs; keeps the settings file to put it back afterwards.
  void SetUp() override;
  // Ends what the test started and puts the settings back.
  void TearDown() override;

  // A start as on a new machine: no settings (TearDown puts the kept ones back).
  void RemoveSettings();
  TStarted& Start(const std::vector<std::u16string>& arguments, const std::u16string& folder);
  // Closes the program as the user would; only a program that does not end goes by force.
  static void End(TStarted& p);

  TempDir Dir;

 private:
  std::deque<TStarted> FStarted;  // references to them stay valid
  std::unique_ptr<TSettingsFileGuard> FSettings;
};

}  // namespace tvn::test
