// What a screen reader gets from the entry editor: the label spoken when a field gets
// the focus, and the accessible name of every field, box and button. And how the dialog
// looks: one or two columns by font size, nothing overlapping or cut off.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/tests/NeuFormTestSupport.h"
#include "layout/demo/LayoutCheck.h"
#include "layout/demo/WindowBitmap.h"
#include "screenreader/ScreenReaderOutput.h"
#include "screenreader/tests/ReaderDoubles.h"
#include "winui/Timer.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {
namespace {

TEST_F(NeuFormTest, EachFieldSaysItsLabelOnceWhenItGetsTheFocus) {
  tvn::testing::TReaderLock lock;
  tvn::testing::TFakeNvda nvda;
  nvda.Start();
  TScreenReaderOutput reader;
  reader.Load();
  SetProgramScreenReader(&reader);
  form.SetNeuDatenRec(FullEntry());  // both dates checked, so Tab reaches them
  const winui::TControl* const order[] = {
      &form.Edit2,       &form.Edit3,       &form.Edit4,     &form.CheckBoxDp1, &form.DatePicker1,
      &form.CheckBoxDp2, &form.DatePicker2, &form.CheckBox1, &form.DatePicker3, &form.RadioGroup1,
      &form.RichEdit1,   &form.Button1,     &form.Button2,   &form.Button3};
  const winui::TModalResult result = Run([&] {
    for (const winui::TControl* control : order) {
      Key(VK_TAB);
      // The rating group hands the focus to its checked button.
      if (!Step(
              [&] {
                const HWND focus = winui::test::FocusOf(ui);
                return focus == control->Handle() || IsChild(control->Handle(), focus);
              },
              "Tab to the next control"))
        break;
    }
    Key(VK_ESCAPE);
  });
  SetProgramScreenReader(nullptr);
  reader.Unload();
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
  const std::vector<std::u16string> labels = {u"Autor:",    u"Titel:",     u"Katalognummer:",
                                              u"Quelle:",   u"Erhalten:",  u"Retourniert:",
                                              u"Erstellt:", u"Bewertung:", u"Infos:"};
  EXPECT_EQ(nvda.Texts("speakText"), labels);
  EXPECT_EQ(nvda.Texts("brailleMessage"), labels);
}

TEST_F(NeuFormTest, EveryControlIsNamedByItsLabelOrCaptionWithoutTheAmpersand) {
  struct TNamed {
    const winui::TControl* Control;
    std::u16string Name;
  };
  const std::vector<TNamed> expected = {{&form.Edit1, u"Autor*:"},
                                        {&form.Edit2, u"Titel*:"},
                                        {&form.Edit3, u"Katalognummer:"},
                                        {&form.Edit4, u"Quelle:"},
                                        {&form.CheckBoxDp1, u"Erhalten:"},
                                        {&form.DatePicker1, u"Erhalten:"},
                                        {&form.CheckBoxDp2, u"Retourniert:"},
                                        {&form.DatePicker2, u"Retourniert:"},
                                        {&form.CheckBox1, u"Gelesen"},
                                        {&form.DatePicker3, u"Erstellt:"},
                                        {&form.RichEdit1, u"Infos:"},
                                        {&form.Button1, u"OK"},
                                        {&form.Button2, u"Leeren"},
                                        {&form.Button3, u"Abbrechen"}};
  std::vector<std::u16string> names, radios;
  // The dialog's thread keeps handling messages meanwhile: the probe's questions reach
  // the windows through it.
  const winui::TModalResult result = Run([&] {
    std::vector<HWND> windows;
    for (const TNamed& n : expected) windows.push_back(n.Control->Handle());
    names = AccessibleNames(windows);
    radios = AccessibleNames(RadioButtons(form.RadioGroup1));
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_EQ(result, winui::mrCancel);
  ASSERT_EQ(names.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(names[i], expected[i].Name) << "control " << i;
  EXPECT_EQ(radios, (std::vector<std::u16string>{u"Keine", u"Sehr gut", u"Gut", u"Mittel",
                                                 u"Schlecht", u"Sehr schlecht"}));
}

struct TLayoutCase {
  int Points;
  int Columns;
  const char* Shot;
};

void PrintTo(const TLayoutCase& c, std::ostream* os) {
  *os << c.Points << " pt";
}

class NeuFormLayout : public NeuFormTest, public ::testing::WithParamInterface<TLayoutCase> {};

TEST_P(NeuFormLayout, FieldsTakeOneOrTwoColumnsAndNothingOverlapsOrIsCutOff) {
  const TLayoutCase c = GetParam();
  winui::AktFont.Size = c.Points;
  form.SchriftartZuweisen();
  form.SetNeuDatenRec(FullEntry());
  std::vector<std::string> problems;
  bool saved = false, scrolls = false, checked = false;
  winui::TTimer visible(20);
  visible.OnTimer = [&] {
    if (!IsWindowVisible(form.Handle())) return;
    visible.SetEnabled(false);
    problems = LayoutProblems(TLayoutParts{form, form.FContent.get(), form.FButtonArea.get(),
                                           form.InputControls(), form.Buttons()});
    scrolls = form.FContent->ContentSize().cy > form.FContent->ClientHeight();
    SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    saved = SaveWindowBitmap(form.Handle(), (std::string(c.Shot) + ".bmp").c_str());
    // The end of the content box, where one column has to scroll.
    form.RichEdit1.SetFocus();
    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    saved = SaveWindowBitmap(form.Handle(), (std::string(c.Shot) + "-end.bmp").c_str()) && saved;
    checked = true;
    form.SetModalResult(winui::mrCancel);
  };
  form.OnShown = [&] { visible.SetEnabled(true); };
  EXPECT_EQ(form.ShowModal(), winui::mrCancel);
  ASSERT_TRUE(checked);
  EXPECT_TRUE(saved);
  for (const std::string& problem : problems) ADD_FAILURE() << problem;
  EXPECT_EQ(form.Columns(), c.Columns);
  if (c.Columns == 2) {
    // Author beside title, catalogue number beside source; the dates side by side.
    EXPECT_EQ(form.Edit2.Top(), form.Edit1.Top());
    EXPECT_GT(form.Edit2.Left(), form.Edit1.Left() + form.Edit1.Width());
    EXPECT_EQ(form.Edit3.Left(), form.Edit1.Left());
    EXPECT_GT(form.Edit3.Top(), form.Edit1.Top());
    EXPECT_EQ(form.DatePicker2.Top(), form.DatePicker1.Top());
    EXPECT_EQ(form.DatePicker3.Top(), form.LabelDp3.Top() + form.LabelDp3.Height() + kLabelGap);
    EXPECT_EQ(form.LabelDp3.Top(), form.CheckBox1.Top());
  } else {
    // Every field below the one before it, at the left edge.
    const winui::TControl* const column[] = {
        &form.Edit1,       &form.Edit2,     &form.Edit3,       &form.Edit4,       &form.DatePicker1,
        &form.DatePicker2, &form.CheckBox1, &form.DatePicker3, &form.RadioGroup1, &form.RichEdit1};
    for (size_t i = 1; i < std::size(column); ++i) {
      EXPECT_EQ(column[i]->Left(), 0) << i;
      EXPECT_GE(column[i]->Top(), column[i - 1]->Top() + column[i - 1]->Height()) << i;
    }
    EXPECT_TRUE(scrolls);
  }
}

INSTANTIATE_TEST_SUITE_P(Fonts, NeuFormLayout,
                         ::testing::Values(TLayoutCase{12, 2, "neu-12"},
                                           TLayoutCase{35, 1, "neu-35"}));

}  // namespace
}  // namespace tvn::test
