#include "mainwindow/CharCase.h"

#include "platform/Platform.h"

namespace tvn {

bool BeginsIgnoringCharCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (platform::LowerCaseChar(text[i]) != platform::LowerCaseChar(prefix[i])) return false;
  }
  return true;
}

}  // namespace tvn
