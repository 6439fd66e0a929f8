// The main window's list, sorting, status line and layout, driven as the user and a screen
// reader reach them: window messages to the real controls.
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <functional>

#include "mainwindow/FileCommands.h"
#include "mainwindow/tests/HauptTestSupport.h"
#include "platform/Utf16.h"
#include "screenreader/tests/ReaderDoubles.h"
#include "winui/FontCache.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {
namespace {

using winui::TSortMark;

class MainWindow : public MainWindowTest {
 protected:
  // Sends what the list view sends its parent for a click on a column header.
  void ClickHeader(int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = form->ListView1.Handle();
    click.hdr.idFrom = static_cast<UINT_PTR>(form->ListView1.ControlId());
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(form->Handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
  }
};

TEST_F(MainWindow, OpeningAFileShowsItsRowsSortedWithDates) {
  TDaten daten = Liste({u"Zeh", u"Adler", u"Müller"});
  daten.Liste[1].ErhaltenS = true;
  daten.Liste[1].ErhaltenDatum = kDay2024 + 65;  // 2024-03-06
  const std::u16string path = dir.File(u"hoerbuecher.tvd");
  WriteListe(path, daten);

  OpenFile(path);

  const winui::TPromptRecord& dialog = prompt->Records().at(0);
  EXPECT_EQ(dialog.Type, winui::TPromptType::OpenFile);
  EXPECT_EQ(dialog.File.Title, u"Hörbuchdatei öffnen");
  EXPECT_EQ(dialog.File.Filter, kFilterOeffnen);
  EXPECT_EQ(dialog.File.DefaultExt, u"TVD");
  EXPECT_TRUE(dialog.File.FileMustExist);
  ASSERT_EQ(form->ListView1.ItemCount(), 3);
  const std::vector<std::vector<std::u16string>> expected = {
      {u"Adler", u"Titel 2", u"", u"", u"Nein", u"Keine", u"Mi, 06.03.2024", u"-",
       u"Mo, 01.01.2024"},
      {u"Müller", u"Titel 3", u"", u"", u"Nein", u"Keine", u"-", u"-", u"Mo, 01.01.2024"},
      {u"Zeh", u"Titel 1", u"", u"", u"Nein", u"Keine", u"-", u"-", u"Mo, 01.01.2024"}};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 9; ++column) {
      EXPECT_EQ(CellText(form->ListView1, row, column), expected[row][column])
          << "row " << row << " column " << column;
    }
  }
  EXPECT_EQ(form->Caption(), u"hoerbuecher.tvd - Tavorin V1.13");
  EXPECT_EQ(form->ItemIndex(), 0);
  EXPECT_EQ(PanelText(form->StatusBar1, 0), u"Eintrag 1 von 3");
  EXPECT_TRUE(form->ListView1.Focused());
}

TEST_F(MainWindow, HeaderClicksToggleTheDirectionAndMoveTheSortMark) {
  ShowListe({u"B", u"A", u"C"});  // titles 1, 2, 3
  struct Step {
    int column;
    TSortNr sortNr;
    bool aufS;
    const char16_t* firstAuthor;
  };
  const Step steps[] = {
      {1, snTitel, true, u"B"},   // another column starts ascending
      {1, snTitel, false, u"C"},  // the same column toggles
      {1, snTitel, true, u"B"},        {0, snAutor, true, u"A"},         {0, snAutor, false, u"C"},
      {2, snKatalogNr, true, nullptr}, {42, snKatalogNr, true, nullptr},  // no column: ignored
  };
  for (const Step& step : steps) {
    ClickHeader(step.column);
    SCOPED_TRACE(step.column);
    EXPECT_EQ(form->SortNr(), step.sortNr);
    EXPECT_EQ(form->SortAufS(), step.aufS);
    if (step.firstAuthor) {
      EXPECT_EQ(CellText(form->ListView1, 0, 0), step.firstAuthor);
    }
    for (int column = 0; column < 9; ++column) {
      const TSortMark mark = column != step.sortNr ? TSortMark::None
                             : step.aufS           ? TSortMark::Up
                                                   : TSortMark::Down;
      EXPECT_EQ(HeaderSortMark(form->ListView1, column), mark) << "column " << column;
    }
    EXPECT_TRUE(form->MenuSortNr[step.sortNr].Checked());
    EXPECT_EQ(form->MenuSortAuf.Checked(), step.aufS);
    EXPECT_EQ(form->MenuSortAb.Checked(), !step.aufS);
  }
}

