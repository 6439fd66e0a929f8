// The receiving end inside the main window: hand-overs by WM_COPYDATA, the open-parameter
// step with its checks and messages, the modal tracking, set focus, close and the
// start-up file.
#include <gtest/gtest.h>

#include <memory>

#include "data/tests/TestData.h"
#include "mainwindow/FileCommands.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"
#include "startup/CommandChannel.h"
#include "startup/CopyData.h"
#include "startup/tests/StartupTestSupport.h"
#include "winui/Form.h"
#include "winui/ScriptedPrompt.h"

namespace tvn {
namespace {

using test::PumpUntil;
using test::TPlainWindow;

// A main window as TForm1 is one towards the channel.
class THostForm : public winui::TMainForm, public ICommandChannelHost {
 public:
  THostForm() { IsMainForm = false; }
  void FormCreate() override {
    SetCaption(u"Testliste");
    SetBounds(80, 80, 500, 300);
  }
  HWND MainWindowHandle() const override { return Handle(); }
  bool Started() const override { return StartedS; }
  bool Loading() const override { return LoadingS; }
  bool Closing() const override { return ClosingS; }
  void StopTimer1() override { ++Timer1Stops; }
  bool Oeffne(const std::u16string& AFilename) override {
    Opened.push_back(AFilename);
    BusyWhileOpening = Channel->ParameterBusy();
    return OeffneResult;
  }
  void MenuDateiBeendenClick() override { ++ExitCommands; }

  bool StartedS = true, LoadingS = false, ClosingS = false;
  bool OeffneResult = true;
  bool BusyWhileOpening = false;
  int Timer1Stops = 0, ExitCommands = 0;
  std::vector<std::u16string> Opened;
  std::unique_ptr<TCommandChannel> Channel;
};

class CommandChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form.Create();
    Form.Channel = std::make_unique<TCommandChannel>(Form, std::vector<std::u16string>{});
    Form.Channel->InstallMessageHandlers(Form);
    Form.Show();
    ASSERT_TRUE(PumpUntil([&] { return IsReady(); }));
  }

  bool IsReady() const {
    return GetActiveWindow() == Form.Handle() && GetForegroundWindow() == Form.Handle();
  }

  std::u16string ExistingFile(const std::u16string& name) {
    const std::u16string path = Dir.File(name);
    std::u16string error;
    EXPECT_TRUE(platform::ReplaceFileAtomically(path, "x", error)) << ToUtf8(error);
    return path;
  }

  // A new channel, as the main window of a program started with these arguments makes it.
  void StartWith(const std::u16string& file, const std::u16string& more = {}) {
    std::vector<std::u16string> arguments{file};
    if (!more.empty()) arguments.push_back(more);
    Form.Channel.reset();
    Form.Channel = std::make_unique<TCommandChannel>(Form, arguments);
    Form.Channel->InstallMessageHandlers(Form);
  }

  // The start-up file handed on while another program's window is in front.
  void HandOnStartupFileBehind(const test::TForeignWindow& other, const std::u16string& file) {
    StartWith(file);
    ASSERT_TRUE(test::MakeForeground(other.Handle()));
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() != Form.Handle(); }));
    Form.Channel->HandOnStartupFile();
    Settle();
  }

  // Sends a payload as a second start would.
  void HandOver(const std::u16string& text) {
    COPYDATASTRUCT payload{0, static_cast<DWORD>(CopyDataByteSize(text)),
                           const_cast<char16_t*>(text.c_str())};
    SendMessageW(Form.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&payload));
  }

  // Every message posted before now has been handled.
  void Settle() {
    TPlainWindow marker(u"Marke", HWND_MESSAGE);
    PostMessageW(marker.Handle(), WM_USER + 1, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return marker.Count(WM_USER + 1) == 1; }));
  }

  winui::TScriptedPrompt Prompt;
  test::TempDir Dir;
  THostForm Form;
};

