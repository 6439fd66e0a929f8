// Report-style list view whose rows are supplied on demand (owner data): the list holds
// only a row count and asks OnData for the texts of the rows it shows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "winui/Control.h"

namespace winui {

enum class TSortMark { None, Up, Down };

class TListView : public TControl {
 public:
  explicit TListView(TControl* AParent);

  // Columns (kept while no window exists).
  void ClearColumns();
  void AddColumn(const std::u16string& ACaption, int AWidth);
  int ColumnCount() const { return static_cast<int>(FColumns.size()); }
  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int AWidth);
  std::u16string ColumnCaption(int column) const;
  void SetColumnCaption(int column, const std::u16string& ACaption);
  // The header's sort arrow (HDF_SORTUP / HDF_SORTDOWN).
  TSortMark SortMark(int column) const;
  void SetSortMark(int column, TSortMark AMark);
  HWND HeaderHandle() const;

  // Rows.
  int ItemCount() const { return FItemCount; }
  void SetItemCount(int ACount);  // keeps no row state beyond the count
  int ItemFocused() const;        // the row with the focus rectangle, -1 when none
  void SetItemFocused(int row);   // -1: no row focused
  bool ItemSelected(int row) const;
  void SetItemSelected(int row, bool ASelected);  // row -1: every row
  int SelCount() const;
  // Next marked row after start (-1: from the top); -1 when there is none.
  int NextSelected(int start) const;
  void MakeVisible(int row);  // scrolls the row fully into view
  int TopItem() const;
  // Suspends drawing around bulk changes (marking a million rows); nests.
  void BeginUpdate();
  void EndUpdate();
  void Invalidate();

  // Text of a cell; column 0 is the row caption.
  std::function<std::u16string(int Row, int Column)> OnData;
  // Type-ahead: the row whose text matches (Partial: the text begins with Text), or -1.
  std::function<int(const std::u16string& Text, int Start, bool Wrap, bool Partial)> OnDataFind;
  std::function<void(int Column)> OnColumnClick;
  // The user finished dragging a column border (HDN_ENDTRACK), after the new width.
  std::function<void()> OnColumnResized;
  // No column may be dragged narrower than this (0: no limit).
  std::function<int()> MinColumnWidth;

  void SetFont(const TFont& AFont) override;
  void SetColor(TColor AColor) override;

 protected:
  TCreateParams CreateParams() override;
  void AfterCreateHandle() override;
  void BeforeDestroyHandle() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool HandleNotify(NMHDR& header, LRESULT& result) override;
  POINT KeyboardPopupPoint() const override;

 private:
  friend class TControl;
  struct TColumn {
    std::u16string Caption;
    int Width;
    TSortMark Mark = TSortMark::None;
  };
  // Header notifications, seen by the list view itself and (on Windows) by its parent.
  bool HeaderNotify(NMHDR& header, LRESULT& result, bool fromParent);
  void InsertColumnWindow(int column);
  void ApplyColors();
  void ApplySortMark(int column);
  std::vector<TColumn> FColumns;
  int FItemCount = 0;
  int FUpdateCount = 0;
  bool FInEndTrack = false;
  std::u16string FTextBuffer;
};

}  // namespace winui
