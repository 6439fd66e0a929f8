#include "winui/FontCache.h"

#include <map>
#include <tuple>

#include "winui/Controls.h"
#include "winui/Win32Util.h"

namespace winui {

namespace {

using TFontKey = std::tuple<std::u16string, int, bool, int>;

TFont FontFromLog(const LOGFONTW& log) {
  TFont f;
  f.Name = U16(log.lfFaceName);
  const int pixels = log.lfHeight < 0 ? -log.lfHeight : log.lfHeight;
  const int dpi = ScreenDpi();
  f.Size = dpi > 0 ? (pixels * 72 + dpi / 2) / dpi : pixels;
  f.Bold = log.lfWeight >= FW_SEMIBOLD;
  f.CharSet = log.lfCharSet;
  f.Color = SystemColor(COLOR_WINDOWTEXT);
  return f;
}

}  // namespace

HFONT FontHandle(const TFont& font) {
  static std::map<TFontKey, HFONT> cache;
  const TFontKey key{font.Name, font.Size, font.Bold, font.CharSet};
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  LOGFONTW log{};
  log.lfHeight = -PointsToPixels(font.Size, ScreenDpi());
  log.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  log.lfCharSet = static_cast<BYTE>(font.CharSet);
  log.lfOutPrecision = OUT_DEFAULT_PRECIS;
  log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  log.lfQuality = DEFAULT_QUALITY;
  log.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynW(log.lfFaceName, W(font.Name), LF_FACESIZE);
  HFONT handle = CreateFontIndirectW(&log);
  if (!handle) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  cache.emplace(key, handle);
  return handle;
}

const TFont& SystemMessageFont() {
  static const TFont font = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
      return FontFromLog(metrics.lfMessageFont);
    }
    TFont fallback;
    fallback.Name = u"MS Shell Dlg 2";
    fallback.Size = 8;
    return fallback;
  }();
  return font;
}

const TFont& IconTitleFont() {
  static const TFont font = [] {
    LOGFONTW log{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(log), &log, 0)) {
      return FontFromLog(log);
    }
    return SystemMessageFont();
  }();
  return font;
}

HBRUSH SolidBrush(TColor color) {
  static std::map<TColor, HBRUSH> cache;
  auto it = cache.find(color);
  if (it != cache.end()) return it->second;
  HBRUSH brush = CreateSolidBrush(color);
  if (!brush) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  cache.emplace(color, brush);
  return brush;
}

TColor SystemColor(int index) { return GetSysColor(index); }

void ApplyAktAppearance(TControl& control) {
  control.SetFont(AktFont);
  control.SetColor(AktBackColor);  // push buttons ignore it
}

void ApplyAktAppearanceTree(TControl& root) {
  for (TControl* child : root.Controls()) {
    ApplyAktAppearance(*child);
    ApplyAktAppearanceTree(*child);
  }
}

}  // namespace winui