TEST_F(CommandChannelTest, AHandedOverFileOpensOnceTheWindowIsIdle) {
  const std::u16string file = ExistingFile(u"Hoerbuecher.tvd");
  const std::u16string capitals = ExistingFile(u"GROSS.TVD");
  const std::u16string import = ExistingFile(u"Import.tvi");
  const struct {
    std::u16string Payload;
    std::u16string Opened;
  } cases[] = {
      {file, file},
      {u"  \"" + capitals + u"\"  ", capitals},
      {import + u"|" + file + u"|", import},
      {u"||" + file, file},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.Payload));
    Form.Opened.clear();
    HandOver(c.Payload);
    EXPECT_TRUE(Form.Opened.empty());  // not inside the sender's call
    EXPECT_FALSE(Form.Channel->PendingFilename().empty());
    Settle();
    ASSERT_EQ(Form.Opened, std::vector<std::u16string>{c.Opened});
    EXPECT_TRUE(Form.BusyWhileOpening);
    EXPECT_FALSE(Form.Channel->ParameterBusy());
    EXPECT_TRUE(Form.Channel->PendingFilename().empty());
  }
  EXPECT_EQ(Form.Timer1Stops, 4);
}

TEST_F(CommandChannelTest, BadPayloadsOpenNothingButStillBringTheProgramForward) {
  const std::u16string file = ExistingFile(u"Liste.tvd");
  std::u16string tooLarge = file;
  tooLarge.resize(kMaxCopyDataBytes / 2 + 1, u'\0');
  std::u16string largest = file;
  largest.resize(kMaxCopyDataBytes / 2, u'x');
  largest[file.size()] = u'\0';
  const std::u16string blank = u"  \t ";
  const std::u16string separators = u"|||";

  struct TPayload {
    const char* What;
    bool NullRecord;
    const void* Data;
    DWORD Bytes;
  };
  const TPayload bad[] = {
      {"no record", true, nullptr, 0},
      {"no data", false, nullptr, 20},
      {"odd size", false, file.c_str(), static_cast<DWORD>(file.size() * 2 + 1)},
      {"empty", false, file.c_str(), 0},
      {"too large", false, tooLarge.c_str(), static_cast<DWORD>(tooLarge.size() * 2)},
      {"blank", false, blank.c_str(), static_cast<DWORD>((blank.size() + 1) * 2)},
      {"separators only", false, separators.c_str(), static_cast<DWORD>((separators.size() + 1) * 2)},
  };
  test::TForeignWindow other;
  for (const TPayload& p : bad) {
    SCOPED_TRACE(p.What);
    ASSERT_TRUE(test::MakeForeground(other.Handle()));
    COPYDATASTRUCT payload{0, p.Bytes, const_cast<void*>(p.Data)};
    SendMessageW(Form.Handle(), WM_COPYDATA, 0, p.NullRecord ? 0 : reinterpret_cast<LPARAM>(&payload));
    EXPECT_TRUE(Form.Channel->PendingFilename().empty());
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Form.Handle(); }));
    Settle();
    EXPECT_TRUE(Form.Opened.empty());
  }

  // The largest payload allowed still counts.
  COPYDATASTRUCT payload{0, static_cast<DWORD>(largest.size() * 2), largest.data()};
  SendMessageW(Form.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&payload));
  Settle();
  EXPECT_EQ(Form.Opened, std::vector<std::u16string>{file});
}

TEST_F(CommandChannelTest, FilesThatCannotBeOpenedGetTheirMessage) {
  const std::u16string text = ExistingFile(u"Notizen.txt");
  const std::u16string missing = Dir.File(u"Fehlt.tvd");
  const std::u16string broken = ExistingFile(u"Kaputt.tvd");
  const struct {
    std::u16string Payload;
    winui::TMsgKind Kind;
    std::u16string Message;
    bool OeffneResult;
  } cases[] = {
      {text, winui::TMsgKind::Information, std::u16string(kFalscheEndungText), true},
      {u"\"\"", winui::TMsgKind::Information, std::u16string(kFalscheEndungText), true},
      {missing, winui::TMsgKind::Error, OeffnenFehlerText(missing), true},
      {broken, winui::TMsgKind::Error, OeffnenFehlerText(broken), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.Payload));
    const size_t before = Prompt.Records().size();
    Form.OeffneResult = c.OeffneResult;
    Prompt.AnswerMessage(winui::mrOk);
    HandOver(c.Payload);
    Settle();
    ASSERT_EQ(Prompt.Records().size(), before + 1);
    EXPECT_EQ(Prompt.Last().Message.Kind, c.Kind);
    EXPECT_EQ(Prompt.Last().Message.Text, c.Message);
    EXPECT_EQ(Prompt.Last().Message.Buttons, winui::TMsgButtons(winui::mbOK));
  }
  EXPECT_EQ(Form.Opened, std::vector<std::u16string>{broken});
}

