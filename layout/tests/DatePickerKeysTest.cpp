#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "layout/TvnLayout.h"
#include "layout/demo/DemoDialog.h"
#include "layout/tests/WinTestSupport.h"
#include "platform/Utf16.h"
#include "winui/Win32Util.h"

namespace tvn {
namespace {

using test::D;

// Sent to the dialog before each step: wParam the date, lParam the marked part.
constexpr UINT WM_RESET_PICKER = WM_APP + 1;
// Answers 1 when the date control shows the text its rules made.
constexpr UINT WM_SHOWS_RULE_TEXT = WM_APP + 2;

// Key and mouse button releases that reached the date control or its arrows: when the
// last one of a step has arrived, everything before it has been handled.
std::atomic<int> g_inputEnds{0};

LRESULT CALLBACK CountInputEnds(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  if (msg == WM_KEYUP || msg == WM_SYSKEYUP || msg == WM_LBUTTONUP) ++g_inputEnds;
  return DefSubclassProc(window, msg, wParam, lParam);
}

// The windows the script needs, handed over once the dialog shows them.
struct TShownWindows {
  std::atomic<HWND> Dialog{nullptr};
  std::atomic<HWND> Picker{nullptr};
  std::atomic<HWND> Arrows{nullptr};
};

enum class TInput { Keys, ClickUpperArrow, ClickMonth };

// One user action on a control that shows a given date with a given part marked.
struct TStep {
  const char* name;
  TDateTime start;
  int teil;
  std::vector<TInput> inputs;
  std::string keys;  // the keys of the Keys inputs, in order, as virtual keys
  std::u16string expected;
  int beeps;
};

// A way text could reach the date control around its rules: keys (pressed together), or a
// message another program or a screen reader sends.
struct TForeignInput {
  const char* name;
  std::vector<WORD> chord;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  // False where the rules may act: Ctrl+Backspace types a Backspace under Wine.
  bool textStays = true;
};

// Drives the shown dialog from a second thread with real keys and clicks, as a user
// would, and notes every expectation that was not met.
class TUserScript {
 public:
  TUserScript(TShownWindows& windows, DWORD uiThread, std::atomic<int>& beeps)
      : W(windows), FUiThread(uiThread), FBeeps(beeps) {}

  void Run(const std::vector<TStep>& steps) {
    test::WaitUntil([&] { return W.Dialog && IsWindowVisible(W.Dialog); });
    for (const TStep& step : steps) RunStep(step);
    Leave();
    Close();
  }

  // Each input on a control showing start with the day marked; the text must stay as the
  // rules made it, and stay start.
  void Run(const std::vector<TForeignInput>& inputs, TDateTime start, const std::u16string& shown) {
    test::WaitUntil([&] { return W.Dialog && IsWindowVisible(W.Dialog); });
    for (const TForeignInput& input : inputs) {
      SendMessageW(W.Dialog, WM_RESET_PICKER, static_cast<WPARAM>(start), dtTag);
      if (input.chord.empty()) {
        SendMessageW(W.Picker, input.msg, input.wParam, input.lParam);
      } else if (!PressTogether(input.chord)) {
        Fail(std::string(input.name) + ": input lost");
        continue;
      }
      // A menu that opened would hold the next keys.
      if (HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu)) {
        Fail(std::string(input.name) + ": a menu opened");
        test::PressKey(VK_ESCAPE);
      }
      if (!SendMessageW(W.Dialog, WM_SHOWS_RULE_TEXT, 0, 0) ||
          (input.textStays && Text() != shown)) {
        Fail(std::string(input.name) + ": \"" + ToUtf8(Text()) + "\"");
      }
    }
    Close();
  }

  std::vector<std::string> Failures;

 private:
  std::u16string Text() const { return winui::WindowText(W.Picker); }
  void Fail(const std::string& what) { Failures.push_back(what); }

  // Input goes to the foreground window. Without a window manager (Wine on a virtual
  // display) a new dialog does not become it by itself, and other programs on the same
  // display may take it meanwhile; then their input is lost and the step is repeated.
  bool BringToFront() {
    if (GetForegroundWindow() != W.Dialog) SetForegroundWindow(W.Dialog);
    return test::WaitUntil([&] {
      return GetForegroundWindow() == W.Dialog && test::FocusOfThread(FUiThread) == W.Picker;
    });
  }

