#include "dialogs/TextPrinter.h"

#include <algorithm>
#include <vector>

#include "dialogs/PrintLayout.h"
#include "winui/Win32Util.h"

namespace tvn {

namespace {

// A font selected into a device context for as long as the object lives.
class TPrinterFont {
 public:
  TPrinterFont(HDC dc, const winui::TFont& font) : FDC(dc) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(std::max(font.Size, 1), GetDeviceCaps(dc, LOGPIXELSY), 72);
    lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::u16string name = font.Name.substr(0, LF_FACESIZE - 1);
    std::copy(name.begin(), name.end(), lf.lfFaceName);
    FFont = CreateFontIndirectW(&lf);
    if (FFont) FOld = SelectObject(dc, FFont);
  }
  ~TPrinterFont() {
    if (FOld) SelectObject(FDC, FOld);
    if (FFont) DeleteObject(FFont);
  }
  TPrinterFont(const TPrinterFont&) = delete;
  TPrinterFont& operator=(const TPrinterFont&) = delete;
  bool Ok() const { return FFont != nullptr; }

 private:
  HDC FDC;
  HFONT FFont = nullptr;
  HGDIOBJ FOld = nullptr;
};

int TextWidth(HDC dc, std::u16string_view s) {
  SIZE size{};
  if (s.empty()) return 0;
  GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(s.data()), static_cast<int>(s.size()),
                        &size);
  return size.cx;
}

// The printable area less a margin of two thirds of an inch on each side.
RECT PrintArea(HDC dc) {
  const int mx = GetDeviceCaps(dc, LOGPIXELSX) * 2 / 3;
  const int my = GetDeviceCaps(dc, LOGPIXELSY) * 2 / 3;
  const int width = GetDeviceCaps(dc, HORZRES);
  const int height = GetDeviceCaps(dc, VERTRES);
  return RECT{mx, my, std::max(width - mx, mx + 1), std::max(height - my, my + 1)};
}

bool PrintPages(HDC dc, const std::vector<TDruckSeite>& seiten, const RECT& area, int lineHeight) {
  for (const TDruckSeite& seite : seiten) {
    if (StartPage(dc) <= 0) return false;
    int y = area.top;
    for (const std::u16string& zeile : seite) {
      if (!zeile.empty()) {
        TextOutW(dc, area.left, y, reinterpret_cast<const wchar_t*>(zeile.data()),
                 static_cast<int>(zeile.size()));
      }
      y += lineHeight;
    }
    if (EndPage(dc) <= 0) return false;
  }
  return true;
}

}  // namespace

bool PrintText(HDC printerDC, const std::u16string& jobTitle, const std::u16string& text,
               const winui::TFont& font, std::u16string& error) {
  auto fail = [&] {
    error = winui::LastErrorText();
    return false;
  };
  if (!printerDC) {
    SetLastError(ERROR_INVALID_HANDLE);
    return fail();
  }
  TPrinterFont printerFont(printerDC, font);
  if (!printerFont.Ok()) return fail();
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(printerDC, &metrics)) return fail();
  const int lineHeight = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 1);
  const RECT area = PrintArea(printerDC);
  const std::vector<TDruckSeite> seiten =
      DruckSeiten(text, area.right - area.left, (area.bottom - area.top) / lineHeight,
                  [&](std::u16string_view s) { return TextWidth(printerDC, s); });

  SetTextColor(printerDC, RGB(0, 0, 0));
  SetBkMode(printerDC, TRANSPARENT);
  DOCINFOW doc{};
  doc.cbSize = sizeof(doc);
  doc.lpszDocName = winui::W(jobTitle);
  if (StartDocW(printerDC, &doc) <= 0) return fail();
  if (!PrintPages(printerDC, seiten, area, lineHeight)) {
    const DWORD code = GetLastError();
    AbortDoc(printerDC);
    error = winui::LastErrorText(code);
    return false;
  }
  if (EndDoc(printerDC) <= 0) return fail();
  return true;
}

}  // namespace tvn
