// Win32 helpers every window file uses: error texts, UTF-16 conversions at the API
// boundary, text measuring on a screen device context and a few system metrics.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace winui {

// The system's text for an error code, without the trailing line break; for an unknown
// code "Fehler <code>".
std::u16string LastErrorText(DWORD code = GetLastError());

// std::u16string and wchar_t are both UTF-16 on Windows.
inline const wchar_t* W(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}
inline const wchar_t* W(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }
inline std::u16string U16(const wchar_t* s) {
  return s ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string();
}
inline std::u16string U16(const wchar_t* s, size_t n) {
  return std::u16string(reinterpret_cast<const char16_t*>(s), n);
}
std::u16string WindowText(HWND window);
void SetWindowTextU(HWND window, const std::u16string& text);
std::u16string ClassNameOf(HWND window);

// A device context of the screen for measuring; released when it goes out of scope.
class TScreenDC {
 public:
  TScreenDC();
  ~TScreenDC();
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  HDC Get() const { return FDC; }
  explicit operator bool() const { return FDC != nullptr; }

 private:
  HDC FDC;
};

// Text measuring in a font (null font: the system's GUI font) on a screen DC.
// All return 0 (or an empty size) when no DC can be obtained.
SIZE TextExtent(HFONT font, std::u16string_view text);  // one line, GetTextExtentPoint32W
int FontTextHeight(HFONT font);                          // ascent + descent (tmHeight)
// Word-wrapped into maxWidth (DrawTextW DT_CALCRECT | DT_WORDBREAK); with prefix false
// an "&" counts as a character (DT_NOPREFIX).
SIZE WrappedTextExtent(HFONT font, std::u16string_view text, int maxWidth, bool prefix = false);

int ScreenDpi();
int CheckMarkWidth();          // SM_CXMENUCHECK
int VerticalScrollBarWidth();  // SM_CXVSCROLL
// Work area (screen without task bars) of the monitor that shows the window (or the
// primary one for null).
RECT MonitorWorkArea(HWND window);

// Outer rectangle of a window in the client coordinates of its parent (screen
// coordinates for a top-level window).
RECT WindowRectInParent(HWND window);

HINSTANCE ModuleInstance();

}  // namespace winui

namespace winui {
// The window a modal box or dialog opened now belongs to: the thread's active window when
// it is visible and enabled, else null.
HWND ModalOwnerWindow();
}  // namespace winui
