#include "startup/tests/ProgramTestSupport.h"

#include <shlobj.h>

#include <filesystem>

#include "mainwindow/WindowCaption.h"
#include "startup/Handover.h"
#include "startup/KxRegistry.h"
#include "startup/ProgramWindow.h"
#include "startup/tests/StartupTestSupport.h"

namespace tvn::test {

namespace {

const wchar_t* W(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}

std::u16string Quoted(const std::u16string& argument) {
  return u"\"" + argument + u"\"";
}

std::u16string ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return reinterpret_cast<const char16_t*>(name);
}

}  // namespace

std::u16string ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return (std::filesystem::path(path).parent_path() / "Tavorin.exe").u16string();
}

HWND ProgramWindowOf(DWORD processId) {
  struct TSearch {
    DWORD ProcessId;
    HWND Found;
  } search{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->ProcessId || !IsWindowVisible(window) ||
            !IsProgramWindowCaption(ReadWindowCaption(window), kProgramCaption)) {
          return TRUE;
        }
        s->Found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

std::u16string WindowText(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  return reinterpret_cast<const char16_t*>(text);
}

HWND DialogWithText(DWORD threadId, const std::u16string& text, bool caption) {
  struct TSearch {
    const std::u16string& Text;
    bool Caption;
    HWND Found;
  } search{text, caption, nullptr};
  EnumThreadWindows(
      threadId,
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(param);
        if (!IsWindowVisible(window) || ClassOf(window) != u"#32770") return TRUE;
        const bool seen = s->Caption ? WindowText(window) == s->Text
                                     : ChildOfClass(window, L"", s->Text) != nullptr;
        if (seen) s->Found = window;
        return !seen;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND ChildOfClass(HWND parent, const std::wstring& className, const std::u16string& text) {
  struct TSearch {
    std::u16string ClassName;
    const std::u16string& Text;
    HWND Found;
  } search{std::u16string(className.begin(), className.end()), text, nullptr};
  EnumChildWindows(
      parent,
      [](HWND control, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(param);
        if (!s->ClassName.empty() && ClassOf(control) != s->ClassName) return TRUE;
        if (!s->Text.empty() && WindowText(control) != s->Text) return TRUE;
        s->Found = control;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

std::u16string CaptionFor(const std::u16string& name) {
  return name + u" - " + std::u16string(kProgramCaption);
}

void ProgramTest::SetUp() {
  if (TavorinRuns()) GTEST_SKIP() << "another Tavorin runs in this Wine session";
  FSettings = std::make_unique<TSettingsFileGuard>();
}

void ProgramTest::RemoveSettings() {
  std::error_code ec;
  std::filesystem::remove(std::filesystem::path(SettingsFilePath()), ec);
}

void ProgramTest::TearDown() {
  for (TStarted& p : FStarted) End(p);
  if (!FSettings) return;
  FSettings.reset();
  DeleteCommandKey(std::u16string(kCommandKeyName));
}

TStarted& ProgramTest::Start(const std::vector<std::u16string>& arguments,
                             const std::u16string& folder) {
  std::u16string commandLine = Quoted(ProgramPath());
  for (const std::u16string& a : arguments) commandLine += u" " + Quoted(a);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  TStarted started;
  const BOOL ok =
      CreateProcessW(W(ProgramPath()), reinterpret_cast<wchar_t*>(commandLine.data()), nullptr,
                     nullptr, FALSE, 0, nullptr, W(folder), &startup, &started.Info);
  EXPECT_TRUE(ok) << "CreateProcessW failed: " << GetLastError();
  FStarted.push_back(started);
  return FStarted.back();
}

void ProgramTest::End(TStarted& p) {
  if (!p.Info.hProcess) return;
  if (p.Running()) {
    if (HWND window = ProgramWindowOf(p.Info.dwProcessId)) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(p.Info.hProcess, 15000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "Tavorin did not end after WM_CLOSE";
      TerminateProcess(p.Info.hProcess, 1);
      WaitForSingleObject(p.Info.hProcess, 5000);
    }
  }
  CloseHandle(p.Info.hThread);
  CloseHandle(p.Info.hProcess);
  p.Info = {};
}

}  // namespace tvn::test
