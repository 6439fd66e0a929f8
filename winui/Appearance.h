// The program-wide appearance: one font and one background colour for every window.
// Plain values only (no <windows.h>), so portable code can read and store them.
#pragma once

#include <cstdint>
#include <string>

namespace winui {

// An RGB colour as Windows stores it: 0x00BBGGRR.
using TColor = std::uint32_t;
// "Whatever the system uses for this kind of control."
inline constexpr TColor clDefault = 0xFF000000u;
inline constexpr TColor clBlack = 0x000000u;
inline constexpr TColor clWhite = 0xFFFFFFu;

inline constexpr int kDefaultCharSet = 1;  // DEFAULT_CHARSET: the face decides

struct TFont {
  std::u16string Name = u"Arial";
  int Size = 12;  // points
  TColor Color = clBlack;
  bool Bold = false;
  int CharSet = kDefaultCharSet;
  bool operator==(const TFont&) const = default;
};

// Pixel height of the character cell for a size in points at a screen resolution,
// rounded like MulDiv(points, dpi, 72).
constexpr int PointsToPixels(int points, int dpi) {
  const long long p = static_cast<long long>(points) * dpi;
  return static_cast<int>(p >= 0 ? (p + 36) / 72 : (p - 36) / 72);
}

// Set by the main window at its creation and changed by the font dialog; every window
// applies them (winui/FontCache.h has the helpers that do).
inline TFont AktFont;
inline TColor AktBackColor = clWhite;

}  // namespace winui
