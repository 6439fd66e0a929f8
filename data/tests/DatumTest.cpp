#include <gtest/gtest.h>

#include "data/DatenC.h"
#include "data/Datum.h"
#include "platform/Platform.h"

namespace tvn {
namespace {

TEST(Datum, KnownDayNumbers) {
  struct Case {
    int jahr, monat, tag;
    TDateTime day;
    int weekday;
    const char16_t* text;
  };
  const Case cases[] = {
      {1899, 12, 30, 0, 6, u"30.12.1899"}, {1900, 1, 1, 2, 1, u"01.01.1900"},
      {1900, 3, 1, 61, 4, u"01.03.1900"},  {2024, 1, 1, 45292, 1, u"01.01.2024"},
      {2024, 2, 29, 45351, 4, u"29.02.2024"}, {2500, 12, 31, 219512, 5, u"31.12.2500"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDatum(c.jahr, c.monat, c.tag), c.day) << c.day;
    const TDatumTeile t = DecodeDatum(c.day);
    EXPECT_EQ(t.Jahr * 10000 + t.Monat * 100 + t.Tag, c.jahr * 10000 + c.monat * 100 + c.tag);
    EXPECT_EQ(DayOfWeek(c.day), c.weekday) << c.day;
    EXPECT_EQ(DatumText(c.day), c.text);
  }
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2024, 4), 30);
}

TEST(Datum, TodayIsAWholeDayInRange) {
  const TDateTime heute = platform::Today();
  EXPECT_EQ(heute, static_cast<long>(heute));
  EXPECT_GT(heute, EncodeDatum(2020, 1, 1));
  EXPECT_LT(heute, ProgMaxDatum);
}

}  // namespace
}  // namespace tvn
