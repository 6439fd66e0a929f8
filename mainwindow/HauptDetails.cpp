// TForm1: the details command, which shows the marked entries in the details viewer.
#include "dialogs/ReAnsicht.h"
#include "layout/LocaleNames.h"
#include "mainwindow/DetailsText.h"
#include "mainwindow/Haupt.h"

namespace tvn {

std::u16string TForm1::GetDetailsText() const {
  std::vector<const TDatenRec*> entries;
  const std::vector<int> rows = MarkierteZeilen();
  entries.reserve(rows.size());
  for (const int row : rows) entries.push_back(&Daten.Liste[static_cast<size_t>(row)]);
  return DetailsText(entries, DetailNamenS(), ProgramLocaleNames().ShortDayNames);
}

void TForm1::Button2Click() {
  const int marked = ListView1.SelCount();
  if (marked == 0) return;
  FocusList();
  MerkActiveControl = ActiveControl();
  // Nothing here changes the list: no undo step.
  ReAnsichtForm->ShowDetails(DetailsCaption(marked), GetDetailsText());
  SetActiveControl();
}

}  // namespace tvn
