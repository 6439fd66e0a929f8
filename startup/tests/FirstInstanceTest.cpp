// The first instance's run in this process, as the program entry runs it: what a window
// of the program copies stays on the clipboard once the program has ended.
#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <cstring>

#include "data/tests/TestData.h"
#include "mainwindow/WindowCaption.h"
#include "platform/Utf16.h"
#include "startup/FirstInstance.h"
#include "startup/KxRegistry.h"
#include "startup/ProgramWindow.h"
#include "startup/tests/StartupTestSupport.h"
#include "winui/ScriptedPrompt.h"

namespace tvn {
namespace {

const wchar_t* W(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}

std::u16string ClipboardText() {
  std::u16string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void SetClipboardText(const std::u16string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(char16_t);
  if (HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::memcpy(GlobalLock(data), text.c_str(), bytes);
    GlobalUnlock(data);
    if (!SetClipboardData(CF_UNICODETEXT, data)) GlobalFree(data);
  }
  CloseClipboard();
}

// What runs inside the program's message loop, on its user-interface thread.
struct TCopyInsideTheProgram {
  std::u16string Text;
  bool Copied = false;
};
TCopyInsideTheProgram g_copy;

// Once the main window shows: a rich edit control of the program's thread copies the
// text, as the program's own rich edit controls do, then the main window is closed.
void CALLBACK CopyThenClose(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND main = FindProgramWindow(kProgramCaption);
  if (main == nullptr || !IsWindowVisible(main)) return;
  KillTimer(nullptr, timer);
  if (LoadLibraryW(L"Msftedit.dll")) {
    HWND edit = CreateWindowExW(0, MSFTEDIT_CLASS, W(g_copy.Text), WS_POPUP, 0, 0, 200, 50, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    if (edit) {
      SendMessageW(edit, EM_SETSEL, 0, -1);
      SendMessageW(edit, WM_COPY, 0, 0);
      DestroyWindow(edit);
      g_copy.Copied = true;
    }
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
}

TEST(FirstInstance, WhatTheProgramCopiedStaysOnTheClipboardAfterItHasEnded) {
  if (test::TavorinRuns()) GTEST_SKIP() << "another Tavorin runs in this Wine session";
  test::TSettingsFileGuard settings;
  test::TempDir dir;
  const std::u16string list = dir.File(u"Liste.tvd");
  TDaten daten(test::Entry(u"Autorin"));
  ASSERT_TRUE(daten.SaveToFile(list, false));
  g_copy.Text = u"Kopiert von Tavorin " + IntToText(GetCurrentProcessId());
  SetClipboardText(u"vorher");
  // Any question the program asks fails the test instead of waiting for an answer.
  winui::TScriptedPrompt prompt;

  ASSERT_NE(SetTimer(nullptr, 0, 50, CopyThenClose), 0u);
  RunFirstInstance({list});

  EXPECT_TRUE(g_copy.Copied);
  EXPECT_EQ(ClipboardText(), g_copy.Text);
  test::DeleteCommandKey(std::u16string(kCommandKeyName));
}

}  // namespace
}  // namespace tvn
