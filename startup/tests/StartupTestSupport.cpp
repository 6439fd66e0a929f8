#include "startup/tests/StartupTestSupport.h"

#include <shlobj.h>

#include <atomic>
#include <chrono>
#include <filesystem>

#include "data/tests/TestData.h"
#include "mainwindow/WindowCaption.h"
#include "platform/Utf16.h"
#include "startup/ProgramWindow.h"
#include "winui/Form.h"

namespace tvn::test {

namespace {

const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

constexpr wchar_t kPlainWindowClass[] = L"TvnStartupTestWindow";

}  // namespace

bool PumpUntil(const std::function<bool()>& cond, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!cond()) {
    if (std::chrono::steady_clock::now() > end) return false;
    winui::TMainForm::ProcessMessages();
    // Wakes at once for a new message, else looks at the condition again soon.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

TPlainWindow::TPlainWindow(const std::u16string& caption, HWND owner) {
  static const ATOM atom = [] {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.lpszClassName = kPlainWindowClass;
    return RegisterClassExW(&cls);
  }();
  (void)atom;
  const DWORD style = owner == HWND_MESSAGE ? 0 : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  FHandle = CreateWindowExW(0, kPlainWindowClass, W(caption), style, 100, 100, 300, 200, owner,
                            nullptr, GetModuleHandleW(nullptr), this);
}

TPlainWindow::~TPlainWindow() {
  if (FHandle) DestroyWindow(FHandle);
}

int TPlainWindow::Count(UINT msg) const {
  const auto it = FCounts.find(msg);
  return it == FCounts.end() ? 0 : it->second;
}

LRESULT CALLBACK TPlainWindow::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TPlainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || (msg < WM_USER && msg != WM_COPYDATA)) {
    return DefWindowProcW(window, msg, wParam, lParam);
  }
  ++self->FCounts[msg];
  if (msg == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    std::u16string text(reinterpret_cast<const char16_t*>(data->lpData), data->cbData / 2);
    if (const size_t nul = text.find(u'\0'); nul != std::u16string::npos) text.resize(nul);
    self->LastCopyDataText = text;
  }
  if (self->OnMessage) self->OnMessage(msg);
  return 0;
}

TForeignWindow::TForeignWindow() {
  FReady = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  FThread = CreateThread(
      nullptr, 0,
      [](void* param) -> DWORD {
        auto* self = static_cast<TForeignWindow*>(param);
        TPlainWindow window(u"Anderes Programm");
        self->FHandle = window.Handle();
        SetEvent(self->FReady);
        MSG msg{};
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        return 0;
      },
      this, 0, &FThreadId);
  if (FThread) WaitForSingleObject(FReady, 10000);
}

TForeignWindow::~TForeignWindow() {
  if (FThread) {
    PostThreadMessageW(FThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(FThread, INFINITE);
    CloseHandle(FThread);
  }
  if (FReady) CloseHandle(FReady);
}

bool MakeForeground(HWND window) {
  // Also when another process holds the foreground now.
  ForceForegroundWindow(window);
  // Without a window manager Wine takes a moment before the change shows.
  return PumpUntil([window] { return GetForegroundWindow() == window; });
}

TTestCommandKey::TTestCommandKey() {
  static std::atomic<int> counter{0};
  FName = u"TavorinTest-" + IntToText(GetCurrentProcessId()) + u"-" + IntToText(counter++);
  DeleteCommandKey(FName);
}

TTestCommandKey::~TTestCommandKey() { DeleteCommandKey(FName); }

bool TTestCommandKey::Exists() const { return CommandKeyExists(FName); }

void TTestCommandKey::WriteRaw(const std::u16string& value, const std::u16string& text) const {
  WriteValue(value, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(char16_t));
}

void TTestCommandKey::WriteDword(const std::u16string& value, DWORD number) const {
  WriteValue(value, REG_DWORD, &number, sizeof(number));
}

void TTestCommandKey::WriteValue(const std::u16string& value, DWORD type, const void* data,
                                 size_t size) const {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, W(FName), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(key, W(value), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
  RegCloseKey(key);
}

bool CommandKeyExists(const std::u16string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, W(name), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void DeleteCommandKey(const std::u16string& name) { RegDeleteTreeW(HKEY_CURRENT_USER, W(name)); }

bool TavorinRuns() {
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, W(std::u16string(kProgramCaption)));
  if (mutex) CloseHandle(mutex);
  return mutex != nullptr || FindProgramWindow(kProgramCaption) != nullptr;
}

std::u16string SettingsFilePath() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, folder))) return {};
  return reinterpret_cast<const char16_t*>(folder) + std::u16string(u"\\Tavorin\\Tavorin.ini");
}

namespace {

}  // namespace

TSettingsFileGuard::TSettingsFileGuard() : FPath(SettingsFilePath()) {
  if (!FPath.empty() && std::filesystem::exists(std::filesystem::path(FPath))) {
    FSaved = ReadBytes(FPath);
  }
}

TSettingsFileGuard::~TSettingsFileGuard() {
  if (FPath.empty()) return;
  if (FSaved) {
    WriteBytes(FPath, *FSaved);
  } else {
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(FPath), ec);
  }
}

}  // namespace tvn::test
