// Helpers for the Windows tests of the start-up: waiting on conditions while this thread's
// messages flow, a plain top-level window that counts the channel's messages, a command
// key of the test's own and foreground handling under Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace tvn::test {

// Handles this thread's messages until cond holds; false on timeout.
bool PumpUntil(const std::function<bool()>& cond, int timeoutMs = 5000);

// A visible top-level window of its own class that counts the messages it receives and
// answers them with 0 (or what OnMessage returns).
class TPlainWindow {
 public:
  // owner HWND_MESSAGE: an invisible message-only window that never takes the activation.
  explicit TPlainWindow(const std::u16string& caption, HWND owner = nullptr);
  ~TPlainWindow();
  TPlainWindow(const TPlainWindow&) = delete;
  TPlainWindow& operator=(const TPlainWindow&) = delete;
  HWND Handle() const { return FHandle; }
  int Count(UINT msg) const;
  // The text of the last WM_COPYDATA received (cbData / 2 code units, cut at the NUL).
  std::u16string LastCopyDataText;
  std::function<void(UINT msg)> OnMessage;

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  HWND FHandle = nullptr;
  std::map<UINT, int> FCounts;
};

// A TPlainWindow of a thread of its own, as another program's window would be.
class TForeignWindow {
 public:
  TForeignWindow();
  ~TForeignWindow();
  TForeignWindow(const TForeignWindow&) = delete;
  TForeignWindow& operator=(const TForeignWindow&) = delete;
  HWND Handle() const { return FHandle; }

 private:
  HANDLE FThread = nullptr;
  DWORD FThreadId = 0;
  HANDLE FReady = nullptr;
  HWND FHandle = nullptr;
};

// Makes the window the foreground window and waits until the system shows it so.
bool MakeForeground(HWND window);

// A command key name no other test or program uses; removed with its values at the end.
class TTestCommandKey {
 public:
  TTestCommandKey();
  ~TTestCommandKey();
  TTestCommandKey(const TTestCommandKey&) = delete;
  TTestCommandKey& operator=(const TTestCommandKey&) = delete;
  const std::u16string& Name() const { return FName; }
  bool Exists() const;
  // Writes a value directly (REG_SZ, or REG_DWORD when dword is set).
  void WriteRaw(const std::u16string& value, const std::u16string& text) const;
  void WriteDword(const std::u16string& value, DWORD number) const;
  void WriteValue(const std::u16string& value, DWORD type, const void* data, size_t size) const;

 private:
  std::u16string FName;
};

bool CommandKeyExists(const std::u16string& name);
void DeleteCommandKey(const std::u16string& name);

// A Tavorin of this Wine session holds the mutex or shows its window.
bool TavorinRuns();

// The settings file of the Wine prefix's user.
std::u16string SettingsFilePath();

// The user's settings file as it was before the test, put back afterwards.
class TSettingsFileGuard {
 public:
  TSettingsFileGuard();
  ~TSettingsFileGuard();
  TSettingsFileGuard(const TSettingsFileGuard&) = delete;
  TSettingsFileGuard& operator=(const TSettingsFileGuard&) = delete;

 private:
  std::u16string FPath;
  std::optional<std::string> FSaved;
};

}  // namespace tvn::test
