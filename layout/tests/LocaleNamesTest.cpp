#include <gtest/gtest.h>

#include "layout/LocaleNames.h"

namespace tvn {
namespace {

TEST(LocaleNames, AdjustmentShapesWeekdaysAndAustrianMonths) {
  TLocaleNames names{{u"So.", u"Mo.", u"Di.", u"Mi", u".", u"Fr..", u"Sa"},
                     {u"jan", u"Feb", u"MRZ", u"Apr", u"Mai", u"Jun", u"Jul", u"Aug", u"Sep",
                      u"Okt", u"Nov", u"Jan."},
                     {u"Januar", u"Februar", u"März", u"April", u"Mai", u"Juni", u"Juli", u"August",
                      u"September", u"Oktober", u"November", u"JANUAR"}};
  AdjustLocaleNames(names);
  EXPECT_EQ(names.ShortDayNames, (TWeekdayNames{u"So", u"Mo", u"Di", u"Mi", u"", u"Fr.", u"Sa"}));
  EXPECT_EQ(names.ShortMonthNames[0], u"Jän");
  EXPECT_EQ(names.ShortMonthNames[2], u"Mär");
  EXPECT_EQ(names.ShortMonthNames[11], u"Jan.");  // only the exact name is replaced
  EXPECT_EQ(names.LongMonthNames[0], u"Jänner");
  EXPECT_EQ(names.LongMonthNames[11], u"JANUAR");  // only the first one
  EXPECT_EQ(names.LongMonthNames[2], u"März");
}

TEST(LocaleNames, ProgramNamesAreGermanUntilSet) {
  EXPECT_EQ(ProgramLocaleNames().ShortDayNames[1], u"Mo");
  TLocaleNames english = ProgramLocaleNames();
  english.ShortDayNames[1] = u"Mon";
  SetProgramLocaleNames(english);
  EXPECT_EQ(ProgramLocaleNames().ShortDayNames[1], u"Mon");
  english.ShortDayNames[1] = u"Mo";
  SetProgramLocaleNames(english);
}

}  // namespace
}  // namespace tvn
