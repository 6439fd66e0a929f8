#include <gtest/gtest.h>

#include "mainwindow/KxHistory.h"
#include "platform/Platform.h"

namespace tvn {
namespace {

using Items = std::vector<std::u16string>;

std::u16string Path(std::initializer_list<std::u16string_view> parts) {
  std::u16string path;
  for (auto part : parts) {
    if (!path.empty()) path += platform::PathSeparator();
    path += part;
  }
  return path;
}

THistoryMenuList ListOf(const Items& newestFirst) {
  THistoryMenuList list;
  for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it) list.AddString(*it, false);
  return list;
}

TEST(KxHistory, ReAddedNameMovesToTheFrontAndTheOldestDropsOut) {
  THistoryList list;
  for (auto name : {u"a", u"b", u"c", u"d", u"e"}) list.AddString(name, true);
  EXPECT_EQ(list.Items(), (Items{u"e", u"d", u"c", u"b", u"a"}));
  list.AddString(u"c", true);
  EXPECT_EQ(list.Items(), (Items{u"c", u"e", u"d", u"b", u"a"}));
  list.AddString(u"f", true);
  EXPECT_EQ(list.Items(), (Items{u"f", u"c", u"e", u"d", u"b"}));
}

TEST(KxHistory, AddTrimsAndIgnoresBlankNames) {
  THistoryList list;
  list.AddString(u"  \tx.tvd \r\n", true);
  list.AddString(u" \t ", true);
  list.AddString(u"", false);
  EXPECT_EQ(list.Items(), (Items{u"x.tvd"}));
  list.AddString(u"x.tvd  ", false);
  EXPECT_EQ(list.Items(), (Items{u"x.tvd"})) << "compared after trimming";
}

TEST(KxHistory, CaseInsensitiveAddKeepsTheNewSpelling) {
  THistoryList list;
  list.AddString(u"C:\\Hörbücher\\Liste.TVD", true);
  list.AddString(u"other.tvd", true);
  list.AddString(u"c:\\HÖRBÜCHER\\liste.tvd", true);
  EXPECT_EQ(list.Items(), (Items{u"c:\\HÖRBÜCHER\\liste.tvd", u"other.tvd"}));

  list.AddString(u"OTHER.TVD", false);
  EXPECT_EQ(list.Items(), (Items{u"OTHER.TVD", u"c:\\HÖRBÜCHER\\liste.tvd", u"other.tvd"}))
      << "without GrossS only exact equality replaces";
}

TEST(KxHistory, MaxLenIgnoresNonPositiveValuesAndCutsFromTheEnd) {
  THistoryList list = ListOf({u"1", u"2", u"3", u"4", u"5"});
  list.SetMaxLen(0);
  list.SetMaxLen(-3);
  EXPECT_EQ(list.MaxLen(), 5);
  EXPECT_EQ(list.Count(), 5);
  list.SetMaxLen(2);
  EXPECT_EQ(list.Items(), (Items{u"1", u"2"}));
  list.SetMaxLen(4);
  list.AddString(u"9", true);
  EXPECT_EQ(list.Items(), (Items{u"9", u"1", u"2"}));
}

TEST(KxHistory, LoadingReadsTheStoredKeys) {
  const struct {
    const char* what;
    Items stored;  // History1, History2, ...
    Items loaded;
  } cases[] = {
      {"in order", {u"a", u"b", u"c"}, {u"a", u"b", u"c"}},
      {"identical texts collapse", {u"a", u"a"}, {u"a"}},
      {"the lower key keeps its place", {u"a", u"b", u"a"}, {u"a", u"b"}},
      {"only History2 set", {u"", u"b"}, {u"b"}},
      {"case differences stay apart", {u"A.tvd", u"a.tvd"}, {u"A.tvd", u"a.tvd"}},
      {"keys beyond MaxLen are not read",
       {u"1", u"2", u"3", u"4", u"5", u"6"},
       {u"1", u"2", u"3", u"4", u"5"}},
      {"values are trimmed", {u" a ", u"\t"}, {u"a"}},
      {"nothing stored", {}, {}},
  };
  for (const auto& c : cases) {
    THistoryMenuList list = ListOf({u"old"});
    list.LoadFromStrings(c.stored);
    EXPECT_EQ(list.Items(), c.loaded) << c.what;
  }
}

TEST(KxHistory, SavedListLoadsBackUnchanged) {
  const THistoryList list = ListOf({u"z.tvd", u"Y.tvi", u"x&y.tvd"});
  THistoryList back;
  back.LoadFromStrings(list.SaveToStrings());
  EXPECT_EQ(back.Items(), list.Items());
  EXPECT_EQ(THistoryList::KeyName(1), u"History1");
  EXPECT_EQ(THistoryList::KeyName(5), u"History5");
}

TEST(KxHistory, MenuCaptionsCarryTheDigitAcceleratorAndShowAmpersands) {
  const std::u16string withAmp = Path({u"Bücher & Co", u"A&B.tvd"});
  THistoryMenuList list = ListOf({withAmp, u"b.tvd"});
  EXPECT_EQ(list.GetMenuCaption(0), u"&1 " + withAmp) << "not escaped by default";
  list.EscapeAmpersand = true;
  EXPECT_EQ(list.GetItemText(0), Path({u"Bücher && Co", u"A&&B.tvd"}));
  EXPECT_EQ(list.GetMenuCaption(0), u"&1 " + Path({u"Bücher && Co", u"A&&B.tvd"}));
  EXPECT_EQ(list.GetMenuCaption(1), u"&2 b.tvd");
  EXPECT_EQ(list.GetMenuCaption(2), u"");
  EXPECT_EQ(list.GetMenuCaption(-1), u"");
  EXPECT_EQ(list.GetItemText(7), u"");
}

TEST(KxHistory, ShortCaptionsShowTheFileNamePartOrTheWholeEntry) {
  const std::u16string folder = Path({u"daten", u"alt"}) + platform::PathSeparator();
  THistoryMenuList list = ListOf({Path({u"daten", u"liste.tvd"}), folder});
  list.ShowFullPath = false;
  EXPECT_EQ(list.GetItemText(0), u"liste.tvd");
  EXPECT_EQ(list.GetItemText(1), folder) << "an entry without a file-name part stays whole";
}

TEST(KxHistory, FailedFileGoesInEverySpelling) {
  THistoryList list = ListOf({u"Ä.tvd", u"keep.tvd", u"ä.TVD", u"ä.tvd.bak", u"ä.tvd"});
  list.RemoveIgnoringCase(u"ä.tvd");
  EXPECT_EQ(list.Items(), (Items{u"keep.tvd", u"ä.tvd.bak"}));
  list.RemoveIgnoringCase(u"missing");
  EXPECT_EQ(list.Count(), 2);
}

}  // namespace
}  // namespace tvn