  void RunStep(const TStep& step) {
    std::string last;
    for (int attempt = 0; attempt < 3; ++attempt) {
      SendMessageW(W.Dialog, WM_RESET_PICKER, static_cast<WPARAM>(step.start), step.teil);
      if (!BringToFront()) {
        last = "the date control did not get the focus";
        continue;
      }
      const int beepsBefore = FBeeps;
      const int endsBefore = g_inputEnds;
      Perform(step);
      const int inputs = static_cast<int>(step.inputs.size());
      if (!test::WaitUntil([&] { return g_inputEnds - endsBefore >= inputs; }, 2000)) {
        last = "input lost";
        continue;
      }
      if (Text() == step.expected && FBeeps - beepsBefore == step.beeps) return;
      last = "\"" + ToUtf8(Text()) + "\" and " + std::to_string(FBeeps - beepsBefore) + " beeps";
    }
    Fail(std::string(step.name) + ": " + last + " instead of \"" + ToUtf8(step.expected) +
         "\" and " + std::to_string(step.beeps));
  }

  bool PressTogether(const std::vector<WORD>& chord) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!BringToFront()) continue;
      const int endsBefore = g_inputEnds;
      test::PressChord(chord);
      if (test::WaitUntil([&] { return g_inputEnds - endsBefore >= 1; }, 2000)) return true;
    }
    return false;
  }

  void Perform(const TStep& step) {
    size_t key = 0;
    for (TInput input : step.inputs) {
      switch (input) {
        case TInput::Keys:
          test::PressKey(static_cast<BYTE>(step.keys[key++]));
          break;
        case TInput::ClickUpperArrow:
          test::ClickAt(UpperArrow());
          break;
        case TInput::ClickMonth:
          test::ClickAt(TextPosition(8));
          break;
      }
    }
  }

  POINT UpperArrow() const {
    RECT r{};
    GetWindowRect(W.Arrows, &r);
    return {(r.left + r.right) / 2, r.top + (r.bottom - r.top) / 4};
  }

  POINT TextPosition(int index) const {
    const LRESULT pos = SendMessageW(W.Picker, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
    POINT p{static_cast<short>(LOWORD(pos)) + 2, static_cast<short>(HIWORD(pos)) + 4};
    ClientToScreen(W.Picker, &p);
    return p;
  }

  // Tab leaves the control, which checks the marked part and keeps the text.
  void Leave() {
    const std::u16string before = Text();
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!BringToFront()) continue;
      test::PressKey(VK_TAB);
      if (test::WaitUntil([&] { return test::FocusOfThread(FUiThread) != W.Picker; }, 2000)) break;
    }
    if (test::FocusOfThread(FUiThread) == W.Picker) Fail("Tab did not leave the date control");
    if (Text() != before)
      Fail("leaving changed the text \"" + ToUtf8(before) + "\" to \"" + ToUtf8(Text()) + "\"");
  }

  void Close() {
    for (int attempt = 0; attempt < 3 && IsWindow(W.Dialog); ++attempt) {
      if (GetForegroundWindow() != W.Dialog) SetForegroundWindow(W.Dialog);
      test::PressKey(VK_ESCAPE);
      if (test::WaitUntil([&] { return !IsWindow(W.Dialog); }, 2000)) return;
    }
    Fail("Esc did not close the dialog");
    PostMessageW(W.Dialog, WM_CLOSE, 0, 0);
  }

  TShownWindows& W;
  DWORD FUiThread;
  std::atomic<int>& FBeeps;
};

