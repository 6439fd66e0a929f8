// Conversions between the UTF-16 text of the core and UTF-8 bytes (files, POSIX paths, logs).
#pragma once

#include <string>
#include <string_view>

namespace tvn {

std::string ToUtf8(std::u16string_view text);
void AppendUtf8(std::string& out, std::u16string_view text);
// Invalid sequences become U+FFFD, so any byte string converts.
std::u16string FromUtf8(std::string_view bytes);

// Decimal digits of a number, for building texts without locale influence.
std::u16string IntToText(long long value);

// Removes blanks and control characters (every code unit up to U+0020) from both ends.
std::u16string Trim(std::u16string_view text);
// The same at the end only.
std::u16string TrimRight(std::u16string_view text);

}  // namespace tvn
