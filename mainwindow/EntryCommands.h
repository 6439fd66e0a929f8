// The rules of the entry commands that need no window: which commands of "A&ktionen" and
// the list's context menu are enabled, the questions they ask, and where the focus goes
// after marked entries are deleted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvn {

// What the enabling depends on. The two read flags are looked at only when a menu opens:
// before a shortcut key both read commands are enabled whenever something is marked, so
// that no key press walks the marked rows.
struct TAktionenLage {
  int Marked = 0;      // marked rows
  int ItemIndex = -1;  // focused row, -1 when none
  int Count = 0;       // rows of the list
  int UndoCount = 0;   // steps of the undo history
  int CopyCount = 0;   // entries of the entry clipboard
  bool AnyMarkedUnread = false;
  bool AnyMarkedRead = false;
};

struct TAktionenEnabling {
  bool Neu = true;
  bool Details = false;
  bool Bearbeiten = false;  // also Duplicate
  bool Zurueck = false;
  bool AlleMarkieren = false;
  bool Einfuegen = false;
  bool Markierte = false;  // copy, cut, delete, export
  bool Gelesen = false;
  bool NichtGelesen = false;
};

// MenuGeoeffnet: a menu opens (the read flags of ALage count); false: a key is checked.
TAktionenEnabling AktionenEnabling(const TAktionenLage& ALage, bool MenuGeoeffnet);

// "Änderung %d &zurücksetzen" with the number of undo steps.
std::u16string ZurueckCaption(int AUndoCount);

// The delete question for that many marked entries (plain number, no separators).
std::u16string LoeschenFrage(int AMarked);

inline constexpr std::u16string_view kErsterEintragFrage =
    u"Die Tavorin enthält noch keinen Eintrag!\r\nMöchten Sie jetzt einen Eintrag erstellen?";

// The row to make current after the rows ARows (ascending) were deleted. AFocused: the
// focused row before, -1 when none; ACountAfter: the rows left. The row after the focused
// one when that was deleted, the focused one itself when it stayed, row 0 when nothing was
// focused; -1 when nothing is left.
int ZeileNachLoeschen(const std::vector<int>& ARows, int AFocused, int ACountAfter);

}  // namespace tvn
