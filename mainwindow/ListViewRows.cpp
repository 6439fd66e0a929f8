#include "mainwindow/ListViewRows.h"

#include <algorithm>

#include "data/ResConst.h"
#include "mainwindow/CharCase.h"

namespace tvn {

std::u16string DatumMitWochentag(TDateTime datum, const TWeekdayNames& weekdays) {
  return weekdays[static_cast<size_t>(DayOfWeek(datum))] + u", " + DatumText(datum);
}

std::u16string SpaltenText(const TDatenRec& rec, int spalte, const TWeekdayNames& weekdays) {
  auto optionalDate = [&](bool set, TDateTime datum) {
    return set ? DatumMitWochentag(datum, weekdays) : std::u16string(u"-");
  };
  switch (spalte) {
    case snAutor:
      return rec.Autor;
    case snTitel:
      return rec.Titel;
    case snKatalogNr:
      return rec.KatalogNr;
    case snQuelle:
      return rec.Quelle;
    case snGelesen:
      return std::u16string(ResConst::YesNoTexts[rec.GelesenS ? 1 : 0]);
    case snBewertung:
      return rec.Bewertung < kBewertungCount ? std::u16string(ResConst::RatingNames[rec.Bewertung])
                                             : std::u16string();
    case snErhalten:
      return optionalDate(rec.ErhaltenS, rec.ErhaltenDatum);
    case snRetour:
      return optionalDate(rec.RetourS, rec.RetourDatum);
    case snErstellt:
      return DatumMitWochentag(rec.ErstelltDatum, weekdays);
    default:
      return u"";
  }
}

std::array<std::u16string, kSpaltenCount> ZeilenTexte(const TDaten& daten, int index,
                                                      const TWeekdayNames& weekdays) {
  std::array<std::u16string, kSpaltenCount> texte;
  if (index < 0 || index >= daten.Count()) return texte;
  const TDatenRec& rec = daten.Liste[static_cast<size_t>(index)];
  for (int spalte = 0; spalte < kSpaltenCount; ++spalte) {
    texte[static_cast<size_t>(spalte)] = SpaltenText(rec, spalte, weekdays);
  }
  return texte;
}

int MinSpaltenBreite(int paddedMMWidth) {
  return std::max(paddedMMWidth + 20, 40);
}

int SpaltenBreite(int spalte, int storedWidth, int listClientWidth, int minWidth) {
  int width = storedWidth;
  if (width < 0) {
    const int percent =
        spalte >= 0 && spalte < kSpaltenCount ? kSpaltenProzent[static_cast<size_t>(spalte)] : 0;
    // Integer arithmetic truncates exactly like width / 100 * percent for every width.
    width = static_cast<int>(std::max(listClientWidth, 0) * 1LL * percent / 100);
  }
  return std::max(width, minWidth);
}

int FindAutorPrefix(const TDaten& daten, std::u16string_view typed, int start, bool wrap) {
  const int count = daten.Count();
  if (typed.empty() || count == 0) return -1;
  int i = std::max(start, 0);
  for (int examined = 0; examined < count; ++examined, ++i) {
    if (i >= count) {
      if (!wrap) return -1;
      i = 0;
    }
    if (BeginsIgnoringCharCase(daten.Liste[static_cast<size_t>(i)].Autor, typed)) return i;
  }
  return -1;
}

std::optional<TSortierung> KopfKlickSortierung(int tag, TSortierung current) {
  if (tag < 0 || tag >= kSortNrCount) return std::nullopt;
  if (tag == current.SortNr) return TSortierung{current.SortNr, !current.SortAufS};
  return TSortierung{static_cast<TSortNr>(tag), true};
}

}  // namespace tvn
