// Two instances of Tavorin.exe: what a second start hands to the running one. Each test
// starts the program beside this test, waits on what the first instance shows (its
// caption, its message box, the command key) and ends what it started.
#include <filesystem>

#include "platform/Utf16.h"
#include "startup/Handover.h"
#include "startup/KxRegistry.h"
#include "startup/tests/ProgramTestSupport.h"
#include "startup/tests/StartupTestSupport.h"

namespace tvn {
namespace {

using test::CaptionFor;
using test::DialogWithText;
using test::PumpUntil;
using test::TStarted;

class InstanceTest : public test::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    if (IsSkipped()) return;
    std::filesystem::create_directories(std::filesystem::path(Dir.File(u"Ordner")));
    SaveList(First, u"Erste Autorin");
    SaveList(Second, u"Zweiter Autor");
    test::WriteBytes(Text, "Notiz");
  }

  static void SaveList(const std::u16string& path, const std::u16string& autor) {
    TDaten daten(test::Entry(autor));
    ASSERT_TRUE(daten.SaveToFile(path, false)) << std::string(path.begin(), path.end());
  }

  // The first instance with a list open, its window shown.
  HWND StartFirst() {
    const TStarted& first = Start({First}, Dir.File(u""));
    HWND window = nullptr;
    EXPECT_TRUE(PumpUntil(
        [&] {
          window = test::ProgramWindowOf(first.Info.dwProcessId);
          return window && test::WindowText(window) == CaptionFor(u"Erste.tvd");
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

  const std::u16string First = Dir.File(u"Erste.tvd");
  const std::u16string Second = Dir.File(u"Ordner\\Zweite.tvd");
  const std::u16string Text = Dir.File(u"Ordner\\Notiz.txt");
};

TEST_F(InstanceTest, ASecondStartWithARelativeNameMakesTheFirstOpenTheFullPath) {
  const HWND first = StartFirst();
  ASSERT_NE(first, nullptr);
  // Only the second start's folder holds the file.
  RunSecond({u"Zweite.tvd"}, Dir.File(u"Ordner"));
  EXPECT_TRUE(
      PumpUntil([&] { return test::WindowText(first) == CaptionFor(u"Zweite.tvd"); }, 10000))
      << ToUtf8(test::WindowText(first));
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
        window = test::ProgramWindowOf(started.Info.dwProcessId);
        return window && test::WindowText(window) == CaptionFor(u"Hörbücher.tvd");
      },
      20000))
      << (window ? ToUtf8(test::WindowText(window)) : "no window");
  RunSecond({second}, Dir.File(u""));
  EXPECT_TRUE(PumpUntil(
      [&] { return test::WindowText(window) == CaptionFor(u"Übersicht für Jürgen.tvd"); }, 10000))
      << ToUtf8(test::WindowText(window));
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
    EXPECT_TRUE(
        PumpUntil([&] { return !test::CommandKeyExists(std::u16string(kCommandKeyName)); }));
    EXPECT_EQ(test::WindowText(first), CaptionFor(u"Erste.tvd"));
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
  EXPECT_EQ(test::WindowText(first), CaptionFor(u"Erste.tvd"));
}

}  // namespace
}  // namespace tvn
