// TRtfRef turns a plain text into an RTF document: one paragraph per line, a page break for each
// form feed, every character in one font and colour. Written by the program itself, so the document
// is the same on every system (a rich-text control's own writer may drop page breaks or flatten
// characters outside its code page).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace tvn {

struct TRtfSchrift {
  std::u16string Name = u"Arial";
  int Size = 12;  // points
  bool Bold = false;
  std::uint32_t Color = 0;  // 0x00BBGGRR
};

class TRtfRef {
 public:
  TRtfRef() = default;
  explicit TRtfRef(TRtfSchrift AFont) : Font(std::move(AFont)) {}
  // The RTF document (7-bit ASCII): code page 1252 declared, characters of that code page
  // as \'xx, all others as \uN? with "?" for readers without Unicode.
  std::string Document(std::u16string_view text) const;

  TRtfSchrift Font;
};

}  // namespace tvn
