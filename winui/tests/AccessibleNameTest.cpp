// Accessible names as a screen reader reads them: from another process, through Active
// Accessibility.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <oleacc.h>

#include <string>
#include <vector>

#include "winui/Form.h"
#include "winui/ListView.h"
#include "winui/StatusBar.h"
#include "winui/tests/TestWindows.h"

using namespace winui;
using namespace winui::test;

namespace {

class TNamedForm : public TMainForm {
 public:
  TListView NamedList{this};
  TListView PlainList{this};
  TStatusBar StatusBar1{this};
  TLabel Label1{this};
  TEdit Edit1{this};
  TButton Button1{this};
  TNamedForm() { IsMainForm = false; }
  ~TNamedForm() override { DestroyHandle(); }
  void FormCreate() override {
    SetBounds(80, 80, 640, 420);
    NamedList.SetBounds(10, 10, 300, 200);
    NamedList.AddColumn(u"Autor", 150);
    NamedList.SetAccessibleName(u"Hörbuchliste");
    PlainList.SetBounds(320, 10, 300, 200);
    Label1.SetCaption(u"&Autor:");
    Label1.FocusControl = &Edit1;
    Label1.SetBounds(10, 220, Label1.Width(), Label1.Height());
    Edit1.SetBounds(100, 220, 200, Edit1.Height());
    Button1.SetCaption(u"Neu");
    Button1.SetBounds(10, 260, 100, 30);
    StatusBar1.OwnerDraw = true;
    StatusBar1.SetPanelWidths({200, -1});
    StatusBar1.SetPanelText(0, u"Eintrag 1 von 3");
    StatusBar1.SetAccessibleName(u"Statuszeile");
    StatusBar1.SetBounds(0, 330, 620, 30);
  }
};

class AccessibleNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The answers are COM objects handed to the other process.
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    form.Create();
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form.Handle()) != FALSE; }));
  }
  void TearDown() override {
    form.DestroyHandle();
    CoUninitialize();
  }
  TNamedForm form;
};

TEST_F(AccessibleNameTest, AnotherProcessReadsTheNamesAndEverythingElseStays) {
  struct Case {
    const char* what;
    TControl& control;
    std::u16string name;
  };
  const Case cases[] = {
      {"named list", form.NamedList, u"Hörbuchliste"},
      {"named status line", form.StatusBar1, u"Statuszeile"},
      {"edit named by its label", form.Edit1, u"Autor:"},
      {"button named by its caption", form.Button1, u"Neu"},
  };
  std::vector<HWND> windows;
  for (const Case& c : cases) windows.push_back(c.control.Handle());
  windows.push_back(form.PlainList.Handle());
  const std::vector<TAccessibleReading> readings = ReadFromOtherProcess(windows);
  ASSERT_EQ(readings.size(), windows.size());
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].what);
    EXPECT_TRUE(readings[i].Found);
    EXPECT_EQ(readings[i].Name, cases[i].name);
  }
  // The name is all that changes: the role is the one the same control has without one.
  const TAccessibleReading& plain = readings.back();
  EXPECT_TRUE(plain.Found);
  EXPECT_EQ(plain.Name, u"");
  EXPECT_NE(plain.Role, 0);
  EXPECT_EQ(readings[0].Role, plain.Role);
}

// Screen readers find the window of an object and walk its children through the standard
// object's other interfaces.
TEST_F(AccessibleNameTest, TheNamedObjectKeepsItsWindowAndChildren) {
  IAccessible* object = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(form.NamedList.Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
            S_OK);
  HWND window = nullptr;
  EXPECT_EQ(WindowFromAccessibleObject(object, &window), S_OK);
  EXPECT_EQ(window, form.NamedList.Handle());
  IEnumVARIANT* children = nullptr;
  EXPECT_EQ(object->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children)),
            S_OK);
  if (children) children->Release();
  object->Release();
}

TEST_F(AccessibleNameTest, ANewNameIsReadAtTheNextRequestAndAnEmptyOneGivesWindowsOwnBack) {
  form.NamedList.SetAccessibleName(u"Suchergebnisse");
  EXPECT_EQ(ReadFromOtherProcess({form.NamedList.Handle()}).at(0).Name, u"Suchergebnisse");
  form.NamedList.SetAccessibleName(u"");
  EXPECT_EQ(ReadFromOtherProcess({form.NamedList.Handle()}).at(0).Name, u"");
}

TEST_F(AccessibleNameTest, TheNameSurvivesANewWindow) {
  form.DestroyHandle();
  form.Show();
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form.Handle()) != FALSE; }));
  EXPECT_EQ(ReadFromOtherProcess({form.StatusBar1.Handle()}).at(0).Name, u"Statuszeile");
}

}  // namespace