TEST_F(CommandChannelTest, AHandOverWhileAModalBoxIsOpenOpensOnceTheBoxHasClosed) {
  const std::u16string file = ExistingFile(u"Liste.tvd");
  Prompt.AnswerMessage([&](const winui::TMessageRequest&) {
    HandOver(file);
    Settle();
    EXPECT_TRUE(Form.Opened.empty());  // nothing opens over a dialog
    EXPECT_EQ(Form.Channel->PendingFilename(), file);
    return winui::mrYes;
  });
  winui::MessageDlg(u"Frage?", winui::TMsgKind::Confirmation, winui::mbYes | winui::mbNo);
  Settle();
  EXPECT_EQ(Form.Opened, std::vector<std::u16string>{file});
}

TEST_F(CommandChannelTest, ANameAcceptedBeforeAModalBoxOpensWaitsUntilTheBoxHasClosed) {
  const std::u16string file = ExistingFile(u"Liste.tvd");
  HandOver(file);
  EXPECT_EQ(Form.Channel->PendingFilename(), file);
  Prompt.AnswerMessage([&](const winui::TMessageRequest&) {
    Settle();  // WM_OPENPARAMETER comes while the box is open
    EXPECT_TRUE(Form.Opened.empty());
    EXPECT_EQ(Form.Channel->PendingFilename(), file);
    return winui::mrOk;
  });
  winui::MessageDlg(u"Hinweis", winui::TMsgKind::Information, winui::mbOK);
  Settle();
  EXPECT_EQ(Form.Opened, std::vector<std::u16string>{file});
  EXPECT_TRUE(Form.Channel->PendingFilename().empty());
}

// Windows may refuse the foreground to a program started from Explorer.
TEST_F(CommandChannelTest, AFileWaitsWhileTheWindowIsNotActiveAndOpensOnceItIs) {
  const std::u16string file = ExistingFile(u"Start.tvd");
  test::TForeignWindow other;
  ASSERT_NO_FATAL_FAILURE(HandOnStartupFileBehind(other, file));
  EXPECT_TRUE(Form.Opened.empty());
  EXPECT_EQ(Form.Channel->PendingFilename(), file);

  // A box that comes and goes meanwhile does not lose it either.
  Prompt.AnswerMessage(winui::mrOk);
  winui::MessageDlg(u"Hinweis", winui::TMsgKind::Information, winui::mbOK);
  Settle();
  EXPECT_TRUE(Form.Opened.empty());
  EXPECT_EQ(Form.Channel->PendingFilename(), file);

  ASSERT_TRUE(test::MakeForeground(Form.Handle()));
  EXPECT_TRUE(PumpUntil([&] { return !Form.Opened.empty(); }));
  EXPECT_EQ(Form.Opened, std::vector<std::u16string>{file});
  EXPECT_TRUE(Form.Channel->PendingFilename().empty());
  EXPECT_EQ(Form.Timer1Stops, 1);
}

TEST_F(CommandChannelTest, AWaitingNameIsNotOpenedOnceTheWindowIsClosing) {
  const std::u16string file = ExistingFile(u"Start.tvd");
  test::TForeignWindow other;
  ASSERT_NO_FATAL_FAILURE(HandOnStartupFileBehind(other, file));
  ASSERT_EQ(Form.Channel->PendingFilename(), file);
  Form.ClosingS = true;
  ASSERT_TRUE(test::MakeForeground(Form.Handle()));
  Settle();
  EXPECT_TRUE(Form.Opened.empty());
}

