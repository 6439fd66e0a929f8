// What the main window's entry list shows, apart from the window itself: the nine
// columns, the text of every cell, the column widths, the type-ahead search and the sort
// order that a header click chooses.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "data/DatenC.h"

namespace tvn {

// Abbreviated weekday names of the user's regional settings, in DayOfWeek order
// (0 = Sunday); the program reads them from the system once.
using TWeekdayNames = std::array<std::u16string, 7>;

// "ddd, dd.mm.yyyy", e.g. "Mo, 05.03.2024".
std::u16string DatumMitWochentag(TDateTime datum, const TWeekdayNames& weekdays);

inline constexpr int kSpaltenCount = kSortNrCount;
// Width of each column when none is stored, in percent of the list's client width.
inline constexpr std::array<int, kSpaltenCount> kSpaltenProzent = {12, 12, 12, 12, 7,
                                                                   9,  12, 12, 12};

// Text of one cell; column 0 is the row caption. Empty for a column outside 0..8.
std::u16string SpaltenText(const TDatenRec& rec, int spalte, const TWeekdayNames& weekdays);
// All nine texts of row index; all empty when the index is outside the list.
std::array<std::u16string, kSpaltenCount> ZeilenTexte(const TDaten& daten, int index,
                                                      const TWeekdayNames& weekdays);

// Narrowest allowed column: the padded width of "MM" in the list font plus 20, at least 40.
int MinSpaltenBreite(int paddedMMWidth);
// Width of a column at creation: the stored width, or its share of the client width when
// none is stored (storedWidth < 0); never below minWidth.
int SpaltenBreite(int spalte, int storedWidth, int listClientWidth, int minWidth);

// Type-ahead: the first entry from start on (0 when negative), wrapping to the top when
// wrap is set, whose author begins with typed without regard to case; -1 when none.
int FindAutorPrefix(const TDaten& daten, std::u16string_view typed, int start, bool wrap);

struct TSortierung {
  TSortNr SortNr = snAutor;
  bool SortAufS = true;
  bool operator==(const TSortierung&) const = default;
};
// Order after a click on the header of the column with this tag: the same column again
// toggles the direction, another column starts ascending. nullopt for tags outside 0..8.
std::optional<TSortierung> KopfKlickSortierung(int tag, TSortierung current);

}  // namespace tvn
