// TForm1: changing entries of the list in place, each change kept in order.
#include <algorithm>
#include <numeric>

#include "mainwindow/Haupt.h"

namespace tvn {

int TForm1::ZeileVon(const TDatenRec& ADatenRec) const {
  const TSortOrdnung order(FSortNr, FSortAufS);
  const auto [first, last] = Daten.SortedRange(ADatenRec, order);
  for (int row = first; row < last; ++row) {
    if (TDaten::Ident(Daten.Liste[static_cast<size_t>(row)], ADatenRec)) return row;
  }
  return Daten.FindDatenRecNr(ADatenRec);  // not in order after all
}

int TForm1::EintragEinfuegen(const TDatenRec& ADatenRec) {
  const TDatenRec copy = ADatenRec;  // the source may be an entry of Daten
  Daten.Add(copy);
  Daten.SortIn(Daten.Count() - 1, FSortNr, FSortAufS);
  return ZeileVon(copy);
}

int TForm1::EintragErsetzen(int ANr, const TDatenRec& ADatenRec) {
  if (ANr < 0 || ANr >= Daten.Count()) return -1;
  const TDatenRec copy = ADatenRec;
  Daten.Replace(ANr, copy);
  Daten.SortIn(ANr, FSortNr, FSortAufS);
  return ZeileVon(copy);
}

void TForm1::EintraegeEinfuegen(const TListe& AListe) {
  Daten.AddSorted(AListe, FSortNr, FSortAufS);
}

void TForm1::EintraegeErsetzen(const std::vector<int>& ANrn, const TListe& AListe) {
  Daten.ReplaceMany(ANrn, AListe);
  // Equal entries keep their old order: exactly what the full stable sort gives.
  Daten.Sort(FSortNr, FSortAufS);
}

void TForm1::EintraegeLoeschen(const std::vector<int>& ANrn) {
  Daten.DeleteMany(ANrn);
}

std::vector<int> TForm1::MarkierteZeilen() const {
  std::vector<int> rows;
  const int count = std::min(ListView1.ItemCount(), Daten.Count());
  if (count > 0 && ListView1.SelCount() == count) {
    rows.resize(static_cast<size_t>(count));  // all marked: no walk over a million rows
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
  }
  // Each step of the walk costs more the more rows are marked; it stops at the last mark.
  const size_t marked = static_cast<size_t>(ListView1.SelCount());
  for (int row = ListView1.NextSelected(-1); row >= 0 && row < count;
       row = rows.size() < marked ? ListView1.NextSelected(row) : -1) {
    rows.push_back(row);
  }
  return rows;
}

}  // namespace tvn
