// The entry search: which entry matches the search dialog's settings, and where a search
// from the focused entry ends, forward or backward, never wrapping around.
#pragma once

#include <optional>
#include <string>

#include "data/DatenC.h"

namespace tvn {

enum TSuchModus { smDatum = 1, smGelesen = 2, smText = 3 };

struct TSuchEinstellungen {
  TSuchModus Modus = smText;
  TDateTime SuchDatum = 0;  // a day; any fraction is dropped
  bool GelesenS = false;
  bool GrossKleinS = false;  // the text search is case-sensitive
  std::u16string SuchText;
  bool RueckwaertsS = false;  // the dialog's direction
};

// The settings as one search compares them: the day truncated, the text upper-cased by
// the user's locale unless the search is case-sensitive.
class TSuchKriterium {
 public:
  explicit TSuchKriterium(const TSuchEinstellungen& e);
  bool MatchesSearch(const TDatenRec& rec) const;
  bool TextLeer() const { return FModus == smText && FText.empty(); }

 private:
  bool TextIn(const std::u16string& feld) const;
  TSuchModus FModus;
  long long FTag;
  bool FGelesenS;
  bool FGrossKleinS;
  std::u16string FText;
};

struct TSuchErgebnis {
  int Index = -1;       // the entry found; -1 when the search ran off the list
  bool AmEnde = false;  // ran off the end (forward) rather than the beginning
};

// focused: the focused row, -1 for none. WeiterS starts one entry beyond it; RueckwaertsS
// searches backward whatever the dialog says. nullopt: nothing to do (empty list, or an
// empty search text).
std::optional<TSuchErgebnis> SucheEintrag(const TDaten& daten, const TSuchEinstellungen& e,
                                          int focused, bool WeiterS, bool RueckwaertsS);

}  // namespace tvn
