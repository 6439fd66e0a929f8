// Finding the running instance's main window, bringing a window to the foreground and
// handing a file name over by WM_COPYDATA.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tvn {

// The whole caption of a window (up to 131071 code units, far beyond any path).
std::u16string ReadWindowCaption(HWND AWindow);

// The first top-level window, from the top of the Z order, whose caption ends with the
// program caption; null when there is none.
HWND FindProgramWindow(std::u16string_view ACaption);

// Restores the window when minimised and makes it the foreground window, also from a
// process that does not own the foreground at the moment. True when it is now the
// foreground window.
bool ForceForegroundWindow(HWND AWindow);

// Sends the parameters (an empty text: this program's own arguments, joined by "|"),
// trimmed, by WM_COPYDATA and waits for the receiver. Nothing to send counts as success.
bool SendParameters(HWND AWindow, std::u16string_view AParameters);

}  // namespace tvn
