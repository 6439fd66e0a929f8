#include "winui/Win32Util.h"

#include <vector>

namespace winui {

std::u16string LastErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text;
  if (n && buffer) {
    text = U16(buffer, n);
    LocalFree(buffer);
  }
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) {
    text.pop_back();
  }
  if (text.empty()) {
    const std::wstring number = std::to_wstring(code);
    text = u"Fehler " + U16(number.c_str());
  }
  return text;
}

std::u16string WindowText(HWND window) {
  const int n = GetWindowTextLengthW(window);
  if (n <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1);
  const int got = GetWindowTextW(window, buffer.data(), n + 1);
  return U16(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void SetWindowTextU(HWND window, const std::u16string& text) { SetWindowTextW(window, W(text)); }

std::u16string ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  const int n = GetClassNameW(window, name, 256);
  return U16(name, static_cast<size_t>(n > 0 ? n : 0));
}

TScreenDC::TScreenDC() : FDC(GetDC(nullptr)) {}
TScreenDC::~TScreenDC() {
  if (FDC) ReleaseDC(nullptr, FDC);
}

namespace {

// Selects a font into the screen DC for the lifetime of the object.
class TFontSelection {
 public:
  TFontSelection(HDC dc, HFONT font)
      : FDC(dc), FOld(SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT))) {}
  ~TFontSelection() { SelectObject(FDC, FOld); }

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

}  // namespace

SIZE TextExtent(HFONT font, std::u16string_view text) {
  SIZE size{0, 0};
  if (text.empty()) return size;
  TScreenDC dc;
  if (!dc) return size;
  TFontSelection sel(dc.Get(), font);
  if (!GetTextExtentPoint32W(dc.Get(), reinterpret_cast<const wchar_t*>(text.data()),
                             static_cast<int>(text.size()), &size)) {
    return SIZE{0, 0};
  }
  return size;
}

int FontTextHeight(HFONT font) {
  TScreenDC dc;
  if (!dc) return 0;
  TFontSelection sel(dc.Get(), font);
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(dc.Get(), &tm)) return 0;
  return tm.tmHeight;
}

SIZE WrappedTextExtent(HFONT font, std::u16string_view text, int maxWidth, bool prefix) {
  SIZE size{0, 0};
  TScreenDC dc;
  if (!dc) return size;
  TFontSelection sel(dc.Get(), font);
  RECT r{0, 0, maxWidth > 0 ? maxWidth : 1, 0};
  UINT flags = DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_TOP;
  if (!prefix) flags |= DT_NOPREFIX;
  // An empty text still has the height of one line.
  const wchar_t* s = text.empty() ? L" " : reinterpret_cast<const wchar_t*>(text.data());
  const int n = text.empty() ? 1 : static_cast<int>(text.size());
  if (DrawTextW(dc.Get(), s, n, &r, flags) == 0) return size;
  size.cx = text.empty() ? 0 : r.right - r.left;
  size.cy = r.bottom - r.top;
  return size;
}

int ScreenDpi() {
  TScreenDC dc;
  return dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96;
}

int CheckMarkWidth() { return GetSystemMetrics(SM_CXMENUCHECK); }
int VerticalScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

RECT MonitorWorkArea(HWND window) {
  HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                            : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

RECT WindowRectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) {
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

HWND ModalOwnerWindow() {
  HWND active = GetActiveWindow();
  if (active && IsWindowVisible(active) && IsWindowEnabled(active)) return active;
  return nullptr;
}

}  // namespace winui
