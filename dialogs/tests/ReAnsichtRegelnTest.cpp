// The details viewer's rules: enabling of printing, saving and the popup items by the
// text, page breaks, and what each save filter writes.
#include <gtest/gtest.h>

#include "dialogs/ReAnsichtRegeln.h"

namespace tvn {
namespace {

TEST(ReAnsichtRegeln, PrintingNeedsAVisibleCharacterSavingAnyText) {
  struct Case {
    std::u16string_view text;
    bool drucken, speichern;
  };
  const Case cases[] = {
      {u"", false, false},
      {u"\r\n \r\n\t\r\n", false, true},  // blank lines only
      {u"\f\f", false, true},
      {u" \r\n!", true, true},
      {u"\u00A0", true, true},  // a no-break space is above U+0020
      {u"Autor: Mann\r\n", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
    const TReAnsichtSchalter schalter = ReAnsichtSchalter(c.text);
    EXPECT_EQ(schalter.Drucken, c.drucken);
    EXPECT_EQ(schalter.Speichern, c.speichern);
  }
}

TEST(ReAnsichtRegeln, PageBreaksAreFoundAndRemovedWithNothingElse) {
  EXPECT_FALSE(HatSeitenumbruch(u"Titel\r\n\tx"));
  EXPECT_TRUE(HatSeitenumbruch(u"a\fb"));
  EXPECT_EQ(OhneSeitenumbrueche(u"\fErste\r\n\f\fZweite \f"), u"Erste\r\nZweite ");
  EXPECT_EQ(OhneSeitenumbrueche(u"\f"), u"");
}

TEST(ReAnsichtRegeln, PopupItemsFollowTextSelectionClipboardAndUndo) {
  TReAnsichtMenu leer;  // an empty field: only the page break
  leer.Seitenumbruch = true;
  EXPECT_EQ(ReAnsichtMenu({u"", 0, false, false}), leer);

  TReAnsichtMenu leerMitAblage = leer;
  leerMitAblage.Einfuegen = true;
  leerMitAblage.Rueck = true;
  EXPECT_EQ(ReAnsichtMenu({u"", 0, true, true}), leerMitAblage);

  TReAnsichtMenu blank = leer;  // blank lines and a page break: nothing to print
  blank.SeitenumbruchEntfernen = true;
  blank.AllesMarkieren = true;
  blank.Speichern = true;
  EXPECT_EQ(ReAnsichtMenu({u"\r\n\f\r\n", 0, false, false}), blank);

  TReAnsichtMenu markiert = leer;
  markiert.Kopieren = markiert.Ausschneiden = true;
  markiert.AllesMarkieren = markiert.Drucken = markiert.Speichern = true;
  EXPECT_EQ(ReAnsichtMenu({u"Autor: Mann", 3, false, false}), markiert);
}

TEST(ReAnsichtRegeln, EachFilterHasItsFormatAndExtension) {
  struct Case {
    int filter;
    TTextSaveFormat format;
    std::u16string_view endung;
  };
  const Case cases[] = {
      {1, tsfRtf, u"RTF"},     {2, tsfAnsi, u"TXT"}, {3, tsfUtf8, u"TXT"},
      {4, tsfUnicode, u"TXT"}, {0, tsfAnsi, u"TXT"}, {5, tsfAnsi, u"TXT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    EXPECT_EQ(SpeicherFormat(c.filter), c.format);
    EXPECT_EQ(StandardEndung(c.filter), c.endung);
  }
}

TEST(ReAnsichtRegeln, RtfTakesNameSizeStyleAndColourOfTheProgramFont) {
  const winui::TFont font{u"Courier New", 35, 0x0000FF, true, 0};
  const TRtfSchrift schrift = RtfSchrift(font);
  EXPECT_EQ(schrift.Name, u"Courier New");
  EXPECT_EQ(schrift.Size, 35);
  EXPECT_TRUE(schrift.Bold);
  EXPECT_EQ(schrift.Color, 0x0000FFu);
  EXPECT_EQ(DruckTitel(u"Details des markierten Eintrags"),
            u"Drucke Details des markierten Eintrags");
}

}  // namespace
}  // namespace tvn
