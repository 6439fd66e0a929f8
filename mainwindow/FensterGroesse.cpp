#include "mainwindow/FensterGroesse.h"

#include <algorithm>

namespace tvn {
namespace {

struct TExtent {
  int Size, Min, Max;
};

TExtent Limit(int size, int minimum, int maximum, int work) {
  if (minimum > 0 && minimum > work) minimum = work;
  if (maximum > 0 && maximum < minimum) maximum = minimum;
  size = std::max(std::min(size, work), minimum);
  if (maximum > 0) size = std::min(size, maximum);
  return {size, minimum, maximum};
}

}  // namespace

TFensterGroesse FensterGroesseBerechnen(int width, int height, int minWidth, int minHeight,
                                        int maxWidth, int maxHeight, int workWidth,
                                        int workHeight) {
  const TExtent w = Limit(width, minWidth, maxWidth, workWidth);
  const TExtent h = Limit(height, minHeight, maxHeight, workHeight);
  return {w.Size, h.Size, w.Min, h.Min, w.Max, h.Max};
}

}  // namespace tvn
