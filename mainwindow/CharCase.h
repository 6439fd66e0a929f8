// Comparison without regard to case, one code unit at a time, each lowered by itself
// (A to Z directly, others by the system's mapping): how file names and typed letters
// are matched.
#pragma once

#include <string_view>

namespace tvn {

bool BeginsIgnoringCharCase(std::u16string_view text, std::u16string_view prefix);
inline bool EqualIgnoringCharCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && BeginsIgnoringCharCase(a, b);
}

}  // namespace tvn
