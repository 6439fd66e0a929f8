// What a screen reader gets from the details viewer, and how the dialog looks at a small
// and the largest font: the text field fills the content box, the buttons sit below it,
// nothing overlaps or is cut off.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/tests/ReAnsichtTestSupport.h"
#include "layout/TvnLayout.h"
#include "screenreader/ScreenReaderOutput.h"
#include "screenreader/tests/ReaderDoubles.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {
namespace {

TEST_F(ReAnsichtTest, DetailtextIsSpokenOnceEachTimeTheFieldGetsTheFocus) {
  tvn::testing::TReaderLock lock;
  tvn::testing::TFakeNvda nvda;
  nvda.Start();
  TScreenReaderOutput reader;
  reader.Load();
  SetProgramScreenReader(&reader);
  std::vector<std::u16string> atOpening;
  Run(u"Details", u"Autor: Mann\r\n", [&] {
    Sleep(200);
    atOpening = nvda.Texts("speakText");
    for (const winui::TControl* control : std::initializer_list<const winui::TControl*>{
             &form.Button1, &form.Button2, &form.Button3, &form.RichEdit1}) {
      Key(VK_TAB);
      if (!WaitForFocus(*control, "Tab to the next control")) break;
    }
    Sleep(200);
    Key(VK_ESCAPE);
  });
  SetProgramScreenReader(nullptr);
  reader.Unload();
  ExpectNoErrors();
  EXPECT_EQ(atOpening, std::vector<std::u16string>{u"Detailtext:"});
  const std::vector<std::u16string> twice = {u"Detailtext:", u"Detailtext:"};
  EXPECT_EQ(nvda.Texts("speakText"), twice);
  EXPECT_EQ(nvda.Texts("brailleMessage"), twice);
}

TEST_F(ReAnsichtTest, ScreenReadersReadingTheWindowFindTheFieldAndButtonsByName) {
  std::vector<winui::test::TAccessibleReading> readings;
  Run(u"Details", u"Autor: Mann\r\n", [&] {
    readings = winui::test::ReadFromOtherProcess(
        {form.RichEdit1.Handle(), form.Button1.Handle(), form.Button2.Handle(),
         form.Button3.Handle()});
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  std::vector<std::u16string> names;
  for (const winui::test::TAccessibleReading& r : readings) {
    names.push_back(r.Found ? r.Name : u"(no accessible object)");
  }
  EXPECT_EQ(names,
            (std::vector<std::u16string>{u"Detailtext:", u"Drucken", u"Speichern", u"Schließen"}));
}

RECT ScreenRect(const winui::TControl& control) {
  RECT r{};
  GetWindowRect(control.Handle(), &r);
  return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// The laid-out dialog on its own thread: one line per problem.
std::vector<std::string> LayoutProblems(TReAnsichtForm& form) {
  std::vector<std::string> problems;
  RECT client{};
  GetClientRect(form.Handle(), &client);
  MapWindowPoints(form.Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  const RECT content = ScreenRect(*form.FContent);
  const RECT area = ScreenRect(*form.FButtonArea);
  const RECT field = ScreenRect(form.RichEdit1);
  if (!EqualRect(&field, &content))
    problems.push_back("text field " + Describe(field) + " does not fill the content box " +
                       Describe(content));
  if (content.left - client.left != 10 || content.top - client.top != 10)
    problems.push_back("content box not 10 pixels inside the client area");
  if (area.top - content.bottom != 10)
    problems.push_back("no gap of 10 between content box and buttons");
  if (!Inside(area, client)) problems.push_back("button area outside the client area");
  std::vector<RECT> buttons;
  for (winui::TButton* button : form.Buttons()) {
    const RECT r = ScreenRect(*button);
    if (!Inside(r, area))
      problems.push_back("button " + Describe(r) + " cut off by the area " + Describe(area));
    if (r.bottom - r.top < ControlHeightForFont(winui::AktFont, *button))
      problems.push_back("button lower than its font needs");
    for (const RECT& other : buttons) {
      RECT both{};
      if (IntersectRect(&both, &r, &other)) problems.push_back("buttons overlap");
    }
    buttons.push_back(r);
  }
  return problems;
}

TEST_F(ReAnsichtTest, TheTextFieldFillsTheDialogAboveItsButtonsAtEveryFontSize) {
  for (int size : {12, 35}) {
    SCOPED_TRACE(size);
    winui::AktFont.Size = size;
    std::vector<std::string> problems;
    int fieldFontSize = 0;
    form.OnShown = [&] {
      problems = LayoutProblems(form);
      fieldFontSize = form.RichEdit1.Font().Size;
    };
    Run(u"Details aller 3 markierten Einträge", u"1. markierter Eintrag:\r\nAutor: Mann\r\n", [&] {
      // For looking at it: TVN_VIEWER_SHOTS=1 keeps each size on the screen a while.
      if (GetEnvironmentVariableW(L"TVN_VIEWER_SHOTS", nullptr, 0) > 0) Sleep(3000);
      Key(VK_ESCAPE);
    });
    ExpectNoErrors();
    errors.clear();
    EXPECT_EQ(problems, std::vector<std::string>{});
    EXPECT_EQ(fieldFontSize, size);
  }
}

}  // namespace
}  // namespace tvn::test
