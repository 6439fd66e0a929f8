// The locale's weekday and month names as the program shows them. Read from the system
// once at start-up and adjusted (AdjustLocaleNames) before any window exists.
#pragma once

#include <array>
#include <string>

namespace tvn {

// Index 0 = Sunday, as DayOfWeek counts.
using TWeekdayNames = std::array<std::u16string, 7>;
using TMonthNames = std::array<std::u16string, 12>;

struct TLocaleNames {
  TWeekdayNames ShortDayNames;
  TMonthNames ShortMonthNames;
  TMonthNames LongMonthNames;
};

// Weekday abbreviations lose a trailing full stop ("Mo." -> "Mo"); "JAN" and "MRZ" as
// short month names become "Jän" and "Mär", the first full "JANUAR" becomes "Jänner"
// (both without regard to case).
void AdjustLocaleNames(TLocaleNames& names);

// The names every date text of the program uses. German until the program sets the
// system's adjusted names at start-up.
const TLocaleNames& ProgramLocaleNames();
void SetProgramLocaleNames(const TLocaleNames& names);

}  // namespace tvn
