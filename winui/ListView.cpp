#include "winui/ListView.h"

#include <commctrl.h>

#include <algorithm>

#include "winui/FontCache.h"
#include "winui/OwnClass.h"
#include "winui/Win32Util.h"

namespace winui {

TListView::TListView(TControl* AParent) : TControl(AParent) { SetTabStop(true); }

TCreateParams TListView::CreateParams() {
  return {WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE};
}

void TListView::AfterCreateHandle() {
  HWND h = Handle();
  SendMessageW(h, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
               LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (int i = 0; i < ColumnCount(); ++i) InsertColumnWindow(i);
  SendMessageW(h, LVM_SETITEMCOUNT, FItemCount, LVSICF_NOINVALIDATEALL);
  ApplyColors();
}

void TListView::BeforeDestroyHandle() {
  for (int i = 0; i < ColumnCount(); ++i) FColumns[i].Width = ColumnWidth(i);
}

void TListView::InsertColumnWindow(int column) {
  const TColumn& c = FColumns[column];
  LVCOLUMNW lvc{};
  lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  lvc.cx = c.Width;
  lvc.pszText = const_cast<wchar_t*>(W(c.Caption));
  lvc.iSubItem = column;
  SendMessageW(Handle(), LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&lvc));
  ApplySortMark(column);
}

void TListView::ClearColumns() {
  if (HandleAllocated()) {
    while (SendMessageW(Handle(), LVM_DELETECOLUMN, 0, 0)) {
    }
  }
  FColumns.clear();
}

void TListView::AddColumn(const std::u16string& ACaption, int AWidth) {
  FColumns.push_back(TColumn{ACaption, AWidth});
  if (HandleAllocated()) InsertColumnWindow(ColumnCount() - 1);
}

int TListView::ColumnWidth(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  if (!HandleAllocated()) return FColumns[column].Width;
  return static_cast<int>(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, column, 0));
}

void TListView::SetColumnWidth(int column, int AWidth) {
  if (column < 0 || column >= ColumnCount()) return;
  FColumns[column].Width = AWidth;
  if (HandleAllocated()) SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, column, AWidth);
}

std::u16string TListView::ColumnCaption(int column) const {
  return column >= 0 && column < ColumnCount() ? FColumns[column].Caption : std::u16string();
}

void TListView::SetColumnCaption(int column, const std::u16string& ACaption) {
  if (column < 0 || column >= ColumnCount()) return;
  FColumns[column].Caption = ACaption;
  if (!HandleAllocated()) return;
  LVCOLUMNW lvc{};
  lvc.mask = LVCF_TEXT;
  lvc.pszText = const_cast<wchar_t*>(W(FColumns[column].Caption));
  SendMessageW(Handle(), LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&lvc));
}

TSortMark TListView::SortMark(int column) const {
  return column >= 0 && column < ColumnCount() ? FColumns[column].Mark : TSortMark::None;
}

void TListView::SetSortMark(int column, TSortMark AMark) {
  if (column < 0 || column >= ColumnCount()) return;
  FColumns[column].Mark = AMark;
  ApplySortMark(column);
}

HWND TListView::HeaderHandle() const {
  return HandleAllocated() ? reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0))
                           : nullptr;
}

void TListView::ApplySortMark(int column) {
  HWND header = HeaderHandle();
  if (!header) return;
  HDITEMW item{};
  item.mask = HDI_FORMAT;
  if (!SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item))) return;
  item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
  if (FColumns[column].Mark == TSortMark::Up) item.fmt |= HDF_SORTUP;
  if (FColumns[column].Mark == TSortMark::Down) item.fmt |= HDF_SORTDOWN;
  SendMessageW(header, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
}

void TListView::SetItemCount(int ACount) {
  FItemCount = std::max(ACount, 0);
  if (HandleAllocated()) SendMessageW(Handle(), LVM_SETITEMCOUNT, FItemCount, 0);
}

int TListView::ItemFocused() const {
  if (!HandleAllocated()) return -1;
  return static_cast<int>(SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                       LVNI_FOCUSED));
}

namespace {
void SetState(HWND list, int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}
}  // namespace

void TListView::SetItemFocused(int row) {
  if (!HandleAllocated()) return;
  if (row < 0 || row >= FItemCount) {
    // Only one row can have the focus: asking every row (-1) takes over half a second
    // for a million rows under Wine.
    const int focused = ItemFocused();
    if (focused >= 0) SetState(Handle(), focused, 0, LVIS_FOCUSED);
  } else {
    SetState(Handle(), row, LVIS_FOCUSED, LVIS_FOCUSED);
    SendMessageW(Handle(), LVM_SETSELECTIONMARK, 0, row);
  }
}

