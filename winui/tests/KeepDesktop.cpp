// Keeps Wine's desktop for a whole test run: Wine ends its desktop process a few seconds after
// the last window of the session has gone, and a test program that creates its first window
// just then gets "invalid window handle". One hidden window, never shown, keeps it; the run
// ends this program with the Wine server.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (!CreateWindowExW(0, L"STATIC", L"tvn-keep-desktop", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                       nullptr, nullptr)) {
    return 1;
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
