#include "dialogs/tests/ReAnsichtTestSupport.h"

#include <thread>

#include "layout/tests/WinTestSupport.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {

namespace {

struct TMenuWindowSearch {
  DWORD Thread;
  HWND Found = nullptr;
};

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<TMenuWindowSearch*>(lParam);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32768" && IsWindowVisible(window) &&
      GetWindowThreadProcessId(window, nullptr) == search->Thread) {
    search->Found = window;
    return FALSE;
  }
  return TRUE;
}

// The visible popup menu window of a thread.
HWND MenuWindowOf(DWORD thread) {
  TMenuWindowSearch search{thread};
  EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

std::vector<TPopupItem> ItemsOf(HMENU menu) {
  std::vector<TPopupItem> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t caption[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    items.push_back({caption, (state & (MF_GRAYED | MF_DISABLED)) == 0});
  }
  return items;
}

}  // namespace

void TViewerOwner::FormCreate() {
  SetCaption(u"Besitzer");
  SetBounds(40, 40, 900, 700);
}

void TTestReAnsichtForm::FormShow() {
  TReAnsichtForm::FormShow();
  Window = Handle();
  if (OnShown) OnShown();
}

void TTestReAnsichtForm::FormClose() {
  TReAnsichtForm::FormClose();
  Window = nullptr;
}

std::vector<bool> EnabledItems(const std::vector<TPopupItem>& items) {
  std::vector<bool> enabled;
  for (const TPopupItem& item : items) enabled.push_back(item.Enabled);
  return enabled;
}

void ReAnsichtTest::SetUp() {
  winui::AktFont = winui::TFont{};
  winui::AktBackColor = winui::clWhite;
  owner.Create();
  owner.Show();
  ASSERT_TRUE(winui::test::PumpUntil([&] { return IsWindowVisible(owner.Handle()) != FALSE; }));
  form.Create();
}

void ReAnsichtTest::TearDown() {
  winui::AktFont = winui::TFont{};
  winui::AktBackColor = winui::clWhite;
  HandlePendingMessages();
}

void ReAnsichtTest::Run(const std::u16string& caption, const std::u16string& text,
                        const std::function<void()>& script) {
  std::thread driver([&] {
    if (Step([&] { return DialogOpen(); }, "dialog shown")) {
      BringToFront();
      if (WaitForFocus(form.RichEdit1, "the text field has the focus at the start")) script();
    }
    if (!winui::test::WaitFor([&] { return form.Window == nullptr; }, 3000)) {
      errors.push_back("dialog still open after the script");
      PostMessageW(form.Window, WM_COMMAND, IDCANCEL, 0);
    }
  });
  form.ShowDetails(caption, text);
  driver.join();
}

void ReAnsichtTest::BringToFront() {
  // Without a window manager a new dialog does not come to the front by itself.
  for (int attempt = 0; attempt < 3 && GetForegroundWindow() != form.Window; ++attempt) {
    SetForegroundWindow(form.Window);
    winui::test::WaitFor([&] { return GetForegroundWindow() == form.Window; }, 1000);
  }
}

bool ReAnsichtTest::DialogOpen() const {
  const HWND window = form.Window;
  return window && IsWindowVisible(window);
}

bool ReAnsichtTest::Step(const std::function<bool()>& cond, const std::string& what,
                         int timeoutMs) {
  if (winui::test::WaitFor(cond, timeoutMs)) return true;
  errors.push_back("timed out: " + what);
  return false;
}

void ReAnsichtTest::Key(WORD key, winui::TShiftState modifiers) {
  winui::test::PressKey(key, modifiers);
}

bool ReAnsichtTest::FocusIs(const winui::TControl& control) const {
  return winui::test::FocusOf(ui) == control.Handle();
}

bool ReAnsichtTest::WaitForFocus(const winui::TControl& control, const std::string& what) {
  return Step([&] { return FocusIs(control); }, what);
}

std::u16string ReAnsichtTest::FieldText() const {
  return form.RichEdit1.Text();
}

bool ReAnsichtTest::WaitForText(const std::u16string& text, const std::string& what) {
  return Step([&] { return FieldText() == text; }, what);
}

bool ReAnsichtTest::IsEnabled(const winui::TControl& control) const {
  return IsWindowEnabled(control.Handle()) != FALSE;
}

std::vector<TPopupItem> ReAnsichtTest::Popup(WORD closeKey) {
  Key(VK_APPS);
  HWND menuWindow = nullptr;
  if (!Step([&] { return (menuWindow = MenuWindowOf(ui)) != nullptr; }, "popup menu opens"))
    return {};
  const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  std::vector<TPopupItem> items = ItemsOf(menu);
  Key(closeKey);
  Step([&] { return MenuWindowOf(ui) == nullptr; }, "popup menu closes");
  return items;
}

void ReAnsichtTest::AnswerMessage(winui::TModalResult result) {
  prompt.AnswerMessage([this, result](const winui::TMessageRequest&) {
    ++FMessageCount;
    return result;
  });
}

bool ReAnsichtTest::WaitForMessages(size_t count, const std::string& what) {
  return Step([&] { return FMessageCount >= count; }, what);
}

std::vector<winui::TPromptRecord> ReAnsichtTest::Records(winui::TPromptType type) const {
  std::vector<winui::TPromptRecord> found;
  for (const winui::TPromptRecord& record : prompt.Records())
    if (record.Type == type) found.push_back(record);
  return found;
}

void ReAnsichtTest::ExpectNoErrors() const {
  for (const std::string& error : errors) ADD_FAILURE() << error;
}

}  // namespace tvn::test