std::vector<TStep> UserSteps() {
  using I = TInput;
  const std::vector<I> k1{I::Keys}, k2{I::Keys, I::Keys}, k3{I::Keys, I::Keys, I::Keys},
      k4{I::Keys, I::Keys, I::Keys, I::Keys}, k5{I::Keys, I::Keys, I::Keys, I::Keys, I::Keys},
      k8(8, I::Keys);
  return {
      // The year stays marked, so the weekday (of 15.03.2023) waits for its check.
      {"typing 1 5 0 3 2 0 2 4", D(2023, 7, 1), dtTag, k8, "15032024", u"Mi, 15.03.2024 ", 0},
      {"a fifth year digit", D(2023, 3, 15), dtJahr, k5, "20245", u"Mi, 15.03.2024 ", 1},
      {"Left, Left, Down",
       D(2024, 3, 15),
       dtJahr,
       k3,
       {char(VK_LEFT), char(VK_LEFT), char(VK_DOWN)},
       u"Do, 14.03.2024 ",
       0},
      {"a click on the upper arrow",
       D(2024, 3, 15),
       dtTag,
       {I::ClickUpperArrow},
       "",
       u"Sa, 16.03.2024 ",
       0},
      {"a click on the month and Page Up",
       D(2024, 3, 15),
       dtTag,
       {I::ClickMonth, I::Keys},
       {char(VK_PRIOR)},
       u"Di, 15.10.2024 ",
       0},
      {"Page Up on 28 March", D(2024, 3, 28), dtTag, k1, {char(VK_PRIOR)}, u"Do, 04.04.2024 ", 0},
      {"Home, Up", D(2024, 3, 28), dtTag, k2, {char(VK_HOME), char(VK_UP)}, u"Fr, 29.03.2024 ", 0},
      {"Delete and Backspace",
       D(2024, 4, 4),
       dtTag,
       k2,
       {char(VK_DELETE), char(VK_BACK)},
       u"Do, __.04.2024 ",
       0},
      {"typing 3 1 0 4", D(2024, 4, 4), dtTag, k4, "3104", u"Do, 31.04.2024 ", 0},
  };
}

class DatePickerKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseGermanLocaleNames();
    winui::AktFont = winui::TFont{};
    SetDatePickerBeep([this] { ++beeps; });
  }
  void TearDown() override { SetDatePickerBeep(nullptr); }

  std::atomic<int> beeps{0};
};

TEST_F(DatePickerKeys, RealKeysAndClicksInADialog) {
  TDemoDialog dialog;
  TShownWindows windows;
  dialog.SetMessageHandler(WM_RESET_PICKER, [&](WPARAM date, LPARAM teil) -> LRESULT {
    dialog.DatePicker1.SetDatum(static_cast<TDateTime>(date));
    dialog.DatePicker1.SetMarkiereNr(static_cast<int>(teil));
    if (!dialog.DatePicker1.Focused()) dialog.DatePicker1.SetFocus();
    return 0;
  });
  dialog.OnShown = [&] {
    SetWindowSubclass(dialog.DatePicker1.Handle(), CountInputEnds, 1, 0);
    SetWindowSubclass(dialog.DatePicker1.UpDown().Handle(), CountInputEnds, 1, 0);
    dialog.DatePicker1.SetFocus();
    windows.Arrows = dialog.DatePicker1.UpDown().Handle();
    windows.Picker = dialog.DatePicker1.Handle();
    windows.Dialog = dialog.Handle();
  };
  TUserScript script(windows, GetCurrentThreadId(), beeps);
  std::thread user([&] { script.Run(UserSteps()); });
  dialog.ShowModal();
  user.join();
  test::HandlePendingMessages();

  for (const std::string& failure : script.Failures) ADD_FAILURE() << failure;
  // The arrows never move: the click was refused and stepped the date instead.
  EXPECT_EQ(dialog.DatePicker1.UpDown().Position(), 0);
  // 31 April stays as typed; the dialogs refuse it, and reading gives the month's end.
  EXPECT_FALSE(IsValidDialogDate(dialog.DatePicker1));
  EXPECT_EQ(dialog.DatePicker1.Datum(), D(2024, 4, 30));
}

std::vector<TForeignInput> ForeignInputs() {
  static const wchar_t kForeign[] = L"XY";
  auto message = [](const char* name, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return TForeignInput{name, {}, msg, wParam, lParam};
  };
  auto keys = [](const char* name, std::vector<WORD> chord, bool textStays = true) {
    return TForeignInput{name, std::move(chord), 0, 0, 0, textStays};
  };
  return {
      keys("Shift+Insert", {VK_SHIFT, VK_INSERT}),
      keys("Shift+Delete", {VK_SHIFT, VK_DELETE}),
      keys("Ctrl+V", {VK_CONTROL, 'V'}),
      keys("Ctrl+X", {VK_CONTROL, 'X'}),
      keys("Ctrl+Z", {VK_CONTROL, 'Z'}),
      keys("Ctrl+Backspace", {VK_CONTROL, VK_BACK}, false),
      keys("Alt+Backspace", {VK_MENU, VK_BACK}),
      keys("a letter", {'X'}),
      keys("the context-menu key", {VK_APPS}),
      keys("Shift+F10", {VK_SHIFT, VK_F10}),
      message("WM_PASTE", WM_PASTE),
      message("WM_CUT", WM_CUT),
      message("WM_CLEAR", WM_CLEAR),
      message("WM_UNDO", WM_UNDO),
      message("EM_UNDO", EM_UNDO),
      message("EM_REPLACESEL", EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kForeign)),
      message("WM_SETTEXT", WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kForeign)),
      message("WM_CHAR of a letter", WM_CHAR, 'X', 1),
      message("WM_IME_CHAR of a letter", WM_IME_CHAR, 'X', 1),
      message("WM_IME_CHAR of an ideograph", WM_IME_CHAR, 0x65E5, 1),
  };
}

