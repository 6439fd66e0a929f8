#include "layout/tests/FixedTextMeasure.h"

namespace tvn {

int TFixedTextMeasure::TextWidth(std::u16string_view text) const {
  return static_cast<int>(text.size()) * CharWidth;
}

int TFixedTextMeasure::WrappedTextHeight(std::u16string_view text, int width) const {
  int lines = 1;
  int used = 0;  // characters on the current line
  size_t i = 0;
  while (i < text.size()) {
    size_t end = text.find(u' ', i);
    if (end == std::u16string_view::npos) end = text.size();
    const int word = static_cast<int>(end - i);
    const int needed = used == 0 ? word : used + 1 + word;
    if (used > 0 && needed * CharWidth > width) {
      ++lines;
      used = word;
    } else {
      used = needed;
    }
    i = end + 1;
  }
  return lines * LineHeight;
}

}  // namespace tvn
