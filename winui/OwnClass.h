// The window classes of this layer and the procedures that bind windows to objects.
#pragma once

#include <windows.h>

namespace winui {

inline constexpr wchar_t kWindowClass[] = L"TvnWindow";  // boxes and panels
inline constexpr wchar_t kFormClass[] = L"TvnForm";      // main forms
// Registers both classes once.
void RegisterOwnClasses();
bool IsOwnClass(const wchar_t* className);
// Common controls and RichEdit, once per process.
void InitControlsOnce();

class TControl;
// One message for an object; handled tells whether the default processing is still due.
LRESULT Dispatch(TControl* control, HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                 bool& handled);

// Private messages of the layer (below WM_APP, which belongs to the program).
inline constexpr UINT WM_TVN_TRYCLOSE = WM_USER + 0x7A01;
inline constexpr UINT WM_TVN_COLUMNCHECK = WM_USER + 0x7A02;

}  // namespace winui