TEST_F(DatePickerKeys, NothingReachesTheTextAroundTheRules) {
  // What a paste would bring.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(L"XY"));
  std::memcpy(GlobalLock(memory), L"XY", sizeof(L"XY"));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();

  TDemoDialog dialog;
  TShownWindows windows;
  dialog.SetMessageHandler(WM_RESET_PICKER, [&](WPARAM date, LPARAM teil) -> LRESULT {
    dialog.DatePicker1.SetDatum(static_cast<TDateTime>(date));
    dialog.DatePicker1.SetMarkiereNr(static_cast<int>(teil));
    if (!dialog.DatePicker1.Focused()) dialog.DatePicker1.SetFocus();
    return 0;
  });
  dialog.SetMessageHandler(WM_SHOWS_RULE_TEXT, [&](WPARAM, LPARAM) -> LRESULT {
    return winui::WindowText(dialog.DatePicker1.Handle()) == dialog.DatePicker1.RuleText();
  });
  dialog.OnShown = [&] {
    SetWindowSubclass(dialog.DatePicker1.Handle(), CountInputEnds, 1, 0);
    dialog.DatePicker1.SetFocus();
    windows.Arrows = dialog.DatePicker1.UpDown().Handle();
    windows.Picker = dialog.DatePicker1.Handle();
    windows.Dialog = dialog.Handle();
  };
  TUserScript script(windows, GetCurrentThreadId(), beeps);
  std::thread user([&] { script.Run(ForeignInputs(), D(2026, 12, 11), u"Fr, 11.12.2026 "); });
  dialog.ShowModal();
  user.join();
  test::HandlePendingMessages();

  for (const std::string& failure : script.Failures) ADD_FAILURE() << failure;
  EXPECT_EQ(beeps, 0);
}

TEST_F(DatePickerKeys, LocaleNamesLoseTheirFullStop) {
  const TLocaleNames names = ReadLocaleNames(L"de-DE");
  TLocaleNames adjusted = names;
  AdjustLocaleNames(adjusted);
  for (const std::u16string& day : adjusted.ShortDayNames) {
    EXPECT_EQ(day.size(), 2u) << ToUtf8(day);
    EXPECT_NE(day.back(), u'.');
  }
  EXPECT_EQ(adjusted.ShortDayNames[1], u"Mo");
  EXPECT_EQ(adjusted.LongMonthNames[2], u"März");
}

TEST_F(DatePickerKeys, EnablingTakesTheArrowsAlong) {
  TDatePicker picker(nullptr);
  SetDatePickerEnabled(picker, false);
  EXPECT_FALSE(picker.Enabled());
  EXPECT_FALSE(picker.UpDown().Enabled());
  SetDatePickerEnabled(picker, true);
  EXPECT_TRUE(picker.UpDown().Enabled());
}

TEST_F(DatePickerKeys, WidthCountsTheArrowsAndBoundsMarksTheDay) {
  TDatePicker picker(nullptr);
  picker.SetMarkiereNr(dtJahr);
  picker.Bounds(30, 20, 200);
  EXPECT_EQ(picker.Width(), 200);
  EXPECT_EQ(picker.Left(), 20);
  EXPECT_EQ(picker.Top(), 30);
  EXPECT_EQ(picker.UpDown().Left(), 20 + picker.winui::TControl::Width());
  EXPECT_EQ(picker.MarkiereNr(), dtTag);
}

}  // namespace
}  // namespace tvn
