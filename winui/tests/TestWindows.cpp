#include "winui/tests/TestWindows.h"

#include <sstream>
#include <string>

#include "platform/Utf16.h"
#include "winui/Form.h"

namespace winui::test {

namespace {

// Without a window manager Wine waits two seconds for every managed window it hides.
// Test programs ask Wine to manage their windows itself, before the display driver
// starts (it reads the setting once). Nothing happens on Windows.
bool UnmanagedWindowsUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return false;
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe(path, n);
  exe = exe.substr(exe.find_last_of(L"\\/") + 1);
  const std::wstring key = L"Software\\Wine\\AppDefaults\\" + exe + L"\\X11 Driver";
  return RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Managed", REG_SZ, L"N",
                         2 * sizeof(wchar_t)) == ERROR_SUCCESS;
}
const bool g_unmanaged = UnmanagedWindowsUnderWine();

}  // namespace

bool PumpUntil(const std::function<bool()>& cond, int timeoutMs) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  while (!cond()) {
    if (GetTickCount64() > end) return false;
    // Sleeps only until a message arrives (or 10 ms), then handles it.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    if (!TMainForm::ProcessMessages()) return cond();
  }
  return true;
}

bool WaitFor(const std::function<bool()>& cond, int timeoutMs) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  while (!cond()) {
    if (GetTickCount64() > end) return false;
    Sleep(5);  // polling interval of the condition
  }
  return true;
}

void PressKey(WORD key, TShiftState modifiers) {
  const std::pair<TShiftState, BYTE> mods[] = {
      {ssCtrl, VK_CONTROL}, {ssShift, VK_SHIFT}, {ssAlt, VK_MENU}};
  for (const auto& [flag, vk] : mods) {
    if (modifiers & flag) keybd_event(vk, 0, 0, 0);
  }
  keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
  for (auto it = std::rbegin(mods); it != std::rend(mods); ++it) {
    if (modifiers & it->first) keybd_event(it->second, 0, KEYEVENTF_KEYUP, 0);
  }
}

void TypeText(const std::u16string& text) {
  for (char16_t ch : text) {
    INPUT strokes[2] = {};
    for (INPUT& stroke : strokes) {
      stroke.type = INPUT_KEYBOARD;
      stroke.ki.wScan = ch;
      stroke.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    strokes[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, strokes, sizeof(INPUT));
  }
}

HWND FocusOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

namespace {
BOOL CALLBACK CollectDialog(HWND window, LPARAM lParam) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(lParam) = window;
    return FALSE;
  }
  return TRUE;
}

struct TCollect {
  std::wstring ClassName;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
  auto* collect = reinterpret_cast<TCollect*>(lParam);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (_wcsicmp(name, collect->ClassName.c_str()) == 0) collect->Found.push_back(window);
  return TRUE;
}
}  // namespace

HWND FindDialogOfThread(DWORD threadId) {
  HWND found = nullptr;
  EnumThreadWindows(threadId, CollectDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> DescendantsOfClass(HWND parent, const std::wstring& className) {
  TCollect collect{className, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&collect));  // recursive
  return collect.Found;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

namespace {

std::wstring ProbePath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"tvn_accessible_probe.exe";
}

// Runs the probe with its output into a pipe, handling this thread's messages meanwhile:
// the probe's requests come to this thread's windows. Empty on failure.
std::string RunProbe(std::wstring commandLine) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(writeEnd);
  std::string output;
  auto drain = [&] {
    DWORD available = 0;
    while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      char buffer[4096];
      DWORD got = 0;
      if (!ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) || got == 0) break;
      output.append(buffer, got);
    }
  };
  if (started) {
    const ULONGLONG end = GetTickCount64() + 30000;
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 50, QS_ALLINPUT) !=
               WAIT_OBJECT_0 &&
           GetTickCount64() < end) {
      TMainForm::ProcessMessages();
      drain();
    }
    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 1);
      output.clear();
    }
    drain();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return output;
}

}  // namespace

std::vector<TAccessibleReading> ReadFromOtherProcess(const std::vector<HWND>& windows) {
  std::wstring commandLine = L"\"" + ProbePath() + L"\"";
  for (HWND window : windows) {
    commandLine += L" " + std::to_wstring(reinterpret_cast<INT_PTR>(window));
  }
  std::istringstream lines(RunProbe(commandLine));
  std::vector<TAccessibleReading> readings;
  for (std::string line; std::getline(lines, line);) {
    TAccessibleReading reading;
    const size_t tab = line.find('\t');
    if (line != "-" && tab != std::string::npos) {
      reading.Found = true;
      reading.Name = tvn::FromUtf8(line.substr(0, tab));
      reading.Role = std::stol(line.substr(tab + 1));
    }
    readings.push_back(reading);
  }
  return readings;
}

}  // namespace winui::test
