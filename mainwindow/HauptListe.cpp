// TForm1: the entry list view, its columns, the current row, marking and sorting.
#include <algorithm>
#include <optional>
#include <unordered_set>

#include "data/EntryCounter.h"
#include "data/ResConst.h"
#include "layout/LocaleNames.h"
#include "mainwindow/Haupt.h"
#include "mainwindow/ListViewRows.h"

namespace tvn {

namespace {
// Up to this many marks are taken off one by one; more go with an emptied view.
constexpr int kEinzelnUnmarkieren = 32;
}  // namespace

void TForm1::SetupListView() {
  ListView1.PopupMenu = &PuMenu1;
  // Screen readers that read the window find no label to name a list view by.
  ListView1.SetAccessibleName(u"Hörbuchliste");
  ListView1.SetTabOrder(0);
  ListView1.OnData = [this](int row, int column) -> std::u16string {
    if (row < 0 || row >= Daten.Count()) return {};
    return SpaltenText(Daten.Liste[static_cast<size_t>(row)], column,
                       ProgramLocaleNames().ShortDayNames);
  };
  ListView1.OnDataFind = [this](const std::u16string& text, int start, bool wrap, bool) {
    return IsClosing ? -1 : FindAutorPrefix(Daten, text, start, wrap);
  };
  ListView1.OnColumnClick = [this](int column) { ListView1ColumnClick(column); };
  ListView1.OnColumnResized = [this] {
    if (IsClosing) return;
    SpaltenBreitenPruefen();
    SortierungAnzeigen();
  };
  ListView1.MinColumnWidth = [this] { return IsClosing ? 0 : MinSpaltenBreite(); };
  ListView1.OnEnter = [this] { ListView1Enter(); };
}

void TForm1::UnmarkAll() {
  // Each pass over a million rows costs; one while the list redraws, a minute, and one
  // with redrawing suspended still most of a second under Wine.
  const int selected = ListView1.SelCount();
  if (selected == 0) return;
  ListView1.BeginUpdate();
  const int focused = ListView1.ItemFocused();
  if (selected == 1 && focused >= 0 && ListView1.ItemSelected(focused)) {
    ListView1.SetItemSelected(focused, false);  // the usual single mark: no walk at all
  } else if (selected <= kEinzelnUnmarkieren) {
    // A few marks are taken off one by one.
    for (int row = ListView1.NextSelected(-1); row >= 0; row = ListView1.NextSelected(row)) {
      ListView1.SetItemSelected(row, false);
    }
  } else {
    // Emptying the view drops every mark at once; the focused row keeps the focus.
    const int count = ListView1.ItemCount();
    ListView1.SetItemCount(0);
    ListView1.SetItemCount(count);
    if (focused >= 0) ListView1.SetItemFocused(focused);
  }
  ListView1.EndUpdate();
}

int TForm1::ItemIndex() const { return ListView1.ItemFocused(); }

void TForm1::SetItemIndex(int v) {
  UnmarkAll();
  if (IsShown() && ListView1.CanFocus()) ListView1.SetFocus();
  if (v < 0 || v >= ListView1.ItemCount()) {
    ListView1.SetItemFocused(-1);
    return;
  }
  ListView1.SetItemFocused(v);
  ListView1.SetItemSelected(v, true);
  ListView1.MakeVisible(v);
}

void TForm1::SetLvDaten(int ANr) {
  ListView1.BeginUpdate();
  // Many marks go with an empty view, which the new count then fills (one count set
  // less than unmarking first); setting the same count again costs a pass over a million
  // rows under Wine, and the rows are drawn anew either way.
  const bool manyMarks = ListView1.SelCount() > kEinzelnUnmarkieren;
  if (manyMarks) ListView1.SetItemCount(0);
  if (manyMarks || ListView1.ItemCount() != Daten.Count()) {
    ListView1.SetItemCount(Daten.Count());
  } else {
    ListView1.Invalidate();
  }
  SetItemIndex(-1);
  if (ANr >= Daten.Count()) ANr = Daten.Count() - 1;
  SetItemIndex(ANr);
  ListView1.EndUpdate();
  Timer0Timer();
}

TDaten TForm1::MarkierunginDaten(const std::vector<int>& AMarkierteZeilen) const {
  TDaten marked;
  const int count = std::min(ListView1.ItemCount(), Daten.Count());
  if (count > 0 && static_cast<int>(AMarkierteZeilen.size()) == count) {
    marked.Liste = Daten.Liste;
    return marked;
  }
  marked.Liste.reserve(AMarkierteZeilen.size());
  for (const int row : AMarkierteZeilen) {
    if (row >= 0 && row < count) marked.Liste.push_back(Daten.Liste[static_cast<size_t>(row)]);
  }
  return marked;
}

TDaten TForm1::MarkierunginDaten() const {
  TDaten marked;
  const int count = std::min(ListView1.ItemCount(), Daten.Count());
  if (count > 0 && ListView1.SelCount() == count) {
    marked.Liste = Daten.Liste;  // all marked: no need to walk a million rows
    return marked;
  }
  // The walk stops at the last mark.
  const size_t selected = static_cast<size_t>(ListView1.SelCount());
  for (int row = ListView1.NextSelected(-1); row >= 0 && row < count;
       row = marked.Liste.size() < selected ? ListView1.NextSelected(row) : -1) {
    marked.Liste.push_back(Daten.Liste[static_cast<size_t>(row)]);
  }
  return marked;
}

std::optional<std::vector<int>> TForm1::ZeilenImSortiertenFinden(const TDaten& ADaten) const {
  const TSortOrdnung order(FSortNr, FSortAufS);
  std::vector<int> rows;
  rows.reserve(ADaten.Liste.size());
  std::unordered_set<int> taken;
  for (const TDatenRec& wanted : ADaten.Liste) {
    const auto [first, last] = Daten.SortedRange(wanted, order);
    int row = first;
    // Identical ones given twice take two rows, each the first one still free.
    while (row < last && (taken.count(row) > 0 ||
                          !TDaten::Ident(Daten.Liste[static_cast<size_t>(row)], wanted))) {
      ++row;
    }
    if (row >= last) return std::nullopt;
    rows.push_back(row);
    taken.insert(row);
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TForm1::MarkiereDaten(const TDaten& ADaten) {
  // A few entries in a long list are found by binary search, as the list is in order;
  // when one is missing (or the list is not in order after all), the full count decides.
  if (ADaten.Count() > 0 && Daten.Count() / 64 >= ADaten.Count()) {
    if (const std::optional<std::vector<int>> rows = ZeilenImSortiertenFinden(ADaten)) {
      ZeilenMarkieren(*rows);
      return;
    }
  }
  TEntryCounter wanted(static_cast<size_t>(ADaten.Count()));
  wanted.ForEach(ADaten.Liste, 0, [](const TDatenRec&, int& n) { return ++n, true; });
  std::vector<int> rows;
  if (ADaten.Count() > 0) {
    int row = 0;
    wanted.ForEachHeld(Daten.Liste, 0, [&](const TDatenRec&, int* left) {
      if (left && *left > 0) {
        --*left;
        rows.push_back(row);
      }
      ++row;
      return true;
    });
  }
  ZeilenMarkieren(rows);
}

void TForm1::ZeilenMarkieren(const std::vector<int>& rows) {
  ListView1.BeginUpdate();
  ListView1.SetItemFocused(-1);
  const int count = ListView1.ItemCount();
  if (!rows.empty() && static_cast<int>(rows.size()) == count) {
    // Every row: no pass to unmark them first, none at all when all are marked.
    if (ListView1.SelCount() != count) ListView1.SetItemSelected(-1, true);
  } else {
    UnmarkAll();
    for (int row : rows) ListView1.SetItemSelected(row, true);
  }
  if (!rows.empty()) {
    ListView1.SetItemFocused(rows.front());
    ListView1.MakeVisible(rows.front());
  }
  ListView1.EndUpdate();
  Timer0Timer();
}

void TForm1::AlleMarkieren() {
  if (ListView1.ItemCount() == 0) return;
  ListView1.BeginUpdate();
  ListView1.SetItemSelected(-1, true);
  ListView1.EndUpdate();
  Timer0Timer();
}

void TForm1::SetSortNr(TSortNr ASortNr) {
  FSortNr = ASortNr;
  NeuSortieren();
}

void TForm1::SetSortAufS(bool ASortAufS) {
  FSortAufS = ASortAufS;
  NeuSortieren();
}

void TForm1::ListView1ColumnClick(int column) {
  if (IsClosing) return;
  const std::optional<TSortierung> next = KopfKlickSortierung(column, {FSortNr, FSortAufS});
  if (!next) return;
  if (next->SortNr == FSortNr) {
    SetSortAufS(next->SortAufS);
  } else {
    FSortAufS = true;  // a new column starts ascending, sorted once
    SetSortNr(next->SortNr);
  }
}

void TForm1::NeuSortieren() {
  SortierungAnzeigen();
  // Everything marked stays everything marked: no copy of a large list to find that out.
  const bool allMarked = Daten.Count() > 0 && ListView1.SelCount() == Daten.Count();
  const TDaten marked = allMarked ? TDaten() : MarkierunginDaten();
  std::optional<TDatenRec> focused;
  if (const int index = ItemIndex(); index >= 0 && index < Daten.Count()) {
    focused = Daten.Liste[static_cast<size_t>(index)];
  }
  Daten.Sort(FSortNr, FSortAufS);
  if (allMarked) {
    // The same rows stay marked, only in another order: no pass over a million rows
    // to unmark and mark them again.
    ListView1.Invalidate();
    ListView1.SetItemFocused(0);  // the first marked row, as when marking by identity
    if (IsShown()) FocusList();   // as SetLvDaten gives it on the other path
  } else {
    SetLvDaten(-1);
    MarkiereDaten(marked);
  }
  if (focused) {
    const int row = Daten.FindDatenRecNr(*focused);
    if (row >= 0) {
      ListView1.SetItemFocused(row);
      ListView1.MakeVisible(row);
    }
  }
  if (ItemIndex() < 0 && Daten.Count() > 0) SetItemIndex(0);
  Timer0Timer();
}

void TForm1::SortierungAnzeigen() {
  for (int i = 0; i < kSortNrCount; ++i) MenuSortNr[static_cast<size_t>(i)].SetChecked(i == FSortNr);
  MenuSortAuf.SetChecked(FSortAufS);
  MenuSortAb.SetChecked(!FSortAufS);
  if (IsClosing || ListView1.ColumnCount() == 0) return;
  for (int column = 0; column < ListView1.ColumnCount() && column < kSortNrCount; ++column) {
    const std::u16string caption(ResConst::ColumnNames[static_cast<size_t>(column)]);
    if (ListView1.ColumnCaption(column) != caption) ListView1.SetColumnCaption(column, caption);
    winui::TSortMark mark = winui::TSortMark::None;
    if (column == FSortNr) mark = FSortAufS ? winui::TSortMark::Up : winui::TSortMark::Down;
    ListView1.SetSortMark(column, mark);
  }
}

int TForm1::MinSpaltenBreite() const {
  return tvn::MinSpaltenBreite(PaddedTextWidth(ListView1.Font(), u"MM"));
}

void TForm1::CreateListView() {
  ListView1.ClearColumns();
  const int minimum = MinSpaltenBreite();
  const int clientWidth = ListView1.ClientWidth();
  for (int i = 0; i < kSpaltenCount; ++i) {
    ListView1.AddColumn(std::u16string(ResConst::ColumnNames[static_cast<size_t>(i)]),
                        SpaltenBreite(i, FColumnWidths[static_cast<size_t>(i)], clientWidth, minimum));
  }
  SortierungAnzeigen();
}

void TForm1::SpaltenBreitenPruefen() {
  const int minimum = MinSpaltenBreite();
  for (int i = 0; i < ListView1.ColumnCount(); ++i) {
    if (ListView1.ColumnWidth(i) < minimum) ListView1.SetColumnWidth(i, minimum);
  }
}

}  // namespace tvn
