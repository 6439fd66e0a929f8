// The prompt seam: real message boxes with German captions (pressed from a second
// thread), the modal counter around them, and the scripted prompt the window tests use.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "winui/tests/TestWindows.h"
#include "data/DatenC.h"
#include "winui/Modal.h"
#include "winui/Prompt.h"
#include "winui/ScriptedPrompt.h"

using namespace winui;
using namespace winui::test;

namespace {

// Acts on the first system dialog this thread opens, from a second thread, after noting
// the modal level and the title it saw.
class TSystemDialogDriver {
 public:
  explicit TSystemDialogDriver(std::function<void(HWND)> act)
      : FThread([this, act, ui = GetCurrentThreadId()] {
          HWND box = nullptr;
          Found = WaitFor([&] { return (box = FindDialogOfThread(ui)) != nullptr; });
          if (!Found) return;
          Level = ModalLevel();
          Title = TextOf(box);
          act(box);
        }) {}
  void Join() { FThread.join(); }
  bool Found = false;
  unsigned Level = 0;
  std::wstring Title;

 private:
  std::thread FThread;  // last: starts once the fields above exist
};

struct TBoxCase {
  const char* Name;
  TMsgKind Kind;
  TMsgButtons Buttons;
  std::wstring Title;
  std::vector<std::wstring> Captions;  // in the order of the box
  std::wstring Press;                  // caption to click; empty: close with Esc
  TModalResult Expected;
};

class NativeMessageBoxTest : public ::testing::TestWithParam<TBoxCase> {};

TEST_P(NativeMessageBoxTest, ShowsGermanTextsAndReportsThePressedButton) {
  const TBoxCase& c = GetParam();
  ASSERT_EQ(&Prompt(), &NativePrompt());
  std::vector<std::wstring> captions;
  EXPECT_EQ(ModalLevel(), 0u);
  TSystemDialogDriver driver([&](HWND box) {
    HWND press = nullptr;
    for (HWND button : DescendantsOfClass(box, L"Button")) {
      if (!IsWindowVisible(button)) continue;
      captions.push_back(TextOf(button));
      if (captions.back() == c.Press) press = button;
    }
    if (press) {
      SendMessageW(press, BM_CLICK, 0, 0);
    } else {
      PostMessageW(box, WM_COMMAND, IDCANCEL, 0);  // what Esc and the close box send
    }
  });
  const TModalResult result = MessageDlg(u"Soll der markierte Eintrag gelöscht werden?", c.Kind,
                                         c.Buttons);
  driver.Join();
  ASSERT_TRUE(driver.Found);
  EXPECT_EQ(driver.Level, 1u);
  EXPECT_EQ(ModalLevel(), 0u);
  EXPECT_EQ(driver.Title, c.Title);
  EXPECT_EQ(captions, c.Captions);
  EXPECT_EQ(result, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NativeMessageBoxTest,
    ::testing::Values(
        TBoxCase{"YesNo", TMsgKind::Confirmation, mbYes | mbNo, L"Bestätigen", {L"&Ja", L"&Nein"},
                 L"&Nein", mrNo},
        TBoxCase{"YesNoCancelClosed", TMsgKind::Confirmation, mbYes | mbNo | mbCancel,
                 L"Bestätigen",
                 {L"&Ja", L"&Nein", L"Abbrechen"}, L"", mrCancel},
        TBoxCase{"ErrorOk", TMsgKind::Error, mbOK, L"Fehler", {L"OK"}, L"OK", mrOk},
        TBoxCase{"WarningCancel", TMsgKind::Warning, mbOK | mbCancel, L"Warnung", {L"OK", L"Abbrechen"},
                 L"Abbrechen", mrCancel},
        TBoxCase{"InformationOk", TMsgKind::Information, mbOK, L"Informationen", {L"OK"},
                 L"OK", mrOk}),
    [](const ::testing::TestParamInfo<TBoxCase>& info) { return std::string(info.param.Name); });

// The real save dialog: the type chosen in it sets the default extension through the
// type-change hook, and the chosen filter index comes back.
TEST(NativeFileDialogTest, TypeChangeSetsTheDefaultExtension) {
  ASSERT_EQ(&Prompt(), &NativePrompt());
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  TFileDialog save;
  save.Save = true;
  save.Title = u"Exportdatei speichern unter";
  save.Filter = u"Hörbuchdateien (*.TVD)|*.TVD|Importdateien (*.TVI)|*.TVI";
  save.DefaultExt = u"TVD";
  save.InitialDir = std::u16string(temp, temp + wcslen(temp));
  save.FileName = u"liste";
  std::vector<int> typeChanges;
  save.OnTypeChange = [&](TFileDialog& d) {
    typeChanges.push_back(d.FilterIndex);
    d.DefaultExt = d.FilterIndex == 2 ? u"TVI" : u"TVD";
  };
  TSystemDialogDriver driver([](HWND box) {
    HWND types = GetDlgItem(box, 0x470);  // cmb1, the file type list
    SendMessageW(types, CB_SETCURSEL, 1, 0);
    for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {  // as a choice with the keyboard sends
      SendMessageW(box, WM_COMMAND, MAKEWPARAM(0x470, code), reinterpret_cast<LPARAM>(types));
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  const bool chosen = save.Execute();
  driver.Join();
  ASSERT_TRUE(driver.Found);
  EXPECT_EQ(driver.Title, L"Exportdatei speichern unter");
  EXPECT_EQ(driver.Level, 1u);
  EXPECT_EQ(ModalLevel(), 0u);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(typeChanges, (std::vector<int>{2}));
  EXPECT_EQ(save.FilterIndex, 2);
  // Wine writes the appended extension in lower case, Windows as given.
  auto lower = [](std::u16string s) {
    for (char16_t& ch : s) ch = ch >= u'A' && ch <= u'Z' ? ch + 32 : ch;
    return s;
  };
  EXPECT_EQ(lower(save.FileName), lower(save.InitialDir + u"liste.TVI"));
}

TEST(ScriptedPromptTest, RecordsRequestsAndAnswersInOrder) {
  TScriptedPrompt prompt;
  prompt.AnswerMessage(mrYes);
  prompt.AnswerMessage([](const TMessageRequest& r) {
    return r.Buttons & mbCancel ? mrCancel : mrNo;
  });
  EXPECT_EQ(MessageDlg(u"Erste Frage", TMsgKind::Confirmation, mbYes | mbNo), mrYes);
  EXPECT_EQ(MessageDlg(u"Zweite Frage", TMsgKind::Warning, mbYes | mbNo | mbCancel), mrCancel);
  ASSERT_EQ(prompt.Records().size(), 2u);
  const TPromptRecord& first = prompt.Records()[0];
  EXPECT_EQ(first.Type, TPromptType::Message);
  EXPECT_EQ(first.Message.Kind, TMsgKind::Confirmation);
  EXPECT_EQ(first.Message.Text, u"Erste Frage");
  EXPECT_EQ(first.Message.Buttons, mbYes | mbNo);
  EXPECT_EQ(first.ModalLevel, 1u);  // counted like a real box
  EXPECT_EQ(ModalLevel(), 0u);
  EXPECT_EQ(prompt.PendingAnswers(), 0u);
}

TEST(ScriptedPromptTest, UnexpectedPromptFailsTheTestAndCancels) {
  TModalResult result = mrOk;
  EXPECT_NONFATAL_FAILURE(
      {
        TScriptedPrompt prompt;
        result = MessageDlg(u"Unerwartet", TMsgKind::Error, mbOK);
      },
      "Unerwartete Nachfrage");
  EXPECT_EQ(result, mrCancel);
  EXPECT_NONFATAL_FAILURE(
      {
        TScriptedPrompt prompt;
        prompt.AnswerMessage(mrOk);
        prompt.CancelFile();
        MessageDlg(u"Erwartet", TMsgKind::Information, mbOK);  // then no file dialog comes
      },
      "nicht abgefragt");
  EXPECT_NONFATAL_FAILURE(
      {
        TScriptedPrompt prompt;
        prompt.AnswerShellOpen(true);
        MessageDlg(u"Falsche Art", TMsgKind::Information, mbOK);
        ShellOpen(u"Tvn-Hilfe.txt");  // the answer waits for its own kind
      },
      "Unerwartete Nachfrage");
}

TEST(ScriptedPromptTest, FileDialogFollowsTheChosenTypeAndKeepsTheFilterIndex) {
  TScriptedPrompt prompt;
  TFileDialog save;
  save.Save = true;
  save.Title = u"Hörbuchdatei speichern unter";
  save.Filter = u"Hörbuchdateien (*.TVD)|*.TVD|Importdateien (*.TVI)|*.TVI";
  save.DefaultExt = u"TVD";
  save.OnTypeChange = [](TFileDialog& d) { d.DefaultExt = d.FilterIndex == 2 ? u"TVI" : u"TVD"; };
  prompt.AnswerFile(u"C:\\Listen\\Sommer", 2);
  prompt.CancelFile();
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName, u"C:\\Listen\\Sommer.TVI");
  EXPECT_EQ(save.FilterIndex, 2);
  EXPECT_FALSE(save.Execute());
  ASSERT_EQ(prompt.Records().size(), 2u);
  EXPECT_EQ(prompt.Records()[1].Type, TPromptType::SaveFile);
  EXPECT_EQ(prompt.Records()[1].File.FilterIndex, 2);  // kept from the first use
  EXPECT_EQ(prompt.Records()[1].File.Title, u"Hörbuchdatei speichern unter");
  EXPECT_EQ(prompt.Records()[0].ModalLevel, 1u);
}

TEST(ScriptedPromptTest, PrintAndShellRequestsAreRecorded) {
  TScriptedPrompt prompt;
  prompt.PrinterPresent = true;
  prompt.CancelPrint();
  prompt.AnswerShellOpen(false);
  EXPECT_TRUE(PrinterInstalled());
  HDC dc = reinterpret_cast<HDC>(1);
  EXPECT_FALSE(PrintDialog(dc));
  EXPECT_EQ(dc, nullptr);
  EXPECT_FALSE(ShellOpen(u"Tvn-Hilfe.txt", u"", u"C:\\Programm"));
  ASSERT_EQ(prompt.Records().size(), 2u);
  EXPECT_EQ(prompt.Records()[1].Shell.File, u"Tvn-Hilfe.txt");
  EXPECT_EQ(prompt.Records()[1].Shell.Directory, u"C:\\Programm");
}

TEST(ScriptedPromptTest, FailedLoadOfTheDataLayerShowsAnErrorBox) {
  TScriptedPrompt prompt;
  prompt.AnswerMessage(mrOk);
  tvn::TDaten daten;
  EXPECT_FALSE(daten.LoadFromFile(u"C:\\gibt\\es\\nicht.tvd", true));
  ASSERT_EQ(prompt.Records().size(), 1u);
  EXPECT_EQ(prompt.Last().Message.Kind, TMsgKind::Error);
  EXPECT_EQ(prompt.Last().Message.Buttons, mbOK);
  EXPECT_EQ(prompt.Last().Message.Text.rfind(u"Die Datei \"C:\\gibt\\es\\nicht.tvd\"", 0), 0u);
  EXPECT_EQ(MsgKindTitle(prompt.Last().Message.Kind), u"Fehler");
}

}  // namespace
