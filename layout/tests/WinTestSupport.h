// Helpers of the window tests: German locale names, waiting on conditions, and real
// keyboard and mouse input through SendInput.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

#include "data/Datum.h"

namespace tvn::test {

// The names Wine gives de-DE, adjusted as at program start ("Mo." becomes "Mo").
void UseGermanLocaleNames();

inline TDateTime D(int jahr, int monat, int tag) {
  return EncodeDatum(jahr, monat, tag);
}

// Checks the condition every few milliseconds until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

void PressKey(WORD virtualKey);
// Presses the keys in order and releases them in reverse (Shift, Insert: Shift+Insert).
void PressChord(const std::vector<WORD>& virtualKeys);
void TypeKeys(std::string_view digits);  // digits and letters as their keys
void ClickAt(POINT screenPoint);

// Handles what is still waiting for this thread: the last injected input of a closed
// dialog must not reach the windows of the next test.
void HandlePendingMessages();

// The window with the keyboard focus in another thread.
HWND FocusOfThread(DWORD threadId);

}  // namespace tvn::test