TEST_F(MainWindow, MarkingAndFocusSurviveAResort) {
  // Two equal entries: both marks must come back, not one of them twice.
  ShowListe({u"E", u"D", u"C", u"B", u"A"});
  form->Daten.Add(form->Daten.Liste.back());  // E, Titel 1
  form->Daten.Sort(form->SortNr(), form->SortAufS());
  form->SetLvDaten(0);
  // Sorted by author: A B C D E E(copy). Mark C and both E, focus B without marking it.
  form->ListView1.SetItemSelected(-1, false);
  for (int row : {2, 4, 5}) form->ListView1.SetItemSelected(row, true);
  form->ListView1.SetItemFocused(1);
  ASSERT_EQ(MarkedAuthors(*form), (std::vector<std::u16string>{u"C", u"E", u"E"}));
  ASSERT_EQ(form->ItemIndex(), 1);

  form->MenuSortNr[snTitel].Click();  // titles: A=5, B=4, C=3, D=2, E=1 (twice)

  EXPECT_EQ(form->SortNr(), snTitel);
  EXPECT_EQ(CellText(form->ListView1, 0, 0), u"E");
  EXPECT_EQ(MarkedAuthors(*form), (std::vector<std::u16string>{u"E", u"E", u"C"}));
  ASSERT_GE(form->ItemIndex(), 0);
  EXPECT_EQ(form->Daten.Liste[static_cast<size_t>(form->ItemIndex())].Autor, u"B");

  form->MenuSortAb.Click();
  EXPECT_EQ(CellText(form->ListView1, 0, 0), u"A");
  EXPECT_EQ(MarkedAuthors(*form), (std::vector<std::u16string>{u"C", u"E", u"E"}));
  EXPECT_EQ(form->Daten.Liste[static_cast<size_t>(form->ItemIndex())].Autor, u"B");

  form->AlleMarkieren();
  ClickHeader(snAutor);
  EXPECT_EQ(form->ListView1.SelCount(), 6);
  EXPECT_EQ(form->Daten.Liste[static_cast<size_t>(form->ItemIndex())].Autor, u"B");
}

TEST_F(MainWindow, EveryResortGivesTheListTheFocus) {
  struct Case {
    const char* name;
    bool allMarked;
    std::function<void()> resort;
  };
  const Case cases[] = {
      {"one row marked, sort menu", false, [this] { form->MenuSortNr[snTitel].Click(); }},
      {"every row marked, sort menu", true, [this] { form->MenuSortNr[snTitel].Click(); }},
      {"every row marked, direction menu", true, [this] { form->MenuSortAb.Click(); }},
      {"every row marked, header click", true, [this] { ClickHeader(snAutor); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowListe({u"C", u"A", u"B"});
    if (c.allMarked) form->AlleMarkieren();
    form->Button1.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return form->Button1.Focused(); }));

    c.resort();

    EXPECT_TRUE(form->ListView1.Focused());
    EXPECT_EQ(form->ListView1.SelCount(), c.allMarked ? 3 : 1);
  }
}

