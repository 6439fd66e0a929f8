#include "dialogs/KxRtfRef.h"

#include <algorithm>

#include "platform/Cp1252.h"

namespace tvn {

namespace {

void AppendHex(std::string& out, int byte) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += "\\'";
  out += kDigits[(byte >> 4) & 0xF];
  out += kDigits[byte & 0xF];
}

// One character of running text or of a font name.
void AppendChar(std::string& out, char16_t c) {
  if (c == u'\\' || c == u'{' || c == u'}') {
    out += '\\';
    out += static_cast<char>(c);
  } else if (c >= 0x20 && c < 0x80) {
    out += static_cast<char>(c);
  } else if (const int b = platform::Cp1252Byte(c); b >= 0) {
    AppendHex(out, b);
  } else {
    // \u takes a signed 16-bit number; surrogates go one by one, as RTF readers expect.
    out += "\\u" + std::to_string(static_cast<std::int16_t>(c)) + "?";
  }
}

void AppendText(std::string& out, std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out += "\\par\r\n";
    } else if (c == u'\f') {
      out += "\\page ";
    } else if (c == u'\t') {
      out += "\\tab ";
    } else {
      AppendChar(out, c);
    }
  }
}

}  // namespace

std::string TRtfRef::Document(std::u16string_view text) const {
  const TRtfSchrift& schrift = Font;
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 ";
  for (char16_t c : schrift.Name) AppendChar(out, c);
  out += ";}}\r\n{\\colortbl ;";
  out += "\\red" + std::to_string(schrift.Color & 0xFF);
  out += "\\green" + std::to_string((schrift.Color >> 8) & 0xFF);
  out += "\\blue" + std::to_string((schrift.Color >> 16) & 0xFF);
  out += ";}\r\n\\viewkind4\\pard\\plain\\f0\\fs" + std::to_string(std::max(schrift.Size, 1) * 2);
  out += "\\cf1";
  if (schrift.Bold) out += "\\b";
  out += ' ';
  out.reserve(out.size() + text.size() + text.size() / 8);
  AppendText(out, text);
  out += "}\r\n";
  return out;
}

}  // namespace tvn
