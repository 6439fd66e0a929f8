#include "screenreader/ScreenReaderText.h"

#include <algorithm>

namespace tvn {

std::u16string BrailleStringCall(std::u16string_view S) {
  std::u16string text(S);
  std::replace(text.begin(), text.end(), u'"', u'\'');
  return u"BrailleString(\"" + text + u"\")";
}

}  // namespace tvn
