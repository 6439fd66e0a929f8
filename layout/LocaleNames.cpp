#include "layout/LocaleNames.h"

#include <string_view>

namespace tvn {
namespace {

bool EqualsAsciiIgnoreCase(std::u16string_view text, std::u16string_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    if (c != upper[i]) return false;
  }
  return true;
}

TLocaleNames GermanNames() {
  return {{u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa"},
          {u"Jan", u"Feb", u"Mär", u"Apr", u"Mai", u"Jun", u"Jul", u"Aug", u"Sep", u"Okt", u"Nov",
           u"Dez"},
          {u"Januar", u"Februar", u"März", u"April", u"Mai", u"Juni", u"Juli", u"August",
           u"September", u"Oktober", u"November", u"Dezember"}};
}

TLocaleNames& Names() {
  static TLocaleNames names = GermanNames();
  return names;
}

}  // namespace

void AdjustLocaleNames(TLocaleNames& names) {
  for (std::u16string& day : names.ShortDayNames)
    if (!day.empty() && day.back() == u'.') day.pop_back();
  for (std::u16string& month : names.ShortMonthNames) {
    if (EqualsAsciiIgnoreCase(month, u"JAN"))
      month = u"Jän";
    else if (EqualsAsciiIgnoreCase(month, u"MRZ"))
      month = u"Mär";
  }
  for (std::u16string& month : names.LongMonthNames) {
    if (EqualsAsciiIgnoreCase(month, u"JANUAR")) {
      month = u"Jänner";
      break;
    }
  }
}

const TLocaleNames& ProgramLocaleNames() {
  return Names();
}
void SetProgramLocaleNames(const TLocaleNames& names) {
  Names() = names;
}

}  // namespace tvn