TEST_F(MainWindow, StatusPanelsAnswerTheScreenReadersTextQueries) {
  struct Case {
    const char* name;
    int entries;
    std::function<void(TForm1&)> mark;
    const char16_t* panel0;
    const char16_t* panel1;
  };
  const Case cases[] = {
      {"empty list", 0, [](TForm1&) {}, u"Keine Einträge", u"Strg+N=Neu; Strg+O=Öffnen"},
      {"one entry, focused and marked", 1, [](TForm1&) {}, u"Eintrag 1 von 1",
       u"Enter=Details; Strg+B=Bearbeiten"},
      {"one entry, nothing focused", 1, [](TForm1& f) { f.SetItemIndex(-1); },
       u"1 Eintrag; keiner markiert", u"Strg+N=Neu; Strg+O=Öffnen"},
      {"1000 entries, all marked", 1000, [](TForm1& f) { f.AlleMarkieren(); },
       u"Eintrag 1 von 1.000; 1.000 markiert", u"Enter=Details; Entf=Löschen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::u16string> autoren;
    for (int i = 0; i < c.entries; ++i) autoren.push_back(u"Autor " + IntToText(i));
    ShowListe(autoren);
    c.mark(*form);
    form->Timer0Timer();
    for (int panel = 0; panel < 2; ++panel) {
      const std::u16string expected = panel == 0 ? c.panel0 : c.panel1;
      EXPECT_EQ(PanelText(form->StatusBar1, panel), expected);
      EXPECT_EQ(PanelTextLength(form->StatusBar1, panel), static_cast<LRESULT>(expected.size()));
    }
    EXPECT_EQ(form->Button2.Enabled(), c.entries > 0 && form->ListView1.SelCount() > 0);
    EXPECT_EQ(form->Button3.Enabled(), form->ItemIndex() >= 0);
  }
  // A panel that does not exist gets the control's own answer.
  wchar_t buffer[8] = L"xyz";
  EXPECT_EQ(
      SendMessageW(form->StatusBar1.Handle(), SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(buffer)), 0);
}

TEST_F(MainWindow, LayoutKeepsListButtonsAndStatusLineApartAtEveryFontSize) {
  ShowListe({u"A", u"B"});
  for (int size : {12, 35}) {
    SCOPED_TRACE(size);
    winui::AktFont.Size = size;
    form->SchriftartZuweisen();
    const RECT list = form->ListView1.Bounds();
    const RECT status = form->StatusBar1.Bounds();
    RECT area{};
    GetWindowRect(GetParent(form->Button1.Handle()), &area);
    MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(list.left, 10);
    EXPECT_EQ(list.top, 10);
    EXPECT_LE(list.bottom, area.top);
    EXPECT_LE(area.bottom, status.top);
    EXPECT_EQ(status.bottom, form->ClientHeight());
    EXPECT_LE(status.bottom - status.top, form->ClientHeight() / 3);
    // The hint panel's text fits: its wrapped height plus the margins.
    const int textHeight = FontTextHeight(winui::AktFont);
    EXPECT_GE(status.bottom - status.top, textHeight + 12);
    for (int column = 0; column < 9; ++column) {
      EXPECT_GE(form->ListView1.ColumnWidth(column), form->MinSpaltenBreite());
    }
  }
  winui::AktFont.Size = 12;
}

TEST_F(MainWindow, ResizingTheWindowLaysItOutAgain) {
  form->SetBounds(form->Left(), form->Top(), 1100, 800);
  Pump();
  EXPECT_EQ(form->NormalWidth(), 1100);
  EXPECT_EQ(form->LastWindowState(), winui::TWindowState::Normal);
  EXPECT_EQ(form->ListView1.Width(), form->ClientWidth() - 20);
  EXPECT_EQ(form->StatusBar1.Bounds().bottom, form->ClientHeight());
  EXPECT_EQ(form->StatusBar1.Width(), form->ClientWidth());
}

TEST_F(MainWindow, ColumnsCannotBeDraggedNarrowerThanTheMinimum) {
  const int minimum = form->MinSpaltenBreite();
  EXPECT_GE(minimum, 40);
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  NMHEADERW change{};
  change.hdr.hwndFrom = form->ListView1.HeaderHandle();
  change.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(change.hdr.hwndFrom));
  change.hdr.code = HDN_ITEMCHANGINGW;
  change.iItem = 0;
  change.pitem = &item;
  for (const auto& [width, refused] : {std::pair{minimum - 1, 1}, std::pair{minimum, 0}}) {
    item.cxy = width;
    EXPECT_EQ(SendMessageW(form->ListView1.Handle(), WM_NOTIFY, change.hdr.idFrom,
                           reinterpret_cast<LPARAM>(&change)),
              refused)
        << width;
  }
}

TEST_F(MainWindow, TypedLettersJumpToTheAuthor) {
  ShowListe({u"Anna", u"Maier", u"Müller", u"Mueck", u"Zorn"});
  form->ListView1.SetFocus();
  for (wchar_t ch : {L'm', L'ü'}) PostMessageW(form->ListView1.Handle(), WM_CHAR, ch, 1);
  EXPECT_TRUE(PumpUntil([&] {
    return form->ItemIndex() >= 0 && form->Daten.Liste[form->ItemIndex()].Autor == u"Müller";
  })) << form->ItemIndex();
}

// A screen reader reading the window from its own process, through Active Accessibility.
TEST_F(MainWindow, ScreenReadersReadTheListAndTheStatusLineByName) {
  const std::vector<winui::test::TAccessibleReading> readings = winui::test::ReadFromOtherProcess(
      {form->ListView1.Handle(), form->StatusBar1.Handle(), form->Button1.Handle(),
       form->Button2.Handle(), form->Button3.Handle()});
  std::vector<std::u16string> names;
  for (const winui::test::TAccessibleReading& reading : readings) names.push_back(reading.Name);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Hörbuchliste", u"Statuszeile", u"Neu", u"Details",
                                                u"Bearbeiten"}));
}

TEST_F(MainWindow, FocusingTheListSaysItsLabelOnce) {
  tvn::testing::TReaderLock lock;
  tvn::testing::TFakeNvda nvda;
  nvda.Start();
  form->Button1.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return form->Button1.Focused(); }));
  nvda.ClearCalls();
  form->ListView1.SetFocus();
  Pump();
  EXPECT_EQ(nvda.Texts("speakText"), (std::vector<std::u16string>{u"Hörbuchliste:"}));
  EXPECT_EQ(nvda.Texts("brailleMessage"), (std::vector<std::u16string>{u"Hörbuchliste:"}));
}

}  // namespace
}  // namespace tvn::test
