#include "dialogs/TextSave.h"

#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn {

namespace {

std::string Utf16LittleEndian(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + text.size() * 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

}  // namespace

std::string EncodeTextForSave(std::u16string_view Text, int Format, const TRtfSchrift* Font) {
  switch (Format) {
    case tsfUnicode:
      return Utf16LittleEndian(Text);
    case tsfRtf:
      return (Font ? TRtfRef(*Font) : TRtfRef()).Document(Text);
    case tsfUtf8:
      return ToUtf8(Text);
    case tsfUtf8Bom:
      return "\xEF\xBB\xBF" + ToUtf8(Text);
    default:
      return platform::ToAnsiCodePage(Text);
  }
}

bool SaveTextToFile(const std::u16string& FileName, std::u16string_view Text, int Format,
                    const TRtfSchrift* Font, std::u16string& error) {
  return platform::ReplaceFileAtomically(FileName, EncodeTextForSave(Text, Format, Font), error);
}

}  // namespace tvn
