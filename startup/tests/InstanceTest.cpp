// Two instances of Tavorin.exe: what a second start hands to the running one. Each test
// starts the program beside this test, waits on what the first instance shows (its
// caption, its message box, the command key) and ends what it started.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "data/tests/TestData.h"
#include "mainwindow/WindowCaption.h"
#include "platform/Utf16.h"
#include "startup/Handover.h"
#include "startup/KxRegistry.h"
#include "startup/ProgramWindow.h"
#include "startup/tests/StartupTestSupport.h"

namespace tvn {
namespace {

using test::PumpUntil;

const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

std::u16string ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return (std::filesystem::path(path).parent_path() / "Tavorin.exe").u16string();
}

std::u16string Quoted(const std::u16string& argument) { return u"\"" + argument + u"\""; }

struct TStarted {
  PROCESS_INFORMATION Info{};
  bool Running() const { return WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT; }
};

// Top-level window of a process whose caption marks a running Tavorin.
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

std::u16string TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  return reinterpret_cast<const char16_t*>(text);
}

// A visible dialog-class window of the thread that shows the text in one of its controls.
HWND DialogWithText(DWORD threadId, const std::u16string& text) {
  struct TSearch {
    const std::u16string& Text;
    HWND Found;
  } search{text, nullptr};
  EnumThreadWindows(
      threadId,
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(param);
        wchar_t cls[32] = {};
        GetClassNameW(window, cls, 32);
        if (!IsWindowVisible(window) || std::wstring(cls) != L"#32770") return TRUE;
        struct TChild {
          const std::u16string& Text;
          bool Seen;
        } child{s->Text, false};
        EnumChildWindows(
            window,
            [](HWND control, LPARAM p) -> BOOL {
              auto* c = reinterpret_cast<TChild*>(p);
              c->Seen = c->Seen || TextOf(control) == c->Text;
              return !c->Seen;
            },
            reinterpret_cast<LPARAM>(&child));
        if (child.Seen) s->Found = window;
        return !child.Seen;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

class InstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (test::TavorinRuns()) GTEST_SKIP() << "another Tavorin runs in this Wine session";
    std::filesystem::create_directories(std::filesystem::path(Dir.File(u"Ordner")));
    SaveList(First, u"Erste Autorin");
    SaveList(Second, u"Zweiter Autor");
    test::WriteBytes(Text, "Notiz");
  }

  void TearDown() override {
    for (TStarted& p : FStarted) End(p);
    test::DeleteCommandKey(std::u16string(kCommandKeyName));
  }

  static void SaveList(const std::u16string& path, const std::u16string& autor) {
    TDaten daten(test::Entry(autor));
    ASSERT_TRUE(daten.SaveToFile(path, false)) << std::string(path.begin(), path.end());
  }

  TStarted& Start(const std::vector<std::u16string>& arguments, const std::u16string& folder) {
    std::u16string commandLine = Quoted(ProgramPath());
    for (const std::u16string& a : arguments) commandLine += u" " + Quoted(a);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    TStarted started;
    const BOOL ok = CreateProcessW(W(ProgramPath()), reinterpret_cast<wchar_t*>(commandLine.data()),
                                   nullptr, nullptr, FALSE, 0, nullptr, W(folder), &startup,
                                   &started.Info);
    EXPECT_TRUE(ok) << "CreateProcessW failed: " << GetLastError();
    FStarted.push_back(started);
    return FStarted.back();
  }

  // The first instance with a list open, its window shown.
  HWND StartFirst() {
    const TStarted& first = Start({First}, Dir.File(u""));
    HWND window = nullptr;
    EXPECT_TRUE(PumpUntil(
        [&] {
          window = ProgramWindowOf(first.Info.dwProcessId);
          return window && TextOf(window) == CaptionFor(u"Erste.tvd");
        },
        20000));
    return window;
  }

  void RunSecond(const std::vector<std::u16string>& arguments, const std::u16string& folder) {
    const TStarted& second = Start(arguments, folder);
    ASSERT_EQ(WaitForSingleObject(second.Info.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(second.Info.hProcess, &code);
    EXPECT_EQ(code, 0u);
  }

  static std::u16string CaptionFor(const std::u16string& name) {
    return name + u" - " + std::u16string(kProgramCaption);
  }

  // Closes the program as the user would; only a program that does not end goes by force.
  static void End(TStarted& p) {
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

  test::TempDir Dir;
  const std::u16string First = Dir.File(u"Erste.tvd");
  const std::u16string Second = Dir.File(u"Ordner\\Zweite.tvd");
  const std::u16string Text = Dir.File(u"Ordner\\Notiz.txt");

 private:
  test::TSettingsFileGuard FSettings;
  std::vector<TStarted> FStarted;
};

TEST_F(InstanceTest, ASecondStartWithARelativeNameMakesTheFirstOpenTheFullPath) {
  const HWND first = StartFirst();
  ASSERT_NE(first, nullptr);
  // Only the second start's folder holds the file.
  RunSecond({u"Zweite.tvd"}, Dir.File(u"Ordner"));
  EXPECT_TRUE(PumpUntil([&] { return TextOf(first) == CaptionFor(u"Zweite.tvd"); }, 10000))
      << ToUtf8(TextOf(first));
}

TEST_F(InstanceTest, FilesNamedWithUmlautsAreOpenedAtStartAndHandedOver) {
  const std::u16string first = Dir.File(u"Hörbücher.tvd");
  const std::u16string second = Dir.File(u"Ordner\\Übersicht für Jürgen.tvd");
  SaveList(first, u"Erste Autorin");
  SaveList(second, u"Zweiter Autor");
  const TStarted& started = Start({first}, Dir.File(u""));
  HWND window = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        window = ProgramWindowOf(started.Info.dwProcessId);
        return window && TextOf(window) == CaptionFor(u"Hörbücher.tvd");
      },
      20000))
      << (window ? ToUtf8(TextOf(window)) : "no window");
  RunSecond({second}, Dir.File(u""));
  EXPECT_TRUE(PumpUntil([&] { return TextOf(window) == CaptionFor(u"Übersicht für Jürgen.tvd"); }, 10000))
      << ToUtf8(TextOf(window));
}

TEST_F(InstanceTest, ASecondStartWithoutAFileBringsTheFirstForwardThroughTheCommandKey) {
  const HWND first = StartFirst();
  ASSERT_NE(first, nullptr);
  test::TPlainWindow other(u"Anderes Programm");
  for (const std::vector<std::u16string>& arguments :
       {std::vector<std::u16string>{}, std::vector<std::u16string>{u"   "}}) {
    SCOPED_TRACE(arguments.size());
    ASSERT_TRUE(test::MakeForeground(other.Handle()));
    RunSecond(arguments, Dir.File(u""));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == first; }, 10000));
    EXPECT_TRUE(PumpUntil([&] { return !test::CommandKeyExists(std::u16string(kCommandKeyName)); }));
    EXPECT_EQ(TextOf(first), CaptionFor(u"Erste.tvd"));
  }
}

TEST_F(InstanceTest, ASecondStartWithATextFileGetsTheMessageAboutTheExpectedFiles) {
  const HWND first = StartFirst();
  ASSERT_NE(first, nullptr);
  RunSecond({Text}, Dir.File(u""));
  const DWORD thread = GetWindowThreadProcessId(first, nullptr);
  HWND box = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] { return (box = DialogWithText(thread, std::u16string(kFalscheEndungText))) != nullptr; },
      10000));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box); }));
  EXPECT_EQ(TextOf(first), CaptionFor(u"Erste.tvd"));
}

}  // namespace
}  // namespace tvn
