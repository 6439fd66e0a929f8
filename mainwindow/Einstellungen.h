// What the settings file holds for the main window, and how its values are checked when
// read, written in their order, and taken over once from the registry of earlier versions
// and cleaned up there afterwards. The registry is reached through an interface, so the
// rules are tested without one.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "data/ResConst.h"
#include "mainwindow/IniDatei.h"
#include "winui/Appearance.h"

namespace tvn {

inline constexpr std::u16string_view kSektionMainForm = u"MainForm";
inline constexpr std::u16string_view kSektionListView = u"ListView";
inline constexpr int kHistoryCount = 5;

struct TEinstellungen {
  bool Maximiert = true;
  int Width = 0, Height = 0;  // of the restored window
  bool DetailNamenS = true;
  std::u16string Filename;
  TSortNr SortNr = snAutor;
  bool SortAufS = true;
  winui::TColor BackColor = 0xFFFFFF;
  winui::TFont Font;                    // Arial 12, black, not bold
  std::vector<std::u16string> History;  // newest first, at most five
  std::array<int, kSortNrCount> ColumnWidths{-1, -1, -1, -1, -1, -1, -1, -1, -1};
};

// Everything but the window size (GroesseLesen) with the checks of each key; keys that are
// missing or malformed keep the values of `start`.
TEinstellungen EinstellungenLesen(const TIniDatei& ini, const TEinstellungen& start);
// A width or height: the stored value, the current one when missing or not positive,
// clamped to [min(minimum, extent), extent].
int GroesseLesen(const TIniDatei& ini, std::u16string_view key, int current, int minimum,
                 int extent);
// All keys in their order; History keys beyond the list and ColumnWidth keys without a
// width (below 0) are removed.
void EinstellungenSchreiben(TIniDatei& ini, const TEinstellungen& e);

// The registry of earlier versions, below HKEY_CURRENT_USER.
class IAlteRegistry {
 public:
  virtual ~IAlteRegistry() = default;
  // Opens a key for reading (and, with Aendern, for deleting values); false when it cannot.
  virtual bool Open(std::u16string_view key, bool Aendern) = 0;
  virtual bool KeyExists(std::u16string_view key) = 0;
  virtual void Close() = 0;
  // Values of the open key; nullopt when missing or of another type.
  virtual std::optional<long long> Integer(std::u16string_view name) = 0;
  virtual std::optional<std::u16string> Text(std::u16string_view name) = 0;  // plain or expandable
  virtual bool ValueExists(std::u16string_view name) = 0;
  virtual bool DeleteValue(std::u16string_view name) = 0;
};

inline constexpr std::u16string_view kAlterSchluessel = u"\\Software\\Tavorin";
// Literally a key named HKEY_CURRENT_USER below HKEY_CURRENT_USER.
inline constexpr std::u16string_view kAlterHistorySchluessel =
    u"\\HKEY_CURRENT_USER\\Software\\Tavorin";

// The 19 colours an old "HintColor" indexes.
winui::TColor HintColorFarbe(long long index);

// First start: the old values into section MainForm of the in-memory file.
void AlteEinstellungenUebernehmen(TIniDatei& ini, IAlteRegistry& registry);
// After each writing: deletes the old values that both the in-memory file and the file read
// back from disk hold with the same text. nullopt, or the error text of the first failure.
std::optional<std::u16string> AlteEinstellungenBereinigen(const TIniDatei& ini,
                                                          const TIniDatei& disk,
                                                          IAlteRegistry& registry);

}  // namespace tvn
