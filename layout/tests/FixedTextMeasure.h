// Text measuring with fixed metrics: every character is CharWidth wide, every line
// LineHeight high, and word wrapping breaks at blanks like DrawText (a word longer than
// the width stays on one line).
#pragma once

#include "layout/LayoutMath.h"

namespace tvn {

class TFixedTextMeasure : public TTextMeasure {
 public:
  TFixedTextMeasure(int charWidth, int lineHeight) : CharWidth(charWidth), LineHeight(lineHeight) {}
  int TextHeight() const override { return LineHeight; }
  int TextWidth(std::u16string_view text) const override;
  int WrappedTextHeight(std::u16string_view text, int width) const override;

  int CharWidth;
  int LineHeight;
};

}  // namespace tvn