TEST_F(CommandChannelTest, OnlyOneNameWaitsAtATime) {
  const std::u16string first = ExistingFile(u"Erste.tvd");
  const std::u16string second = ExistingFile(u"Zweite.tvd");
  HandOver(first);
  HandOver(second);
  Settle();
  EXPECT_EQ(Form.Opened, std::vector<std::u16string>{first});
}

TEST_F(CommandChannelTest, AWindowThatIsNotReadyKeepsTheNameUntilItIs) {
  const std::u16string file = ExistingFile(u"Liste.tvd");
  const struct {
    const char* What;
    bool Started, Loading, Enabled;
  } cases[] = {
      {"not shown yet", false, false, true},
      {"loading the settings", true, true, true},
      {"disabled", true, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    Form.Opened.clear();
    Form.StartedS = c.Started;
    Form.LoadingS = c.Loading;
    EnableWindow(Form.Handle(), c.Enabled);
    HandOver(file);
    Settle();
    EXPECT_TRUE(Form.Opened.empty());
    EXPECT_EQ(Form.Channel->PendingFilename(), file);

    // Ready again: the first showing hands on what waits, as the end of a dialog does.
    Form.StartedS = true;
    Form.LoadingS = false;
    EnableWindow(Form.Handle(), TRUE);
    ASSERT_TRUE(test::MakeForeground(Form.Handle()));
    Form.Channel->HandOnStartupFile();
    EXPECT_TRUE(PumpUntil([&] { return !Form.Opened.empty(); }));
    EXPECT_EQ(Form.Opened, std::vector<std::u16string>{file});
    EXPECT_TRUE(Form.Channel->PendingFilename().empty());
  }
}

TEST_F(CommandChannelTest, AClosingWindowDropsTheName) {
  Form.ClosingS = true;
  HandOver(ExistingFile(u"Liste.tvd"));
  Settle();
  EXPECT_TRUE(Form.Opened.empty());
  EXPECT_TRUE(Form.Channel->PendingFilename().empty());
}

TEST_F(CommandChannelTest, SetFocusRestoresAndBringsTheOpenDialogAboveTheMainWindow) {
  test::TForeignWindow other;
  TPlainWindow dialog(u"Dialog", Form.Handle());
  ASSERT_TRUE(test::MakeForeground(other.Handle()));
  ShowWindow(Form.Handle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(Form.Handle()));

  SendMessageW(Form.Handle(), kWmProgramSetFocus, 0, 0);
  EXPECT_FALSE(IsIconic(Form.Handle()));
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
}

TEST_F(CommandChannelTest, AClosingWindowIgnoresSetFocus) {
  ShowWindow(Form.Handle(), SW_MINIMIZE);
  Form.ClosingS = true;
  SendMessageW(Form.Handle(), kWmProgramSetFocus, 0, 0);
  EXPECT_TRUE(IsIconic(Form.Handle()));
}

TEST_F(CommandChannelTest, CloseRunsTheExitCommand) {
  EXPECT_EQ(SendMessageW(Form.Handle(), kWmProgramClose, 0, 0), 0);
  EXPECT_EQ(Form.ExitCommands, 1);
}

TEST_F(CommandChannelTest, TheStartupFileIsHandedOnAtTheFirstShowing) {
  const std::u16string file = ExistingFile(u"Start.tvd");
  StartWith(file, u"x");
  EXPECT_EQ(Form.Channel->StartupFilename(), file);
  Form.Channel->HandOnStartupFile();
  EXPECT_TRUE(Form.Channel->StartupFilename().empty());
  Settle();
  EXPECT_EQ(Form.Opened, std::vector<std::u16string>{file});
}

TEST(CommandChannelStartup, TheStartupArgumentIsExpandedAndABlankOneIsNone) {
  THostForm form;
  const std::u16string relative = u"Hörbücher\\Liste.tvd";
  TCommandChannel channel(form, {relative});
  EXPECT_EQ(channel.StartupFilename(), platform::AbsolutePath(relative));
  TCommandChannel blank(form, {u"  ", u"Zweite.tvd"});
  EXPECT_TRUE(blank.StartupFilename().empty());
  TCommandChannel none(form, {});
  EXPECT_TRUE(none.StartupFilename().empty());
}

}  // namespace
}  // namespace tvn
