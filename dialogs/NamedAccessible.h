// An accessible name for a window that Windows cannot name by itself: the standard
// object a screen reader gets for the window, with this name. Used where no label sits
// right before the control (a date control after its check box, the RichEdit, whose
// standard object has no name). The name holds while the window lives.
#pragma once

#include <windows.h>

#include <string>

namespace tvn {

void SetAccessibleName(HWND window, const std::u16string& name);

}  // namespace tvn
