// TForm1: changing entries of the list in place, each change kept in order.
#include <algorithm>
#include <numeric>

#include "mainwindow/Haupt.h"

namespace tvn {

int TForm1::EintragEinfuegen(const TDatenRec& ADatenRec) {
  Daten.Add(ADatenRec);
  Daten.SortIn(Daten.Count() - 1, FSortNr, FSortAufS);
  return Daten.FindDatenRecNr(ADatenRec);
}

int TForm1::EintragErsetzen(int ANr, const TDatenRec& ADatenRec) {
  if (ANr < 0 || ANr >= Daten.Count()) return -1;
  const TDatenRec copy = ADatenRec;
  Daten.Replace(ANr, copy);
  Daten.SortIn(ANr, FSortNr, FSortAufS);
  return Daten.FindDatenRecNr(copy);
}

void TForm1::EintraegeEinfuegen(const TListe& AListe) {
  Daten.Add(AListe);
  Daten.Sort(FSortNr, FSortAufS);
}

void TForm1::EintraegeErsetzen(const std::vector<int>& ANrn, const TListe& AListe) {
  const size_t n = std::min(ANrn.size(), AListe.size());
  for (size_t k = 0; k < n; ++k) Daten.Replace(ANrn[k], AListe[k]);
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
  for (int row = ListView1.NextSelected(-1); row >= 0 && row < count;
       row = ListView1.NextSelected(row)) {
    rows.push_back(row);
  }
  return rows;
}

}  // namespace tvn
