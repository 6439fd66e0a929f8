#include <gtest/gtest.h>

#include "data/UndoDaten.h"
#include "data/tests/TestData.h"
#include "platform/Platform.h"

namespace tvn {
namespace {

using test::Entry;

TDaten Named(const std::u16string& autor) { return TDaten(Entry(autor)); }

TEST(UndoDaten, KeepsTheNewestNineSteps) {
  TUndoDaten undo;
  EXPECT_EQ(undo.MaxLen(), 9);
  for (int i = 0; i < 10; ++i) {
    undo.Add(u"f" + std::u16string(1, char16_t(u'0' + i)), i, TDaten(), Named(u"x"), TDaten());
  }
  ASSERT_EQ(undo.Count(), 9);
  EXPECT_EQ(undo.Liste.front().ItemIndex, 1) << "the oldest was dropped";
  EXPECT_EQ(undo.Liste.back().ItemIndex, 9);
}

TEST(UndoDaten, MaxLenAndDelete) {
  TUndoDaten undo(u"a", 0, TDaten(), TDaten(), TDaten());
  for (int i = 1; i < 5; ++i) undo.Add(u"a", i, TDaten(), TDaten(), TDaten());
  undo.SetMaxLen(0);
  undo.SetMaxLen(-3);
  EXPECT_EQ(undo.Count(), 5);
  EXPECT_EQ(undo.MaxLen(), 9);
  undo.SetMaxLen(3);
  ASSERT_EQ(undo.Count(), 3);
  EXPECT_EQ(undo.Liste[0].ItemIndex, 2);
  undo.Delete(3);
  undo.Delete(-1);
  EXPECT_EQ(undo.Count(), 3);
  undo.Delete(1);
  EXPECT_EQ(undo.Liste[1].ItemIndex, 4);
  undo.Clear();
  EXPECT_EQ(undo.Count(), 0);
}

TEST(UndoDaten, StepsHoldCopies) {
  TDaten daten = Named(u"vorher");
  TUndoDaten undo(u"a", 0, daten, daten, daten);
  daten.Liste[0].Autor = u"nachher";
  EXPECT_EQ(undo.Liste[0].Daten.Liste[0].Autor, u"vorher");
  EXPECT_EQ(undo.Liste[0].MarkDaten.Liste[0].Autor, u"vorher");
}

TEST(UndoDaten, UpdateSavedStateRefreshesStepsOfThatFileOnly) {
  test::TempDir dir;
  const std::u16string file = dir.File(u"Liste.tvd");
  const std::u16string folder = platform::ExtractFileDir(file) + platform::PathSeparator();
  std::u16string otherCase = file;
  otherCase.replace(otherCase.size() - 9, 9, u"LISTE.TVD");
  TUndoDaten undo;
  undo.Add(file, -1, TDaten(), TDaten(), Named(u"alt"));
  undo.Add(otherCase, -1, TDaten(), TDaten(), Named(u"alt"));
  undo.Add(folder, -1, TDaten(), TDaten(), Named(u"alt"));
  undo.Add(dir.File(u"Andere.tvd"), -1, TDaten(), TDaten(), Named(u"alt"));

  const TDaten saved = Named(u"neu");
  undo.UpdateSavedState(folder, &saved);  // no file-name part: nothing happens
  undo.UpdateSavedState(file, nullptr);
  EXPECT_EQ(undo.SaveDatenVon(0).Liste[0].Autor, u"alt");

  undo.UpdateSavedState(file, &saved);
  const char16_t* expected[] = {u"neu", u"neu", u"alt", u"alt"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(undo.SaveDatenVon(i).Liste[0].Autor, expected[i]) << i;
}

TEST(UndoDaten, SameFileNameFoldsEachCodeUnit) {
  EXPECT_TRUE(SameFileName(u"C:\\Ä\\X.TVD", u"c:\\ä\\x.tvd"));
  EXPECT_FALSE(SameFileName(u"a.tvd", u"a.tvi"));
  EXPECT_FALSE(SameFileName(u"a", u"aa"));
}

}  // namespace
}  // namespace tvn
