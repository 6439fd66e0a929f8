// The owner-data list view: rows asked on demand, type-ahead, sort marks and the
// minimum column width.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "winui/tests/TestWindows.h"
#include "winui/Form.h"
#include "winui/ListView.h"
#include "winui/ScriptedPrompt.h"

using namespace winui;
using namespace winui::test;

namespace {

class TListForm : public TMainForm {
 public:
  TListView ListView1{this};
  TListForm() { IsMainForm = false; }
  ~TListForm() override { DestroyHandle(); }
  void FormCreate() override {
    SetBounds(80, 80, 640, 420);
    ListView1.SetBounds(10, 10, 600, 300);
    ListView1.AddColumn(u"Autor", 150);
    ListView1.AddColumn(u"Titel", 150);
    ListView1.AddColumn(u"Katalognummer", 150);
  }
};

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.OnData = [this](int row, int column) {
      ++dataCalls;
      return u"r" + Number(row) + u"c" + Number(column);
    };
    list.OnDataFind = [this](const std::u16string& text, int start, bool wrap, bool) {
      finds.push_back(text);
      lastStart = start;
      lastWrap = wrap;
      return 42;
    };
    form.Create();
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form.Handle()) != FALSE; }));
  }
  static std::u16string Number(int n) {
    const std::wstring s = std::to_wstring(n);
    return std::u16string(s.begin(), s.end());
  }
  std::u16string CellText(int row, int column) {
    wchar_t buffer[64] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 64;
    SendMessageW(list.Handle(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return std::u16string(buffer, buffer + wcslen(buffer));
  }
  int HeaderFormat(int column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(list.HeaderHandle(), HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
    return item.fmt;
  }

  TScriptedPrompt prompt;
  TListForm form;
  TListView& list = form.ListView1;
  int dataCalls = 0;
  std::vector<std::u16string> finds;
  int lastStart = -2;
  bool lastWrap = false;
};

TEST_F(ListViewTest, AsksOnlyForTheRowsItShows) {
  list.SetItemCount(1000000);
  UpdateWindow(list.Handle());
  EXPECT_GT(dataCalls, 0);
  EXPECT_LT(dataCalls, 1000);  // a screenful, not a million
  EXPECT_EQ(CellText(999999, 2), u"r999999c2");
  EXPECT_EQ(list.ItemCount(), 1000000);
}

TEST_F(ListViewTest, TypedLettersReachTheFindCallback) {
  list.SetItemCount(100);
  list.SetFocus();
  PostMessageW(list.Handle(), WM_CHAR, u'm', 1);
  PostMessageW(list.Handle(), WM_CHAR, u'ü', 1);
  ASSERT_TRUE(PumpUntil([&] { return finds.size() >= 2; }));
  EXPECT_EQ(finds[0], u"m");
  EXPECT_EQ(finds[1], u"mü");
  EXPECT_TRUE(PumpUntil([&] { return list.ItemFocused() == 42; }));
}

TEST_F(ListViewTest, MarkingAndFocusOfRows) {
  list.SetItemCount(10);
  list.SetItemSelected(3, true);
  list.SetItemSelected(5, true);
  list.SetItemFocused(5);
  EXPECT_EQ(list.SelCount(), 2);
  EXPECT_EQ(list.NextSelected(-1), 3);
  EXPECT_EQ(list.NextSelected(3), 5);
  EXPECT_EQ(list.ItemFocused(), 5);
  list.BeginUpdate();
  list.SetItemSelected(-1, false);
  list.SetItemFocused(-1);
  list.EndUpdate();
  EXPECT_EQ(list.SelCount(), 0);
  EXPECT_EQ(list.ItemFocused(), -1);
}

TEST_F(ListViewTest, SortMarksShowInTheHeader) {
  list.SetSortMark(1, TSortMark::Up);
  EXPECT_TRUE(HeaderFormat(1) & HDF_SORTUP);
  list.SetSortMark(1, TSortMark::Down);
  EXPECT_TRUE(HeaderFormat(1) & HDF_SORTDOWN);
  EXPECT_FALSE(HeaderFormat(1) & HDF_SORTUP);
  list.SetSortMark(1, TSortMark::None);
  EXPECT_FALSE(HeaderFormat(1) & (HDF_SORTUP | HDF_SORTDOWN));
  EXPECT_FALSE(HeaderFormat(0) & (HDF_SORTUP | HDF_SORTDOWN));
}

TEST_F(ListViewTest, ColumnNarrowerThanTheMinimumIsRefused) {
  list.MinColumnWidth = [] { return 40; };
  list.SetColumnWidth(0, 10);
  EXPECT_EQ(list.ColumnWidth(0), 150);
  // A header change as a drag makes it: the header control's own item change.
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  item.cxy = 20;
  SendMessageW(list.HeaderHandle(), HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(list.ColumnWidth(1), 150);
  list.SetColumnWidth(0, 60);
  EXPECT_EQ(list.ColumnWidth(0), 60);
}

TEST_F(ListViewTest, EndOfAColumnDragIsReportedOnce) {
  int reports = 0;
  list.OnColumnResized = [&] { ++reports; };
  NMHEADERW end{};
  end.hdr.hwndFrom = list.HeaderHandle();
  end.hdr.idFrom = GetDlgCtrlID(list.HeaderHandle());
  end.hdr.code = HDN_ENDTRACKW;
  end.iItem = 0;
  SendMessageW(list.Handle(), WM_NOTIFY, end.hdr.idFrom, reinterpret_cast<LPARAM>(&end));
  // Seen by the list view and passed on to its parent: still one report.
  SendMessageW(form.Handle(), WM_NOTIFY, end.hdr.idFrom, reinterpret_cast<LPARAM>(&end));
  ASSERT_TRUE(PumpUntil([&] { return reports == 1; }));
  EXPECT_EQ(reports, 1);
}

}  // namespace
