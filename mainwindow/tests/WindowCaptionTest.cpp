#include <gtest/gtest.h>

#include "mainwindow/WindowCaption.h"
#include "platform/Platform.h"

namespace tvn {
namespace {

const std::u16string kSep(1, platform::PathSeparator());

TEST(WindowCaption, CaptionEndsWithTheProgramCaption) {
  EXPECT_EQ(FensterCaption(u"Liste.tvd"), u"Liste.tvd - Tavorin V1.13");
  EXPECT_EQ(FensterCaption(kKeinName), u"KeinName - Tavorin V1.13");
  EXPECT_EQ(FensterCaption(u"100%s.tvd"), u"100%s.tvd - Tavorin V1.13");
}

TEST(WindowCaption, SettingTheFileNameKeepsAFileOrOnlyAFolder) {
  const std::u16string dir = kSep + u"daten" + kSep;
  const std::u16string file = dir + u"Hörbücher.tvd";
  const std::u16string program = kSep + u"programm" + kSep;
  const struct {
    const char* what;
    std::u16string value, current;
    TFilenameWechsel result;
  } cases[] = {
      {"a file", file, u"", {file, u"Hörbücher.tvd", true}},
      {"a folder", dir, file, {dir, u"KeinName", false}},
      {"empty keeps the current folder", u"", file, {dir, u"KeinName", false}},
      {"empty after a folder keeps it", u"", dir, {dir, u"KeinName", false}},
      {"empty with nothing current", u"", u"", {program, u"KeinName", false}},
  };
  for (const auto& c : cases) {
    const TFilenameWechsel got = FilenameSetzen(c.value, c.current, program);
    EXPECT_EQ(got.Filename, c.result.Filename) << c.what;
    EXPECT_EQ(got.ShownName, c.result.ShownName) << c.what;
    EXPECT_EQ(got.AddToHistory, c.result.AddToHistory) << c.what;
  }
}

TEST(WindowCaption, FolderPartKeepsItsLastDelimiter) {
  EXPECT_EQ(ExtractFilePath(kSep + u"a" + kSep + u"b.tvd"), kSep + u"a" + kSep);
  EXPECT_EQ(ExtractFilePath(u"b.tvd"), u"");
  EXPECT_TRUE(HasFileNamePart(kSep + u"a" + kSep + u"b"));
  EXPECT_FALSE(HasFileNamePart(kSep + u"a" + kSep));
  EXPECT_FALSE(HasFileNamePart(u""));
}

}  // namespace
}  // namespace tvn
