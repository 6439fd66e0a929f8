#include "mainwindow/Suche.h"

#include <cmath>

#include "platform/Platform.h"

namespace tvn {

namespace {

long long Tag(TDateTime datum) {
  return static_cast<long long>(std::trunc(datum));
}

}  // namespace

TSuchKriterium::TSuchKriterium(const TSuchEinstellungen& e)
    : FModus(e.Modus),
      FTag(Tag(e.SuchDatum)),
      FGelesenS(e.GelesenS),
      FGrossKleinS(e.GrossKleinS),
      FText(e.GrossKleinS ? e.SuchText : platform::UpperCaseLocale(e.SuchText)) {}

bool TSuchKriterium::TextIn(const std::u16string& feld) const {
  if (FGrossKleinS) return feld.find(FText) != std::u16string::npos;
  return platform::UpperCaseLocale(feld).find(FText) != std::u16string::npos;
}

bool TSuchKriterium::MatchesSearch(const TDatenRec& rec) const {
  switch (FModus) {
    case smDatum:
      return Tag(rec.ErstelltDatum) == FTag || (rec.ErhaltenS && Tag(rec.ErhaltenDatum) == FTag) ||
             (rec.RetourS && Tag(rec.RetourDatum) == FTag);
    case smGelesen:
      return rec.GelesenS == FGelesenS;
    case smText:
      return TextIn(rec.Autor) || TextIn(rec.Titel) || TextIn(rec.KatalogNr) ||
             TextIn(rec.Quelle) || TextIn(rec.Infos);
  }
  return false;
}

std::optional<TSuchErgebnis> SucheEintrag(const TDaten& daten, const TSuchEinstellungen& e,
                                          int focused, bool WeiterS, bool RueckwaertsS) {
  const int count = daten.Count();
  if (count == 0) return std::nullopt;
  const TSuchKriterium kriterium(e);
  if (kriterium.TextLeer()) return std::nullopt;
  const bool vorwaerts = !RueckwaertsS && !e.RueckwaertsS;
  const int schritt = vorwaerts ? 1 : -1;
  int i = focused;
  if (focused < 0 || focused >= count) {
    i = vorwaerts ? 0 : count - 1;
  } else if (WeiterS) {
    i += schritt;
  }
  for (; i >= 0 && i < count; i += schritt) {
    if (kriterium.MatchesSearch(daten.Liste[static_cast<size_t>(i)]))
      return TSuchErgebnis{i, false};
  }
  return TSuchErgebnis{-1, vorwaerts};
}

}  // namespace tvn
