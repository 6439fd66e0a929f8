// Whole-day dates as day numbers counted from 1899-12-30, and their calendar parts.
#pragma once

namespace tvn {

using TDateTime = double;

inline constexpr TDateTime ProgMinDatum = 2;       // 1900-01-01
inline constexpr TDateTime ProgMaxDatum = 219512;  // 2500-12-31

struct TDatumTeile {
  int Jahr = 1900, Monat = 1, Tag = 1;
};

// Proleptic Gregorian calendar, valid far beyond the program's date bounds.
TDateTime EncodeDatum(int jahr, int monat, int tag);
TDatumTeile DecodeDatum(TDateTime datum);
bool IsLeapYear(int jahr);
int DaysInMonth(int jahr, int monat);
// 0 = Sunday … 6 = Saturday.
int DayOfWeek(TDateTime datum);

}  // namespace tvn
