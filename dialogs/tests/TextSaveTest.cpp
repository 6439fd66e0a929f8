// Texts written in the five save formats, and the RTF document the program writes itself.
#include <gtest/gtest.h>

#include "data/tests/TestData.h"
#include "dialogs/TextSave.h"
#include "platform/Platform.h"

namespace tvn {
namespace {

TEST(TextSave, EachFormatWritesItsBytes) {
  const std::u16string text = u"Grüße\r\n\fŁ€";
  struct Case {
    int format;
    std::string bytes;
  };
  const Case cases[] = {
      {tsfAnsi,
       "Gr\xFC\xDF"
       "e\r\n\f?\x80"},
      {tsfUnicode, std::string("\xFF\xFEG\0r\0\xFC\0\xDF\0e\0\r\0\n\0\f\0\x41\x01\xAC\x20", 22)},
      {tsfUtf8,
       "Gr\xC3\xBC\xC3\x9F"
       "e\r\n\f\xC5\x81\xE2\x82\xAC"},
      {tsfUtf8Bom,
       "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
       "e\r\n\f\xC5\x81\xE2\x82\xAC"},
      {0,
       "Gr\xFC\xDF"
       "e\r\n\f?\x80"},  // unknown codes write ANSI
      {7,
       "Gr\xFC\xDF"
       "e\r\n\f?\x80"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(EncodeTextForSave(text, c.format, nullptr), c.bytes);
  }
}

TEST(TextSave, RtfHoldsLinesPageBreaksAndEveryCharacterInTheFont) {
  const TRtfSchrift schrift{u"Times {Neu}", 35, true, 0x00336699};
  EXPECT_EQ(TRtfRef(schrift).Document(u"Łódź {1}\\\r\nGrüße €\f\tEnde\r\n"),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Times "
            "\\{Neu\\};}}\r\n"
            "{\\colortbl ;\\red153\\green102\\blue51;}\r\n"
            "\\viewkind4\\pard\\plain\\f0\\fs70\\cf1\\b "
            "\\u321?\\'f3d\\u378? \\{1\\}\\\\\\par\r\n"
            "Gr\\'fc\\'dfe \\'80\\page \\tab Ende\\par\r\n"
            "}\r\n");
  // Characters beyond the first plane go as their two halves.
  EXPECT_NE(TRtfRef().Document(u"\U0001F3A7").find("\\u-10180?\\u-8281?"), std::string::npos);
  EXPECT_NE(TRtfRef().Document(u"a").find("\\fcharset0 Arial;}}"), std::string::npos);
}

TEST(TextSave, AFailedSaveReportsAndLeavesNothingBehind) {
  test::TempDir dir;
  std::u16string error;
  EXPECT_FALSE(SaveTextToFile(dir.File(u"fehlt/text.txt"), u"x", tsfUtf8, nullptr, error));
  EXPECT_FALSE(error.empty());

  const std::u16string target = dir.File(u"text.rtf");
  ASSERT_TRUE(SaveTextToFile(target, u"alt", tsfUtf8, nullptr, error));
  platform::FailNextReplaceAt(platform::FileStep::Write);
  error.clear();
  EXPECT_FALSE(SaveTextToFile(target, u"neu", tsfRtf, nullptr, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(test::ReadBytes(target), "alt");
  EXPECT_EQ(dir.Files(), std::vector<std::u16string>{u"text.rtf"});
}

}  // namespace
}  // namespace tvn
