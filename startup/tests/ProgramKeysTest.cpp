// The real Tavorin.exe kept by keyboard alone: the keys go through the system's input queue
// to whatever window of the program is in front, as a user's do; the test only watches
// the windows from outside, as a screen reader would, and reads the file afterwards.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <algorithm>
#include <filesystem>

#include "mainwindow/EntryCommands.h"
#include "platform/Utf16.h"
#include "startup/tests/ProgramTestSupport.h"
#include "startup/tests/StartupTestSupport.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {
namespace {

using winui::ssCtrl;
using winui::test::FocusOf;
using winui::test::PressKey;
using winui::test::TypeText;

std::u16string Lower(std::u16string text) {
  for (char16_t& ch : text) ch = ch >= u'A' && ch <= u'Z' ? ch + 32 : ch;
  return text;
}

// The text of a list cell of another process: the request lives in that process's memory.
std::u16string RemoteCellText(HANDLE process, HWND list, int row, int column) {
  struct TRequest {
    LVITEMW Item;
    wchar_t Text[256];
  };
  auto* remote = static_cast<TRequest*>(
      VirtualAllocEx(process, nullptr, sizeof(TRequest), MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return u"(no memory)";
  TRequest request{};
  request.Item.iSubItem = column;
  request.Item.cchTextMax = 256;
  request.Item.pszText = remote->Text;
  WriteProcessMemory(process, remote, &request, sizeof(request), nullptr);
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&remote->Item));
  ReadProcessMemory(process, remote, &request, sizeof(request), nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  request.Text[255] = 0;
  return reinterpret_cast<const char16_t*>(request.Text);
}

class ProgramKeysTest : public ProgramTest {
 protected:
  // Waits, pumping this thread's messages; a timeout fails the test with the step's name.
  static bool Step(const std::function<bool()>& cond, const char* what, int timeoutMs = 10000) {
    const bool ok = PumpUntil(cond, timeoutMs);
    EXPECT_TRUE(ok) << "timed out: " << what;
    return ok;
  }

  // Types one entry into the editor that comes up with that caption and confirms it.
  bool TypeEntry(DWORD thread, const std::u16string& autor, const std::u16string& titel) {
    HWND editor = nullptr;
    if (!Step([&] { return (editor = DialogWithText(thread, u"Neuer Eintrag", true)) != nullptr; },
              "the entry editor"))
      return false;
    HWND field = nullptr;
    auto focusedField = [&] {
      field = FocusOf(thread);
      return field && IsChild(editor, field);
    };
    if (!Step(focusedField, "the focus in the author field")) return false;
    const HWND autorField = field;
    TypeText(autor);
    if (!Step([&] { return WindowText(autorField) == autor; }, "the author typed")) return false;
    PressKey(VK_TAB);
    if (!Step([&] { return focusedField() && field != autorField; }, "Tab to the title"))
      return false;
    const HWND titelField = field;
    TypeText(titel);
    if (!Step([&] { return WindowText(titelField) == titel; }, "the title typed")) return false;
    const HWND ok = ChildOfClass(editor, L"Button", u"O&K");
    if (!Step([&] { return ok && IsWindowEnabled(ok); }, "O&K enabled")) return false;
    PressKey(VK_RETURN);  // the default button
    return Step([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }, "editor closed");
  }

  // The main window in front with the focus in its list.
  bool ListFocused(HWND window, DWORD thread) {
    const HWND list = ChildOfClass(window, L"SysListView32");
    return Step([&] { return GetForegroundWindow() == window && FocusOf(thread) == list; },
                "the focus back in the list");
  }
};

TEST_F(ProgramKeysTest, ThreeEntriesTypedAndSavedWithCtrlSComeBackAfterARestart) {
  RemoveSettings();  // no last file to reopen: the list starts empty
  TStarted& first = Start({}, Dir.File(u""));
  HWND window = nullptr;
  ASSERT_TRUE(Step([&] { return (window = ProgramWindowOf(first.Info.dwProcessId)) != nullptr; },
                   "the main window", 20000));
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);

  // The empty list asks for a first entry; Enter takes the default answer "&Ja".
  HWND question = nullptr;
  ASSERT_TRUE(
      Step([&] { return (question = DialogWithText(thread, u"Bestätigen", true)) != nullptr; },
           "the first-entry question"));
  EXPECT_NE(ChildOfClass(question, L"", std::u16string(kErsterEintragFrage)), nullptr);
  ASSERT_TRUE(MakeForeground(question));
  PressKey(VK_RETURN);

  const std::pair<std::u16string, std::u16string> entries[] = {
      {u"Zeh", u"Sommer"}, {u"Adler", u"Winter"}, {u"Müller", u"Frühling"}};
  for (size_t i = 0; i < std::size(entries); ++i) {
    if (i > 0) {
      ASSERT_TRUE(ListFocused(window, thread));
      PressKey('N', ssCtrl);
    }
    ASSERT_TRUE(TypeEntry(thread, entries[i].first, entries[i].second)) << i;
  }
  ASSERT_TRUE(ListFocused(window, thread));

  // Ctrl+S on a list without a file asks for a name in the save dialog.
  PressKey('S', ssCtrl);
  HWND save = nullptr;
  ASSERT_TRUE(Step(
      [&] {
        return (save = DialogWithText(thread, u"Hörbuchdatei speichern unter", true)) != nullptr;
      },
      "the save dialog"));
  ASSERT_TRUE(Step(
      [&] {
        const HWND focus = FocusOf(thread);
        return focus && IsChild(save, focus);
      },
      "the focus in the file name"));
  TypeText(Dir.File(u"liste"));  // no extension: the file type's TVD is appended
  PressKey(VK_RETURN);
  ASSERT_TRUE(Step([&] { return Lower(WindowText(window)) == Lower(CaptionFor(u"liste.tvd")); },
                   "the caption naming the saved file"))
      << ToUtf8(WindowText(window));
  End(first);  // nothing unsaved: it closes without a question

  const std::vector<std::u16string> files = Dir.Files();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(Lower(files[0]), u"liste.tvd");
  const std::u16string path = Dir.File(files[0]);
  TDaten saved;
  ASSERT_TRUE(saved.LoadFromFile(path, false)) << ToUtf8(saved.LastError());
  ASSERT_EQ(saved.Count(), 3);

  TStarted& second = Start({path}, Dir.File(u""));
  HWND again = nullptr;
  ASSERT_TRUE(Step(
      [&] {
        again = ProgramWindowOf(second.Info.dwProcessId);
        return again && WindowText(again) == CaptionFor(files[0]);
      },
      "the restarted program on the file", 20000));
  const HWND list = ChildOfClass(again, L"SysListView32");
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(Step([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 3; }, "3 rows"));
  const std::pair<std::u16string, std::u16string> sorted[] = {
      {u"Adler", u"Winter"}, {u"Müller", u"Frühling"}, {u"Zeh", u"Sommer"}};
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(RemoteCellText(second.Info.hProcess, list, row, 0), sorted[row].first) << row;
    EXPECT_EQ(RemoteCellText(second.Info.hProcess, list, row, 1), sorted[row].second) << row;
  }
}

}  // namespace
}  // namespace tvn::test
