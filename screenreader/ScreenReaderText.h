// Text rules of the screen reader output that need no reader to check.
#pragma once

#include <string>
#include <string_view>

namespace tvn {

// The JAWS script call that shows S on the braille display. A double quote would end the
// script's string literal early, so each one becomes an apostrophe; nothing else changes.
std::u16string BrailleStringCall(std::u16string_view S);

}  // namespace tvn
