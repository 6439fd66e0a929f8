#include <gtest/gtest.h>

#include "mainwindow/FileCommands.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn {
namespace {

TEST(FileCommands, DefaultExtensionFollowsTheChosenFileType) {
  const struct {
    int index;
    std::u16string_view ext;
  } cases[] = {{1, u"TVD"}, {2, u"TVI"}, {3, u"TXT"}, {4, u"TVD"}, {0, u"TVD"}, {-1, u"TVD"}};
  for (const auto& c : cases) EXPECT_EQ(DefaultExtensionForFilter(c.index), c.ext) << c.index;
  // Each dialog starts with the extension that its initial file type implies.
  for (const TFileDialogSetup& d : {kOpenDialog1, kSaveDialog1, kOpenDialog2, kSaveDialog2}) {
    EXPECT_EQ(DefaultExtensionForFilter(d.FilterIndex), d.DefaultExt) << ToUtf8(d.Title);
  }
}

TEST(FileCommands, FiltersSplitIntoDescriptionAndPattern) {
  const auto open = SplitFilter(kFilterOeffnen);
  ASSERT_EQ(open.size(), 4u);
  EXPECT_EQ(open[0], (TFilterEntry{u"Hörbuchdateien (*.TVD)", u"*.TVD"}));
  EXPECT_EQ(open[2], (TFilterEntry{u"Alle Hörbuchdateien (*.TVD; *.TVI)", u"*.TVD;*.TVI"}));
  EXPECT_EQ(open[3], (TFilterEntry{u"Alle Dateien (*.*)", u"*.*"}));
  EXPECT_EQ(SplitFilter(kFilterSpeichern).size(), 2u);
  const auto exportFilter = SplitFilter(kFilterExport);
  ASSERT_EQ(exportFilter.size(), 3u);
  EXPECT_EQ(exportFilter[2], (TFilterEntry{u"Textdokument (Tabstopp-getrennt) (*.TXT)", u"*.TXT"}));
  EXPECT_EQ(SplitFilter(u"a|b|c"), (std::vector<TFilterEntry>{{u"a", u"b"}}));
  EXPECT_TRUE(SplitFilter(u"").empty());
}

TEST(FileCommands, ErrorTextsNameTheFile) {
  EXPECT_EQ(OeffnenFehlerText(u"C:\\x.tvd"),
            u"Die Datei \"C:\\x.tvd\" konnte nicht geöffnet werden!");
  EXPECT_EQ(SpeichernFehlerText(u"C:\\x.tvd", u"Datenträger voll"),
            u"Die Datei \"C:\\x.tvd\" konnte nicht gespeichert werden!\r\nDatenträger voll");
}

TEST(FileCommands, UnsavedChangesMeanTheListDiffersFromTheSavedOne) {
  TDatenRec a, b;
  a.Autor = u"A";
  b.Autor = u"B";
  TDaten daten(TListe{a, b}), saved(TListe{b, a});
  EXPECT_FALSE(HatAenderungen(daten, saved)) << "order does not count";
  saved.HbName = u"andere";
  EXPECT_TRUE(HatAenderungen(daten, saved));
}

TEST(FileCommands, UnsavedChangesQuestion) {
  const std::u16string file = std::u16string(1, platform::PathSeparator()) + u"x.tvd";
  const std::u16string folder(1, platform::PathSeparator());
  const struct {
    const char* what;
    bool changed;
    std::u16string filename;
    TAntwort answer;
    bool saveSucceeds;
    bool asked, saved, saveAsked, goOn;
  } cases[] = {
      {"no changes", false, file, TAntwort::Ja, true, false, false, false, true},
      {"cancel", true, file, TAntwort::Abbrechen, true, true, false, false, false},
      {"no", true, file, TAntwort::Nein, true, true, false, false, true},
      {"yes with a file", true, file, TAntwort::Ja, true, true, true, false, true},
      {"yes without a file asks for a name", true, folder, TAntwort::Ja, true, true, true, true,
       true},
      {"yes and saving fails", true, file, TAntwort::Ja, false, true, true, false, false},
  };
  for (const auto& c : cases) {
    bool asked = false, saved = false, saveAsked = false;
    const bool goOn = AenderungenPruefen(
        c.changed, c.filename,
        [&] {
          asked = true;
          return c.answer;
        },
        [&](bool speichernUnter) {
          saved = true;
          saveAsked = speichernUnter;
          return c.saveSucceeds;
        });
    EXPECT_EQ(asked, c.asked) << c.what;
    EXPECT_EQ(saved, c.saved) << c.what;
    EXPECT_EQ(saveAsked, c.saveAsked) << c.what;
    EXPECT_EQ(goOn, c.goOn) << c.what;
  }
}

TEST(FileCommands, CloseIsEnabledForAFileOrEntries) {
  const std::u16string sep(1, platform::PathSeparator());
  EXPECT_TRUE(SchliessenEnabled(sep + u"x.tvd", 0));
  EXPECT_TRUE(SchliessenEnabled(sep, 3));
  EXPECT_FALSE(SchliessenEnabled(sep, 0));
  EXPECT_FALSE(SchliessenEnabled(u"", 0));
}

}  // namespace
}  // namespace tvn
