// The settings document: reading with and without the mark, matching without case, key
// order, unknown content kept, integers, and bytes that are no INI file at all.
#include <gtest/gtest.h>

#include "mainwindow/IniDatei.h"

namespace tvn {
namespace {

TIniDatei Parsed(std::string_view bytes) {
  TIniDatei ini;
  ini.Parse(bytes);
  return ini;
}

TEST(IniDatei, ANewDocumentIsWrittenInTheOrderOfItsKeys) {
  TIniDatei ini;
  ini.WriteInteger(u"MainForm", u"WindowState", 2);
  ini.WriteInteger(u"MainForm", u"Width", 1200);
  ini.WriteString(u"MainForm", u"Filename", u"C:\\Hörbücher\\Liste.tvd");
  ini.WriteBool(u"MainForm", u"SortAufS", false);
  ini.WriteInteger(u"ListView", u"ColumnWidth0", 80);
  ini.WriteInteger(u"mainform", u"WIDTH", 900);  // same key: keeps its place
  EXPECT_EQ(ini.Encode(),
            "\xEF\xBB\xBF[MainForm]\r\nWindowState=2\r\nWidth=900\r\n"
            "Filename=C:\\H\xC3\xB6rb\xC3\xBC"
            "cher\\Liste.tvd\r\nSortAufS=0\r\n\r\n"
            "[ListView]\r\nColumnWidth0=80\r\n\r\n");
}

TEST(IniDatei, ReadsWithOrWithoutMarkAndAnyLineEnd) {
  for (std::string_view bytes :
       {std::string_view("\xEF\xBB\xBF[MainForm]\r\nFontName=Gr\xC3\xBC\xC3\x9F"
                         "e\r\n"),
        std::string_view("[mainform]\nfontname = Gr\xC3\xBC\xC3\x9F"
                         "e  \n"),
        std::string_view("[ MainForm ]\rFONTNAME=Gr\xC3\xBC\xC3\x9F"
                         "e")}) {
    SCOPED_TRACE(bytes);
    const TIniDatei ini = Parsed(bytes);
    EXPECT_TRUE(ini.SectionExists(u"MAINFORM"));
    EXPECT_TRUE(ini.ValueExists(u"MainForm", u"FontName"));
    EXPECT_EQ(ini.ReadString(u"MainForm", u"FontName", u"Arial"), u"Grüße");
    EXPECT_EQ(ini.ReadString(u"MainForm", u"FontSize", u"-"), u"-");
    EXPECT_EQ(ini.ReadString(u"ListView", u"FontName", u"-"), u"-");
  }
}

TEST(IniDatei, UnknownKeysSectionsAndLinesStayWhereTheyWere) {
  TIniDatei ini = Parsed(
      "; von Hand\r\n[Eigenes]\r\nA=1\r\n[MainForm]\r\nZukunft=ja\r\nWidth=5\r\nkein Wert\r\n");
  ini.WriteInteger(u"MainForm", u"Width", 800);
  ini.WriteInteger(u"MainForm", u"Height", 600);
  ini.DeleteKey(u"Eigenes", u"a");
  ini.DeleteKey(u"Fehlt", u"A");
  EXPECT_EQ(ini.Encode(),
            "\xEF\xBB\xBF; von Hand\r\n\r\n[Eigenes]\r\n\r\n"
            "[MainForm]\r\nZukunft=ja\r\nWidth=800\r\nkein Wert\r\nHeight=600\r\n\r\n");
  const TIniDatei again = Parsed(ini.Encode());
  EXPECT_EQ(again.Encode(), ini.Encode());
}

TEST(IniDatei, IntegersAreDecimalOrHexadecimal) {
  struct Case {
    const char* text;
    int value;  // 77: the default
  };
  const Case cases[] = {
      {"12", 12},
      {"-3", -3},
      {"+4", 4},
      {" 35 ", 35},
      {"0x1F", 31},
      {"0XfF", 255},
      {"0xF0CAA6", 15780518},
      {"0xFFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", 77},
      {"0x100000000", 77},
      {"12a", 77},
      {"1.5", 77},
      {"", 77},
      {"-", 77},
      {"0x", 77},
      {"$10", 77},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const TIniDatei ini = Parsed(std::string("[S]\nK=") + c.text + "\n");
    EXPECT_EQ(ini.ReadInteger(u"S", u"K", 77), c.value);
  }
  const TIniDatei flags = Parsed("[S]\nAn=2\nAus=0\nKaputt=ja\n");
  EXPECT_TRUE(flags.ReadBool(u"S", u"An", false));
  EXPECT_FALSE(flags.ReadBool(u"S", u"Aus", true));
  EXPECT_TRUE(flags.ReadBool(u"S", u"Kaputt", true));
  EXPECT_FALSE(flags.ReadBool(u"S", u"Fehlt", false));
}

TEST(IniDatei, GarbageAndTruncatedFilesStillRead) {
  static constexpr char kGarbage[] = "\x00\xFF\xFE[=]\n[MainForm\n=x\n[MainForm]\nWidth=8";
  const TIniDatei garbage = Parsed(std::string_view(kGarbage, sizeof kGarbage - 1));
  EXPECT_EQ(garbage.ReadInteger(u"MainForm", u"Width", 0), 8);
  EXPECT_FALSE(garbage.ValueExists(u"MainForm", u""));
  const TIniDatei truncated = Parsed("\xEF\xBB\xBF[MainForm]\r\nFontSize=1");
  EXPECT_EQ(truncated.ReadInteger(u"MainForm", u"FontSize", 12), 1);
  const TIniDatei onlyMark = Parsed("\xEF\xBB");
  EXPECT_FALSE(onlyMark.SectionExists(u"MainForm"));
  // A value with a line break would become two lines: it is written on one.
  TIniDatei ini;
  ini.WriteString(u"S", u"K", u"a\r\nb");
  EXPECT_EQ(Parsed(ini.Encode()).ReadString(u"S", u"K", u""), u"a  b");
}

}  // namespace
}  // namespace tvn
