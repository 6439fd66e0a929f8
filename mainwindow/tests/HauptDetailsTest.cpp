// The details command of the main window: every way to it shows the marked entries in the
// details viewer under their caption, with or without field captions, and changes nothing;
// without a marked entry it is off everywhere.
#include <windows.h>

#include "dialogs/ReAnsicht.h"
#include "layout/LocaleNames.h"
#include "mainwindow/DetailsText.h"
#include "mainwindow/tests/HauptTestSupport.h"
#include "platform/Utf16.h"

namespace tvn::test {
namespace {

using winui::ssCtrl;

class DetailsCommand : public MainWindowTest {
 protected:
  void TearDown() override {
    EXPECT_FALSE(FViewerTimer.Enabled()) << "the details viewer was expected but did not show";
    FViewerTimer.SetEnabled(false);
    MainWindowTest::TearDown();
  }
  // Notes the viewer's caption and text the next time it shows, then closes it.
  void AnswerViewer() {
    ViewerCaption.clear();
    ViewerText.clear();
    FViewerTimer.OnTimer = [this] {
      TReAnsichtForm& viewer = *form->ReAnsichtForm;
      if (!viewer.HandleAllocated() || !IsWindowVisible(viewer.Handle())) return;
      FViewerTimer.SetEnabled(false);
      ViewerCaption = viewer.Caption();
      ViewerText = viewer.RichEdit1.Text();
      viewer.Button3.Click();
    };
    FViewerTimer.SetEnabled(true);
  }
  bool ViewerAnswered() const { return !FViewerTimer.Enabled(); }

  std::u16string ViewerCaption, ViewerText;

 private:
  winui::TTimer FViewerTimer{10};
};

// The text the viewer must show for these rows of the list.
std::u16string ExpectedText(const TForm1& form, const std::vector<int>& rows) {
  std::vector<const TDatenRec*> entries;
  for (int row : rows) entries.push_back(&form.Daten.Liste[static_cast<size_t>(row)]);
  return DetailsText(entries, form.DetailNamenS(), ProgramLocaleNames().ShortDayNames);
}

TEST_F(DetailsCommand, EveryWayShowsTheMarkedEntriesInListOrderAndChangesNothing) {
  struct Way {
    const char* name;
    void (*run)(TForm1&);
  };
  const Way ways[] = {
      {"Enter on the list",
       [](TForm1& f) {
         f.ListView1.SetFocus();
         PostMessageW(f.ListView1.Handle(), WM_KEYDOWN, VK_RETURN, 1);
         PostMessageW(f.ListView1.Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
       }},
      {"Ctrl+D",
       [](TForm1& f) {
         EXPECT_TRUE(f.IsShortCut({'D', ssCtrl}));
       }},
      {"A&ktionen",
       [](TForm1& f) {
         f.MenuAktionen.OnPopup();
         f.MenuAktDetails.Click();
       }},
      {"context menu",
       [](TForm1& f) {
         f.PuMenu1.OnPopup();
         f.PuDetails.Click();
       }},
      {"the button", [](TForm1& f) { f.Button2.Click(); }},
  };
  ShowListe({u"Alpha", u"Beta", u"Gamma"});
  const int steps = form->UndoDaten.Count();
  const TDaten before = form->Daten;
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    Mark({0, 2}, 0);
    AnswerViewer();
    way.run(*form);
    ASSERT_TRUE(PumpUntil([&] { return ViewerAnswered(); }));
    EXPECT_EQ(ViewerCaption, u"Details aller 2 markierten Einträge");
    EXPECT_EQ(ViewerText, ExpectedText(*form, {0, 2}));
    EXPECT_EQ(ViewerText.rfind(u"1. markierter Eintrag:\r\nAutor: Alpha\r\nTitel: Titel 1\r\n", 0),
              0u);
    EXPECT_NE(ViewerText.find(u"\r\n\r\n2. markierter Eintrag:\r\nAutor: Gamma\r\n"),
              std::u16string::npos);
    EXPECT_EQ(ViewerText.find(u"Beta"), std::u16string::npos);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == form->ListView1.Handle(); }));
  }
  EXPECT_EQ(Authors(form->Daten), (std::vector<std::u16string>{u"Alpha", u"Beta", u"Gamma"}));
  EXPECT_EQ(MarkedAuthors(*form), (std::vector<std::u16string>{u"Alpha", u"Gamma"}));
  EXPECT_EQ(form->UndoDaten.Count(), steps);
  EXPECT_TRUE(form->Daten.Ident(before));
  EXPECT_TRUE(prompt->Records().empty());
}

TEST_F(DetailsCommand, OneMarkedEntryHasTheSingularCaptionAndBareValuesWithoutCaptions) {
  ShowListe({u"Alpha", u"Beta", u"Gamma"});
  form->SetDetailNamenS(false);
  Mark({1}, 1);
  AnswerViewer();
  EXPECT_TRUE(form->IsShortCut({'D', ssCtrl}));
  ASSERT_TRUE(PumpUntil([&] { return ViewerAnswered(); }));
  EXPECT_EQ(ViewerCaption, u"Details des markierten Eintrags");
  EXPECT_EQ(ViewerText.rfind(u"Beta\r\nTitel 2\r\nNein\r\nKeine\r\n", 0), 0u) << ToUtf8(ViewerText);
  EXPECT_EQ(ViewerText, ExpectedText(*form, {1}));
}

TEST_F(DetailsCommand, WithoutAMarkedEntryTheCommandIsOffEverywhere) {
  ShowListe({u"Alpha", u"Beta"});
  Mark({}, 0);
  form->Timer0Timer();
  EXPECT_FALSE(form->Button2.Enabled());
  EXPECT_EQ(form->GetDetailsText(), u"");
  form->PuMenu1.OnPopup();
  EXPECT_FALSE(form->PuDetails.Enabled());
  form->MenuAktionen.OnPopup();
  EXPECT_FALSE(form->MenuAktDetails.Enabled());
  // The key goes on to the list as a plain key, and no viewer shows.
  EXPECT_FALSE(form->IsShortCut({'D', ssCtrl}));
  form->Button2Click();
  Pump();
  EXPECT_FALSE(form->ReAnsichtForm->HandleAllocated());
  EXPECT_TRUE(prompt->Records().empty());
}

}  // namespace
}  // namespace tvn::test
