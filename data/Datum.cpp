#include "data/Datum.h"

#include <cmath>

namespace tvn {
namespace {
constexpr long kDaysTo1970 = 25569;  // 1899-12-30 to 1970-01-01
}

// Howard Hinnant's civil-date algorithms, shifted to the 1899-12-30 epoch.
TDateTime EncodeDatum(int jahr, int monat, int tag) {
  long y = jahr - (monat <= 2 ? 1 : 0);
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (monat + (monat > 2 ? -3 : 9)) + 2) / 5 + tag - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<TDateTime>(era * 146097 + doe - 719468 + kDaysTo1970);
}

TDatumTeile DecodeDatum(TDateTime datum) {
  long z = static_cast<long>(std::floor(datum)) - kDaysTo1970 + 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  TDatumTeile t;
  t.Tag = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.Monat = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.Jahr = static_cast<int>(yoe + era * 400 + (t.Monat <= 2 ? 1 : 0));
  return t;
}

bool IsLeapYear(int jahr) { return (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0; }

int DaysInMonth(int jahr, int monat) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (monat < 1 || monat > 12) return 0;
  return kDays[monat - 1] + (monat == 2 && IsLeapYear(jahr) ? 1 : 0);
}

int DayOfWeek(TDateTime datum) {
  // 1899-12-30 was a Saturday.
  long d = static_cast<long>(std::floor(datum));
  return static_cast<int>(((d + 6) % 7 + 7) % 7);
}

}  // namespace tvn