bool TListView::ItemSelected(int row) const {
  if (!HandleAllocated()) return false;
  return (SendMessageW(Handle(), LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TListView::SetItemSelected(int row, bool ASelected) {
  if (HandleAllocated()) SetState(Handle(), row, ASelected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

int TListView::SelCount() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), LVM_GETSELECTEDCOUNT, 0, 0))
                           : 0;
}

int TListView::NextSelected(int start) const {
  if (!HandleAllocated()) return -1;
  return static_cast<int>(
      SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(start), LVNI_SELECTED));
}

void TListView::MakeVisible(int row) {
  if (HandleAllocated()) SendMessageW(Handle(), LVM_ENSUREVISIBLE, row, FALSE);
}

int TListView::TopItem() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), LVM_GETTOPINDEX, 0, 0)) : 0;
}

void TListView::BeginUpdate() {
  if (FUpdateCount++ == 0 && HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && HandleAllocated()) {
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    Invalidate();
  }
}

void TListView::Invalidate() {
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TListView::SetFont(const TFont& AFont) {
  TControl::SetFont(AFont);
  ApplyColors();
}

void TListView::SetColor(TColor AColor) {
  TControl::SetColor(AColor);
  ApplyColors();
}

void TListView::ApplyColors() {
  if (!HandleAllocated()) return;
  const TColor back = Color() == clDefault ? CLR_DEFAULT : Color();
  SendMessageW(Handle(), LVM_SETBKCOLOR, 0, back);
  SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, back);
  SendMessageW(Handle(), LVM_SETTEXTCOLOR, 0, Font().Color);
  Invalidate();
}

POINT TListView::KeyboardPopupPoint() const {
  const int row = ItemFocused();
  RECT r{};
  if (row >= 0) {
    r.left = LVIR_BOUNDS;
    SendMessageW(Handle(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    POINT p{r.left + 8, r.bottom};
    ClientToScreen(Handle(), &p);
    return p;
  }
  return TControl::KeyboardPopupPoint();
}

bool TListView::HeaderNotify(NMHDR& header, LRESULT& result, bool /*fromParent*/) {
  switch (header.code) {
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA: {
      // Both forms carry the width at the same place.
      const auto& change = reinterpret_cast<NMHEADERW&>(header);
      const int minimum = MinColumnWidth ? MinColumnWidth() : 0;
      if (change.pitem && (change.pitem->mask & HDI_WIDTH) && change.pitem->cxy < minimum) {
        result = TRUE;  // refused
        return true;
      }
      return false;
    }
    case HDN_ENDTRACKW:
    case HDN_ENDTRACKA:
      // The header sets the final width after this notification; report afterwards. The
      // list view and its parent may both see it: one report is enough.
      if (!FInEndTrack && HandleAllocated()) {
        FInEndTrack = true;
        PostMessageW(Handle(), WM_TVN_COLUMNCHECK, 0, 0);
      }
      return false;
    default:
      return false;
  }
}

bool TListView::HandleNotify(NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
      if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
        FTextBuffer.clear();
        if (OnData && info.item.iItem >= 0 && info.item.iItem < FItemCount) {
          FTextBuffer = OnData(info.item.iItem, info.item.iSubItem);
        }
        const size_t n = std::min(FTextBuffer.size(), static_cast<size_t>(info.item.cchTextMax - 1));
        std::copy_n(FTextBuffer.data(), n, reinterpret_cast<char16_t*>(info.item.pszText));
        info.item.pszText[n] = L'\0';
      }
      result = 0;
      return true;
    }
    case LVN_ODFINDITEMW: {
      auto& find = reinterpret_cast<NMLVFINDITEMW&>(header);
      result = -1;
      const UINT flags = find.lvfi.flags;
      if (OnDataFind && (flags & (LVFI_STRING | LVFI_PARTIAL)) && find.lvfi.psz) {
        result = OnDataFind(U16(find.lvfi.psz), find.iStart, (flags & LVFI_WRAP) != 0,
                            (flags & LVFI_PARTIAL) != 0);
      }
      return true;
    }
    case LVN_COLUMNCLICK:
      if (OnColumnClick) OnColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
      result = 0;
      return true;
    default:
      return false;
  }
}

bool TListView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    // Under Wine the header's changing notification reaches only the list view itself.
    if (header && header->hwndFrom == HeaderHandle() && HeaderNotify(*header, result, false)) {
      return true;
    }
  } else if (msg == WM_TVN_COLUMNCHECK) {
    FInEndTrack = false;
    if (OnColumnResized) OnColumnResized();
    result = 0;
    return true;
  }
  return TControl::HandleMessage(msg, wParam, lParam, result);
}

}  // namespace winui
