// The size rules of the main window: limits and size within the work area of its
// monitor, so that a small screen never gets a window larger than itself.
#pragma once

namespace tvn {

struct TFensterGroesse {
  int Width = 0, Height = 0;
  int MinWidth = 0, MinHeight = 0;
  int MaxWidth = 0, MaxHeight = 0;  // 0: no maximum
  bool operator==(const TFensterGroesse&) const = default;
};

// A minimum above the work area becomes the work area; a maximum below the minimum
// becomes the minimum; the size lies within all of them.
TFensterGroesse FensterGroesseBerechnen(int width, int height, int minWidth, int minHeight,
                                        int maxWidth, int maxHeight, int workWidth,
                                        int workHeight);

}  // namespace tvn
