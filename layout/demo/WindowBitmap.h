// Saves what a window shows on the screen as a 24-bit BMP file, for looking at a layout.
#pragma once

#include <windows.h>

namespace tvn {

// False when the screen could not be read or the file not written.
bool SaveWindowBitmap(HWND window, const char* fileName);

}  // namespace tvn
