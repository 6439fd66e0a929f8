// Helpers for window tests: waiting on conditions while messages flow, key presses
// through the system's input queue, and finding windows of the user-interface thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "winui/ShortCut.h"

namespace winui::test {

// Handles this thread's messages (as the main loop does) until cond holds; false on
// timeout.
bool PumpUntil(const std::function<bool()>& cond, int timeoutMs = 5000);
// For a second thread: polls cond until it holds; false on timeout.
bool WaitFor(const std::function<bool()>& cond, int timeoutMs = 5000);
// Presses and releases a key with modifiers through the input queue (keybd_event).
void PressKey(WORD key, TShiftState modifiers = 0);
// Types the characters through the input queue as Unicode key strokes (VK_PACKET), so that
// any character arrives whatever the keyboard layout.
void TypeText(const std::u16string& text);
// The focused window of a thread.
HWND FocusOf(DWORD threadId);
// A visible top-level dialog-class window (#32770) of a thread, or null.
HWND FindDialogOfThread(DWORD threadId);
// All descendants of a window with the class name.
std::vector<HWND> DescendantsOfClass(HWND parent, const std::wstring& className);
std::wstring TextOf(HWND window);

// What a screen reader in another process reads for a window's client object.
struct TAccessibleReading {
  bool Found = false;  // the window has an accessible object
  std::u16string Name;
  long Role = 0;
};
// Reads the windows from a second process (the probe program beside the test program, see
// tvn_use_accessible_probe) while this thread answers its requests.
std::vector<TAccessibleReading> ReadFromOtherProcess(const std::vector<HWND>& windows);

}  // namespace winui::test
