#include <gtest/gtest.h>

#include "mainwindow/EntryCommands.h"
#include "platform/Utf16.h"

namespace tvn {
namespace {

TEST(EntryCommands, EnablingFollowsMarkingFocusUndoAndClipboard) {
  TAktionenLage empty;
  const TAktionenEnabling none = AktionenEnabling(empty, true);
  EXPECT_TRUE(none.Neu);
  EXPECT_FALSE(none.Details || none.Bearbeiten || none.Zurueck || none.AlleMarkieren ||
               none.Einfuegen || none.Markierte || none.Gelesen || none.NichtGelesen);

  TAktionenLage lage;
  lage.Count = 5;
  lage.ItemIndex = 2;  // focused, but nothing marked
  lage.UndoCount = 3;
  lage.CopyCount = 1;
  TAktionenEnabling e = AktionenEnabling(lage, true);
  EXPECT_TRUE(e.Bearbeiten && e.Zurueck && e.AlleMarkieren && e.Einfuegen);
  EXPECT_FALSE(e.Details || e.Markierte || e.Gelesen || e.NichtGelesen);

  lage.ItemIndex = -1;
  lage.Marked = 2;  // marked without a focused row: no edit
  e = AktionenEnabling(lage, false);
  EXPECT_FALSE(e.Bearbeiten);
  EXPECT_TRUE(e.Details && e.Markierte);
}

TEST(EntryCommands, ReadCommandsLookAtTheMarkedEntriesOnlyWhenAMenuOpens) {
  const struct {
    bool anyUnread, anyRead, menu;
    bool gelesen, nichtGelesen;
  } cases[] = {
      {false, true, true, false, true},  // all marked are read: "read" is disabled
      {true, false, true, true, false},  // none is read
      {true, true, true, true, true},
      {false, true, false, true, true},  // a shortcut key: both, whatever the entries
      {true, false, false, true, true},
  };
  for (const auto& c : cases) {
    TAktionenLage lage;
    lage.Count = 3;
    lage.Marked = 2;
    lage.AnyMarkedUnread = c.anyUnread;
    lage.AnyMarkedRead = c.anyRead;
    const TAktionenEnabling e = AktionenEnabling(lage, c.menu);
    EXPECT_EQ(e.Gelesen, c.gelesen) << c.anyUnread << c.anyRead << c.menu;
    EXPECT_EQ(e.NichtGelesen, c.nichtGelesen) << c.anyUnread << c.anyRead << c.menu;
  }
}

TEST(EntryCommands, QuestionAndCaptionTexts) {
  EXPECT_EQ(LoeschenFrage(1), u"Soll der markierte Eintrag gelöscht werden?");
  EXPECT_EQ(LoeschenFrage(2), u"Sollen alle 2 markierten Einträge gelöscht werden?");
  EXPECT_EQ(LoeschenFrage(12345), u"Sollen alle 12345 markierten Einträge gelöscht werden?");
  EXPECT_EQ(ZurueckCaption(3), u"Änderung 3 &zurücksetzen");
  EXPECT_EQ(ZurueckCaption(9), u"Änderung 9 &zurücksetzen");
}

TEST(EntryCommands, AfterDeletingTheNextSurvivorOfTheFocusedRowBecomesCurrent) {
  const struct {
    const char* name;
    std::vector<int> deleted;  // rows of A B C D E
    int focused;
    int current;  // among the rows left
  } cases[] = {
      {"focused among the deleted: the next survivor (E)", {1, 2, 3}, 2, 1},
      {"focused and kept (D)", {0, 1}, 3, 1},
      {"the focused last one: the new last (D)", {4}, 4, 3},
      {"no focused row: the first", {1, 3}, -1, 0},
      {"everything: no row", {0, 1, 2, 3, 4}, 0, -1},
      {"deleted after the focused one (B)", {3, 4}, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int left = 5 - static_cast<int>(c.deleted.size());
    EXPECT_EQ(ZeileNachLoeschen(c.deleted, c.focused, left), c.current);
  }
}

}  // namespace
}  // namespace tvn
