#include "dialogs/tests/DialogTestSupport.h"

#include <cctype>
#include <cstdio>
#include <thread>

#include "layout/tests/WinTestSupport.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {

void TOwnerForm::FormCreate() {
  SetCaption(u"Besitzer");
  SetBounds(40, 40, 900, 700);
}

void DialogKeysTest::SetUp() {
  UseGermanLocaleNames();
  winui::AktFont = winui::TFont{};
  owner.Create();
  owner.Show();
  ASSERT_TRUE(winui::test::PumpUntil([&] { return IsWindowVisible(owner.Handle()) != FALSE; }));
}

void DialogKeysTest::TearDown() {
  winui::AktFont = winui::TFont{};
  HandlePendingMessages();
}

winui::TModalResult DialogKeysTest::RunDialog(winui::TDialogForm& dialog,
                                              const std::atomic<HWND>& window,
                                              const winui::TControl& firstFocus,
                                              const std::function<void()>& script) {
  std::thread driver([&] {
    if (Step([&] { return window && IsWindowVisible(window); }, "dialog shown")) {
      // Without a window manager a new dialog does not come to the front by itself.
      for (int attempt = 0; attempt < 3 && GetForegroundWindow() != window; ++attempt) {
        SetForegroundWindow(window);
        winui::test::WaitFor([&] { return GetForegroundWindow() == window; }, 1000);
      }
      if (WaitForFocus(firstFocus, "the first control has the focus at the start")) script();
    }
    if (!winui::test::WaitFor([&] { return window == nullptr; }, 3000)) {
      errors.push_back("dialog still open after the script");
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    }
  });
  const winui::TModalResult result = dialog.ShowModal();
  driver.join();
  return result;
}

bool DialogKeysTest::Step(const std::function<bool()>& cond, const std::string& what,
                          int timeoutMs) {
  if (winui::test::WaitFor(cond, timeoutMs)) return true;
  errors.push_back("timed out: " + what);
  return false;
}

void DialogKeysTest::Key(WORD key, winui::TShiftState modifiers) {
  winui::test::PressKey(key, modifiers);
}

void DialogKeysTest::Type(std::string_view text) {
  for (char c : text) {
    if (c == ' ')
      Key(VK_SPACE);
    else
      Key(static_cast<WORD>(std::toupper(static_cast<unsigned char>(c))));
  }
}

bool DialogKeysTest::KeyTo(WORD key, winui::TShiftState modifiers, const winui::TControl& target,
                           const std::string& what) {
  Key(key, modifiers);
  return WaitForFocus(target, what);
}

bool DialogKeysTest::FocusIs(const winui::TControl& control) const {
  const HWND focus = winui::test::FocusOf(ui);
  return focus && (focus == control.Handle() || IsChild(control.Handle(), focus));
}

bool DialogKeysTest::WaitForFocus(const winui::TControl& control, const std::string& what) {
  return Step([&] { return FocusIs(control); }, what);
}

bool DialogKeysTest::WaitForMessage(size_t n, const winui::TControl& focus,
                                    const std::string& what) {
  return Step([&] { return FMessageCount >= n; }, what + ": message box") &&
         WaitForFocus(focus, what + ": focus after the message");
}

std::wstring DialogKeysTest::TextOf(const winui::TControl& control) const {
  return winui::test::TextOf(control.Handle());
}

bool DialogKeysTest::IsChecked(const winui::TControl& box) const {
  return SendMessageW(box.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void DialogKeysTest::AnswerMessages(int count) {
  for (int i = 0; i < count; ++i) {
    prompt.AnswerMessage([this](const winui::TMessageRequest&) {
      ++FMessageCount;
      return winui::mrOk;
    });
  }
}

std::vector<std::u16string> DialogKeysTest::Messages() const {
  std::vector<std::u16string> texts;
  for (const winui::TPromptRecord& record : prompt.Records()) {
    EXPECT_EQ(record.Type, winui::TPromptType::Message);
    EXPECT_EQ(record.Message.Kind, winui::TMsgKind::Information);
    EXPECT_EQ(record.Message.Buttons, winui::mbOK);
    texts.push_back(record.Message.Text);
  }
  return texts;
}

void DialogKeysTest::ExpectNoErrors() const {
  for (const std::string& error : errors) ADD_FAILURE() << error;
}

std::vector<std::u16string> AccessibleNames(const std::vector<HWND>& windows) {
  std::vector<std::u16string> names;
  for (const winui::test::TAccessibleReading& reading : winui::test::ReadFromOtherProcess(windows)) {
    names.push_back(reading.Found ? reading.Name : u"(no accessible object)");
  }
  return names;
}

std::vector<HWND> RadioButtons(const winui::TControl& group) {
  std::vector<HWND> radios;
  for (HWND button : winui::test::DescendantsOfClass(group.Handle(), L"Button")) {
    if ((GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX)
      radios.push_back(button);
  }
  return radios;
}

}  // namespace tvn::test
