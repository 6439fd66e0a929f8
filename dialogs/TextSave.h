// Writing a text in one of five formats, for the details viewer's save command and the
// update command. The file is written completely under a temporary name and then moved
// onto the target, so a failure never leaves a half-written file behind.
#pragma once

#include <string>
#include <string_view>

#include "dialogs/KxRtfRef.h"

namespace tvn {

enum TTextSaveFormat : int {
  tsfAnsi = 1,     // the system's ANSI code page, no mark
  tsfUnicode = 2,  // FF FE, UTF-16 little-endian
  tsfRtf = 3,
  tsfUtf8 = 4,     // no mark
  tsfUtf8Bom = 5,  // EF BB BF
};

// The bytes of the text in the format; any other code gives ANSI. The text is taken as it
// is: line breaks and form feeds stay, nothing is added. Font: for RTF only, may be null.
std::string EncodeTextForSave(std::u16string_view Text, int Format, const TRtfSchrift* Font);

// false with the system's message in error when the file cannot be written.
bool SaveTextToFile(const std::u16string& FileName, std::u16string_view Text, int Format,
                    const TRtfSchrift* Font, std::u16string& error);

}  // namespace tvn
