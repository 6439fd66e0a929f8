#include "layout/tests/WinTestSupport.h"

#include <chrono>
#include <iterator>
#include <thread>
#include <vector>

#include "layout/KxDatePicker.h"

namespace tvn::test {
namespace {

bool IsExtendedKey(WORD key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

INPUT MouseInput(DWORD flags, POINT p) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = MulDiv(p.x, 65535, w - 1);
  input.mi.dy = MulDiv(p.y, 65535, h - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

}  // namespace

void UseGermanLocaleNames() {
  TLocaleNames names = ReadLocaleNames(L"de-DE");
  AdjustLocaleNames(names);
  SetProgramLocaleNames(names);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void PressKey(WORD virtualKey) {
  PressChord({virtualKey});
}

void PressChord(const std::vector<WORD>& virtualKeys) {
  std::vector<INPUT> inputs;
  for (WORD key : virtualKeys) inputs.push_back(KeyInput(key, false));
  for (auto it = std::rbegin(virtualKeys); it != std::rend(virtualKeys); ++it) {
    inputs.push_back(KeyInput(*it, true));
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeKeys(std::string_view keys) {
  for (char c : keys) PressKey(static_cast<WORD>(c));
}

void ClickAt(POINT screenPoint) {
  INPUT inputs[] = {MouseInput(MOUSEEVENTF_MOVE, screenPoint),
                    MouseInput(MOUSEEVENTF_LEFTDOWN, screenPoint),
                    MouseInput(MOUSEEVENTF_LEFTUP, screenPoint)};
  SendInput(3, inputs, sizeof(INPUT));
}

void HandlePendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

HWND FocusOfThread(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

}  // namespace tvn::test
