#include "winui/Timer.h"

#include <windows.h>

#include <set>

#include "winui/Control.h"
#include "winui/Win32Util.h"

namespace winui {

// One hidden message-only window of the user-interface thread receives all timers; the
// timer id is the object's address, checked against the live timers before use.
struct TTimerWindow {
  static std::set<TTimer*>& Live() {
    static std::set<TTimer*> live;
    return live;
  }

  static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
      auto* timer = reinterpret_cast<TTimer*>(wParam);
      if (Live().count(timer) && timer->FRunning && timer->OnTimer) {
        Guarded([timer] { timer->OnTimer(); });
      }
      return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
  }

  static HWND Get() {
    static HWND window = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = Proc;
      wc.hInstance = ModuleInstance();
      wc.lpszClassName = L"TvnTimerWindow";
      RegisterClassExW(&wc);
      return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             ModuleInstance(), nullptr);
    }();
    return window;
  }
};

TTimer::~TTimer() {
  FEnabled = false;
  Update();
}

void TTimer::SetInterval(unsigned AInterval) {
  if (AInterval == FInterval) return;
  FInterval = AInterval;
  Update();
}

void TTimer::SetEnabled(bool AEnabled) {
  if (AEnabled == FEnabled) return;
  FEnabled = AEnabled;
  Update();
}

void TTimer::Update() {
  const bool run = FEnabled && FInterval > 0;
  HWND window = TTimerWindow::Get();
  const auto id = reinterpret_cast<UINT_PTR>(this);
  if (run) {
    TTimerWindow::Live().insert(this);
    FRunning = SetTimer(window, id, FInterval, nullptr) != 0;  // also restarts the interval
  } else {
    if (FRunning) KillTimer(window, id);
    FRunning = false;
    TTimerWindow::Live().erase(this);
  }
}

}  // namespace winui
