#include "startup/ProgramWindow.h"

#include <algorithm>
#include <string>

#include "platform/Platform.h"
#include "startup/CopyData.h"
#include "startup/Handover.h"

namespace tvn {

namespace {

bool IsForeground(HWND window) { return GetForegroundWindow() == window; }

// Windows refuses the foreground to a process that does not own it; with its input
// attached to the foreground thread's, the call counts as coming from that thread.
bool ForegroundThroughAttachedInput(HWND window) {
  const DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
  const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  if (foregroundThread == 0 || !AttachThreadInput(windowThread, foregroundThread, TRUE)) {
    return false;
  }
  BringWindowToTop(window);
  SetForegroundWindow(window);
  AttachThreadInput(windowThread, foregroundThread, FALSE);
  return IsForeground(window);
}

// Without a lock time-out the system lets any process take the foreground.
bool ForegroundWithoutLockTimeout(HWND window) {
  DWORD timeout = 0;
  const bool haveTimeout =
      SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0) != FALSE;
  if (haveTimeout) {
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
  }
  BringWindowToTop(window);
  SetForegroundWindow(window);
  if (haveTimeout) {
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<void*>(static_cast<ULONG_PTR>(timeout)),
                          SPIF_SENDCHANGE);
  }
  return IsForeground(window);
}

}  // namespace

std::u16string ReadWindowCaption(HWND AWindow) {
  // GetWindowTextW sends nothing to another program's window, so a hung program cannot
  // stop the search; a full buffer may have cut the caption, so it is read with more room.
  constexpr int kMostRoom = 1 << 17;
  for (int room = 512;; room *= 2) {
    std::u16string caption(static_cast<size_t>(room), u'\0');
    const int length = GetWindowTextW(AWindow, reinterpret_cast<wchar_t*>(caption.data()), room);
    caption.resize(static_cast<size_t>(std::max(length, 0)));
    if (length < room - 1 || room >= kMostRoom) return caption;
  }
}

HWND FindProgramWindow(std::u16string_view ACaption) {
  // Windows come and go during the walk; the bound keeps a changing list from looping.
  constexpr int kMaxWindows = 65536;
  HWND window = FindWindowW(nullptr, nullptr);
  for (int i = 0; window != nullptr && i < kMaxWindows; ++i) {
    if (IsProgramWindowCaption(ReadWindowCaption(window), ACaption)) return window;
    window = GetWindow(window, GW_HWNDNEXT);
  }
  return nullptr;
}

bool ForceForegroundWindow(HWND AWindow) {
  if (IsIconic(AWindow)) ShowWindow(AWindow, SW_RESTORE);
  if (IsForeground(AWindow)) return true;
  if (ForegroundThroughAttachedInput(AWindow)) return true;
  return ForegroundWithoutLockTimeout(AWindow);
}

bool SendParameters(HWND AWindow, std::u16string_view AParameters) {
  std::u16string text = CopyDataSendText(
      AParameters, AParameters.empty() ? platform::CommandLineArguments(0, nullptr)
                                       : std::vector<std::u16string>{});
  if (text.empty()) return true;
  COPYDATASTRUCT payload{};
  payload.dwData = 0;
  payload.cbData = static_cast<DWORD>(CopyDataByteSize(text));
  payload.lpData = text.data();
  return SendMessageW(AWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&payload)) == 0;
}

}  // namespace tvn
