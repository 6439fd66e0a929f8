#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn {
namespace {

TEST(Utf16, RoundTripsAndReplacesBrokenInput) {
  const std::u16string text = u"Äpfel € 𝄞 x";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"ä"), "\xC3\xA4");
  EXPECT_EQ(FromUtf8("a\xFF"
                     "b"),
            u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");
  EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD") << "overlong forms are refused";
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(IntToText(-45292), u"-45292");
  EXPECT_EQ(IntToText(0), u"0");
}

TEST(Platform, TrimRemovesBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(Trim(u" \t\r\n a b \x01\x20"), u"a b");
  EXPECT_EQ(Trim(std::u16string(u"\0\x1f", 2)), u"");
  EXPECT_EQ(Trim(u"\u00a0x\u00a0"), u"\u00a0x\u00a0");  // no-break space is text
  EXPECT_EQ(TrimRight(u" \t a b\r\n\r\n \x01"), u" \t a b");
  EXPECT_EQ(TrimRight(std::u16string(u"\0\x1f", 2)), u"");
  EXPECT_EQ(TrimRight(u"x\u00a0"), u"x\u00a0");
}

TEST(Platform, LocaleLowerCase) {
  EXPECT_EQ(platform::LowerCaseLocale(u"ÄÖÜ ABC ß É"), u"äöü abc ß é");
  EXPECT_EQ(platform::LowerCaseChar(u'Ä'), u'ä');
  EXPECT_EQ(platform::LowerCaseChar(u'Z'), u'z');
  EXPECT_EQ(platform::LowerCaseChar(u'1'), u'1');
}

TEST(Platform, FileNameParts) {
  const char16_t sep = platform::PathSeparator();
  const std::u16string dir = std::u16string(1, sep) + u"a" + sep + u"b";
  const std::u16string file = dir + sep + u"x.tvd";
  EXPECT_EQ(platform::ExtractFileName(file), u"x.tvd");
  EXPECT_EQ(platform::ExtractFileDir(file), dir);
  EXPECT_EQ(platform::ExtractFileName(dir + sep), u"");
  EXPECT_EQ(platform::AbsolutePath(dir + sep + u"." + sep + u"c" + sep + u".." + sep + u"x.tvd"),
            platform::AbsolutePath(file));
}

}  // namespace
}  // namespace tvn
