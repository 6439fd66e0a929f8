// The command key below HKEY_CURRENT_USER and the watch thread that polls it.
#include <gtest/gtest.h>

#include <memory>

#include "startup/Handover.h"
#include "startup/KxRegistryWin.h"
#include "startup/tests/StartupTestSupport.h"

namespace tvn {
namespace {

using test::PumpUntil;
using test::TPlainWindow;
using test::TTestCommandKey;

TRegistrySettings Settings(std::u16string_view AParameters, std::u16string_view ASetFocus,
                           std::u16string_view AClose) {
  TRegistrySettings settings;
  settings.SetData(AParameters, ASetFocus, AClose);
  return settings;
}

TEST(RegistrySettings, WrittenValuesAreReadOnceAndTheKeyGoesWithThem) {
  TTestCommandKey key;
  TRegistrySettings written;
  written.SetData(u"C:\\a.tvd|C:\\b.tvd", u"1", u"ja");
  // One leading backslash is not part of the name.
  ASSERT_TRUE(WriteRegistrySettings(u"\\" + key.Name(), written));
  ASSERT_TRUE(key.Exists());

  TRegistrySettings read;
  read.SetData(u"old", u"old", u"old");
  EXPECT_TRUE(ReadRegistrySettings(key.Name(), read));
  EXPECT_EQ(read, written);
  EXPECT_FALSE(key.Exists());

  EXPECT_FALSE(ReadRegistrySettings(key.Name(), read));
  EXPECT_TRUE(read.Empty());
}

TEST(RegistrySettings, OnlyNonEmptyFieldsAreWrittenAndNothingToWriteTouchesNothing) {
  TTestCommandKey key;
  EXPECT_TRUE(WriteRegistrySettings(key.Name(), TRegistrySettings()));
  EXPECT_FALSE(key.Exists());

  ASSERT_TRUE(WriteRegistrySettings(key.Name(), rsSetFocus()));
  TRegistrySettings read;
  EXPECT_TRUE(ReadRegistrySettings(key.Name(), read));
  EXPECT_EQ(read, rsSetFocus(u"1"));
}

TEST(RegistrySettings, ForeignValuesKeepTheKeyAndAreLeftAlone) {
  TTestCommandKey key;
  key.WriteRaw(u"Anderes", u"bleibt");
  key.WriteRaw(u"ProgramClose", u"1");
  TRegistrySettings read;
  EXPECT_TRUE(ReadRegistrySettings(key.Name(), read));
  EXPECT_EQ(read, rsClose());
  EXPECT_TRUE(key.Exists());
  EXPECT_FALSE(ReadRegistrySettings(key.Name(), read));
}

TEST(RegistrySettings, AValueThatIsNoStringIsDeletedAndTheCommandsBesideItAreRead) {
  const DWORD number = 1;
  const unsigned char binary[] = {0x43, 0x00, 0x3A, 0x00};
  const struct {
    const char* What;
    const char16_t* Odd;  // the command value written with another type
    DWORD Type;
    const void* Data;
    size_t Size;
    TRegistrySettings Expected;
  } cases[] = {
      {"set focus as a number", u"ProgramSetFocus", REG_DWORD, &number, sizeof number,
       Settings(u"C:\\a.tvd", {}, {})},
      {"parameters as bytes", u"ProgramParameters", REG_BINARY, binary, sizeof binary,
       Settings({}, u"1", u"1")},
      {"close as a number", u"ProgramClose", REG_DWORD, &number, sizeof number,
       Settings(u"C:\\a.tvd", u"1", {})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    TTestCommandKey key;
    ASSERT_TRUE(WriteRegistrySettings(key.Name(), c.Expected));
    key.WriteValue(c.Odd, c.Type, c.Data, c.Size);
    TRegistrySettings read;
    EXPECT_TRUE(ReadRegistrySettings(key.Name(), read));
    EXPECT_EQ(read, c.Expected);
    EXPECT_FALSE(key.Exists()) << "the odd value went with the others";
    EXPECT_FALSE(ReadRegistrySettings(key.Name(), read));
  }

  // Alone it is deleted too, and nothing is found.
  TTestCommandKey key;
  key.WriteDword(u"ProgramSetFocus", 1);
  TRegistrySettings read;
  EXPECT_FALSE(ReadRegistrySettings(key.Name(), read));
  EXPECT_TRUE(read.Empty());
  EXPECT_FALSE(key.Exists());
}

TEST(RegistrySettings, StringsWrittenByOthersWithoutNulOrWithAnOddSizeAreRead) {
  TTestCommandKey key;
  const std::u16string path = u"C:\\a.tvd";
  key.WriteValue(u"ProgramParameters", REG_SZ, path.data(), path.size() * 2);  // no NUL
  key.WriteValue(u"ProgramSetFocus", REG_EXPAND_SZ, u"1\0", 3);                // odd size
  TRegistrySettings read;
  EXPECT_TRUE(ReadRegistrySettings(key.Name(), read));
  EXPECT_EQ(read.Parameters, path);
  EXPECT_EQ(read.SetFocus, u"1");
  EXPECT_FALSE(key.Exists());
}

TEST(RegistrySettings, AnEmptyKeyNameNeverReachesHkeyCurrentUserItself) {
  TRegistrySettings read;
  EXPECT_FALSE(WriteRegistrySettings(u"\\", rsSetFocus()));
  EXPECT_FALSE(WriteRegistrySettings(u"", rsSetFocus()));
  EXPECT_FALSE(ReadRegistrySettings(u"", read));
}

// The channel's messages as a main window would get them.
class RegistryCommand : public ::testing::Test {
 protected:
  // Its first poll removes what is left in the key; wait for it, so that what the test
  // writes afterwards counts as new.
  std::unique_ptr<TWatchRegistrySettings> StartWatch(const TTestCommandKey& key) {
    key.WriteRaw(u"ProgramClose", u"1");
    auto watch = std::make_unique<TWatchRegistrySettings>(Window.Handle(), key.Name());
    EXPECT_TRUE(PumpUntil([&] { return !key.Exists(); }));
    return watch;
  }
  TPlainWindow Window{u"Empfänger"};
};

TEST_F(RegistryCommand, RunsTheFirstSetCommandOnly) {
  TRegistrySettings both;
  both.SetData({}, u"1", u"1");
  RunRegistryCommand(Window.Handle(), both);
  EXPECT_EQ(Window.Count(kWmProgramSetFocus), 1);
  EXPECT_EQ(Window.Count(kWmProgramClose), 0);

  RunRegistryCommand(Window.Handle(), rsClose());
  EXPECT_EQ(Window.Count(kWmProgramClose), 1);

  TRegistrySettings parameters;
  parameters.SetData(u"  C:\\Hörbücher\\a.tvd  ", u"1", {});
  RunRegistryCommand(Window.Handle(), parameters);
  EXPECT_EQ(Window.Count(WM_COPYDATA), 1);
  EXPECT_EQ(Window.LastCopyDataText, u"C:\\Hörbücher\\a.tvd");
  EXPECT_EQ(Window.Count(kWmProgramSetFocus), 1);
}

TEST_F(RegistryCommand, ACommandForAWindowThatIsGoneIsDropped) {
  HWND gone = nullptr;
  {
    TPlainWindow shortLived(u"Weg");
    gone = shortLived.Handle();
  }
  RunRegistryCommand(gone, rsSetFocus());  // must not reach any window
  EXPECT_EQ(Window.Count(kWmProgramSetFocus), 0);
}

TEST_F(RegistryCommand, TheWatchThreadRemovesLeftoversAndDeliversLaterCommands) {
  TTestCommandKey key;
  const auto watch = StartWatch(key);  // with a close command left from an earlier run

  ASSERT_TRUE(WriteRegistrySettings(key.Name(), rsSetFocus()));
  ASSERT_TRUE(PumpUntil([&] { return Window.Count(kWmProgramSetFocus) == 1; }));
  EXPECT_FALSE(key.Exists());
  EXPECT_EQ(Window.Count(kWmProgramClose), 0);
}

TEST_F(RegistryCommand, OfCommandsFoundInOnePollOnlyTheFirstRunsAndAllAreDeleted) {
  TTestCommandKey key;
  const auto watch = StartWatch(key);
  TRegistrySettings both;
  both.SetData({}, u"1", u"1");
  ASSERT_TRUE(WriteRegistrySettings(key.Name(), both));
  ASSERT_TRUE(PumpUntil([&] { return Window.Count(kWmProgramSetFocus) == 1; }));
  EXPECT_FALSE(key.Exists());
  // One more poll and its pause go by; the close command must not come late.
  ASSERT_TRUE(WriteRegistrySettings(key.Name(), rsSetFocus()));
  ASSERT_TRUE(PumpUntil([&] { return Window.Count(kWmProgramSetFocus) == 2; }));
  EXPECT_EQ(Window.Count(kWmProgramClose), 0);
}

TEST_F(RegistryCommand, AValueThatIsNoStringDoesNotBlockTheChannel) {
  TTestCommandKey key;
  const auto watch = StartWatch(key);
  const unsigned char binary[] = {1, 2, 3};
  key.WriteValue(u"ProgramParameters", REG_BINARY, binary, sizeof binary);
  key.WriteRaw(u"ProgramSetFocus", u"1");
  ASSERT_TRUE(PumpUntil([&] { return Window.Count(kWmProgramSetFocus) == 1; }));
  EXPECT_FALSE(key.Exists());
  EXPECT_EQ(Window.Count(WM_COPYDATA), 0);

  // Later commands still arrive.
  key.WriteDword(u"ProgramSetFocus", 1);
  ASSERT_TRUE(WriteRegistrySettings(key.Name(), rsClose()));
  ASSERT_TRUE(PumpUntil([&] { return Window.Count(kWmProgramClose) == 1; }));
  EXPECT_EQ(Window.Count(kWmProgramSetFocus), 1);
}

TEST_F(RegistryCommand, CommandsStillQueuedWhenTheThreadGoesAreDropped) {
  {
    TTestCommandKey key;
    TWatchRegistrySettings watch(Window.Handle(), key.Name());
    QueueRegistryCommand(watch, Window.Handle(), {}, u"1", {});
    QueueRegistryCommand(watch, Window.Handle(), {}, {}, u"1");
  }
  // Whatever the queue still held must be gone, not run now.
  TPlainWindow marker(u"Marke", HWND_MESSAGE);
  PostMessageW(marker.Handle(), WM_USER + 1, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return marker.Count(WM_USER + 1) == 1; }));
  EXPECT_EQ(Window.Count(kWmProgramSetFocus), 0);
  EXPECT_EQ(Window.Count(kWmProgramClose), 0);
}

TEST_F(RegistryCommand, AQueuedCommandRunsBetweenMessagesOfTheMainThread) {
  TTestCommandKey key;
  TWatchRegistrySettings watch(Window.Handle(), key.Name());
  QueueRegistryCommand(watch, Window.Handle(), {}, {}, u"1");
  EXPECT_EQ(Window.Count(kWmProgramClose), 0);  // not run inside the call
  ASSERT_TRUE(PumpUntil([&] { return Window.Count(kWmProgramClose) == 1; }));
}

}  // namespace
}  // namespace tvn
