#include "dialogs/tests/NeuFormTestSupport.h"

#include <cctype>
#include <thread>

#include "layout/tests/WinTestSupport.h"
#include "winui/tests/TestWindows.h"

namespace tvn::test {

void TOwnerForm::FormCreate() {
  SetCaption(u"Besitzer");
  SetBounds(40, 40, 900, 700);
}

void TTestNeuForm::FormShow() {
  TNeuForm::FormShow();
  Window = Handle();
  if (OnShown) OnShown();
}

void TTestNeuForm::FormClose() {
  TNeuForm::FormClose();
  Window = nullptr;
}

TDatenRec FullEntry() {
  TDatenRec r;
  r.Autor = u"mann";
  r.Titel = u"zauberberg";
  r.KatalogNr = u"K-17";
  r.Quelle = u"Bibliothek";
  r.ErhaltenS = true;
  r.ErhaltenDatum = D(2024, 5, 10);
  r.RetourS = true;
  r.RetourDatum = D(2024, 6, 1);
  r.GelesenS = true;
  r.Bewertung = btGut;
  r.ErstelltDatum = D(2024, 3, 1);
  r.Infos = u"Teil 1\r\nTeil 2";
  return r;
}

void NeuFormTest::SetUp() {
  UseGermanLocaleNames();
  winui::AktFont = winui::TFont{};
  owner.Create();
  owner.Show();
  ASSERT_TRUE(winui::test::PumpUntil([&] { return IsWindowVisible(owner.Handle()) != FALSE; }));
  form.Create();
  form.SetText(u"Neuer Eintrag");
  form.SchriftartZuweisen();
  form.ClearText();
  form.DatenRef = &Daten;
  form.EditIndex = -1;
}

void NeuFormTest::TearDown() {
  winui::AktFont = winui::TFont{};
  HandlePendingMessages();
}

winui::TModalResult NeuFormTest::Run(const std::function<void()>& script) {
  std::thread driver([&] {
    if (Step([&] { return form.Window && IsWindowVisible(form.Window); }, "dialog shown")) {
      BringToFront();
      if (WaitForFocus(form.Edit1, "the author field has the focus at the start")) script();
    }
    if (!winui::test::WaitFor([&] { return form.Window == nullptr; }, 3000)) {
      errors.push_back("dialog still open after the script");
      PostMessageW(form.Window, WM_COMMAND, IDCANCEL, 0);
    }
  });
  const winui::TModalResult result = form.ShowModal();
  driver.join();
  return result;
}

void NeuFormTest::BringToFront() {
  // Without a window manager a new dialog does not come to the front by itself.
  for (int attempt = 0; attempt < 3 && GetForegroundWindow() != form.Window; ++attempt) {
    SetForegroundWindow(form.Window);
    winui::test::WaitFor([&] { return GetForegroundWindow() == form.Window; }, 1000);
  }
}

bool NeuFormTest::Step(const std::function<bool()>& cond, const std::string& what, int timeoutMs) {
  if (winui::test::WaitFor(cond, timeoutMs)) return true;
  errors.push_back("timed out: " + what);
  return false;
}

void NeuFormTest::Key(WORD key, winui::TShiftState modifiers) {
  winui::test::PressKey(key, modifiers);
}

void NeuFormTest::Type(std::string_view text) {
  for (char c : text) {
    if (c == ' ')
      Key(VK_SPACE);
    else
      Key(static_cast<WORD>(std::toupper(static_cast<unsigned char>(c))));
  }
}

bool NeuFormTest::KeyTo(WORD key, winui::TShiftState modifiers, const winui::TControl& target,
                        const std::string& what) {
  Key(key, modifiers);
  return WaitForFocus(target, what);
}

bool NeuFormTest::FocusIs(const winui::TControl& control) const {
  return winui::test::FocusOf(ui) == control.Handle();
}

bool NeuFormTest::WaitForFocus(const winui::TControl& control, const std::string& what) {
  return Step([&] { return FocusIs(control); }, what);
}

bool NeuFormTest::WaitForMessage(size_t n, const winui::TControl& focus, const std::string& what) {
  return Step([&] { return FMessageCount >= n; }, what + ": message box") &&
         WaitForFocus(focus, what + ": focus after the message");
}

std::wstring NeuFormTest::TextOf(const winui::TControl& control) const {
  return winui::test::TextOf(control.Handle());
}

bool NeuFormTest::IsChecked(const winui::TControl& box) const {
  return SendMessageW(box.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void NeuFormTest::AnswerMessages(int count) {
  for (int i = 0; i < count; ++i) {
    prompt.AnswerMessage([this](const winui::TMessageRequest&) {
      ++FMessageCount;
      return winui::mrOk;
    });
  }
}

std::vector<std::u16string> NeuFormTest::Messages() const {
  std::vector<std::u16string> texts;
  for (const winui::TPromptRecord& record : prompt.Records()) {
    EXPECT_EQ(record.Type, winui::TPromptType::Message);
    EXPECT_EQ(record.Message.Kind, winui::TMsgKind::Information);
    EXPECT_EQ(record.Message.Buttons, winui::mbOK);
    texts.push_back(record.Message.Text);
  }
  return texts;
}

void NeuFormTest::ExpectNoErrors() const {
  for (const std::string& error : errors) ADD_FAILURE() << error;
}

}  // namespace tvn::test
