#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Platform.h"
#include "platform/Utf16.h"
#include "startup/Handover.h"

namespace tvn {
namespace {

TParameterState Ready() {
  TParameterState s;
  s.FStarted = true;
  s.ActiveForm = TFormRef::Main;
  s.FocusedForm = TFormRef::Main;
  return s;
}

TEST(Handover, AcceptsParametersOnlyWhenTheMainWindowIsIdle) {
  const struct {
    const char* what;
    void (*change)(TParameterState&);
    bool accept, acceptActive;
  } cases[] = {
      {"ready", [](TParameterState&) {}, true, true},
      {"closing", [](TParameterState& s) { s.IsClosing = true; }, false, false},
      {"not started", [](TParameterState& s) { s.FStarted = false; }, false, false},
      {"loading", [](TParameterState& s) { s.FLoading = true; }, false, false},
      {"busy", [](TParameterState& s) { s.FParameterBusy = true; }, false, false},
      {"modal window", [](TParameterState& s) { s.FModalLevel = 1; }, false, false},
      {"disabled", [](TParameterState& s) { s.Enabled = false; }, false, false},
      {"window disabled", [](TParameterState& s) { s.WindowEnabled = false; }, false, false},
      {"other form active", [](TParameterState& s) { s.ActiveForm = TFormRef::Other; }, false,
       false},
      {"other form focused", [](TParameterState& s) { s.FocusedForm = TFormRef::Other; }, false,
       false},
      {"no active form", [](TParameterState& s) { s.ActiveForm = TFormRef::None; }, true, false},
      {"no focused form", [](TParameterState& s) { s.FocusedForm = TFormRef::None; }, true, false},
      {"invisible", [](TParameterState& s) { s.Visible = false; }, true, false},
  };
  for (const auto& c : cases) {
    TParameterState s = Ready();
    c.change(s);
    EXPECT_EQ(CanAcceptParameter(s, false), c.accept) << c.what;
    EXPECT_EQ(CanAcceptParameter(s, true), c.acceptActive) << c.what << " (active)";
  }
}

TEST(Handover, StartupFileIsTheFirstNonBlankArgument) {
  EXPECT_EQ(StartupArgument({}), std::nullopt);
  EXPECT_EQ(StartupArgument({u"  ", u"b.tvd"}), std::nullopt) << "further arguments are ignored";
  EXPECT_EQ(StartupArgument({u" a.tvd", u"b.tvd"}), u" a.tvd") << "kept untrimmed";
}

TEST(Handover, NamesLoseBlanksAndOnePairOfQuotes) {
  const struct {
    std::u16string_view name, cleaned;
  } cases[] = {
      {u" \"C:\\a b.tvd\" ", u"C:\\a b.tvd"},
      {u"\"\"", u""},
      {u"\"", u"\""},
      {u"\"a.tvd", u"\"a.tvd"},
      {u"\"\"a\"\"", u"\"a\""},
      {u"a.tvd", u"a.tvd"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParameterFileName(c.name), c.cleaned);
}

TEST(Handover, OnlyAudiobookExtensionsInAnyCaseAreOpened) {
  const std::u16string sep(1, platform::PathSeparator());
  const struct {
    std::u16string path;
    std::u16string_view ext;
    bool audiobook;
  } cases[] = {
      {sep + u"a.tvd", u".tvd", true},
      {sep + u"a.TVI", u".TVI", true},
      {sep + u"a.Tvd", u".Tvd", true},
      {sep + u"a.txt", u".txt", false},
      {sep + u"a.tvd.bak", u".bak", false},
      {sep + u"a", u"", false},
      {sep + u"x.d" + sep + u"a", u"", false},
      {sep + u"a.tvdx", u".tvdx", false},
      {u"", u"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFileExt(c.path), c.ext) << ToUtf8(c.path);
    EXPECT_EQ(IsAudiobookFileName(c.path), c.audiobook) << ToUtf8(c.path);
  }
}

class HandoverFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("tvn-handover-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    std::ofstream(dir_ / "liste.TVD") << "x";
    std::ofstream(dir_ / "notiz.txt") << "x";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::u16string Path(const char* name) const { return (dir_ / name).u16string(); }

  std::filesystem::path dir_;
};

TEST_F(HandoverFiles, ChecksExtensionBeforeExistence) {
  const auto quoted = CheckParameterFile(u" \"" + Path("liste.TVD") + u"\" ");
  EXPECT_EQ(quoted.Check, TParameterCheck::Open);
  EXPECT_EQ(quoted.FullPath, Path("liste.TVD"));
  EXPECT_EQ(CheckParameterFile(Path("notiz.txt")).Check, TParameterCheck::WrongExtension);
  EXPECT_EQ(CheckParameterFile(Path("fehlt.txt")).Check, TParameterCheck::WrongExtension);
  const auto missing = CheckParameterFile(Path("fehlt.tvi"));
  EXPECT_EQ(missing.Check, TParameterCheck::FileMissing);
  EXPECT_EQ(missing.FullPath, Path("fehlt.tvi"));
  EXPECT_EQ(CheckParameterFile(u"\"\"").Check, TParameterCheck::WrongExtension)
      << "two quotes alone give the message about the expected file types";
}

TEST_F(HandoverFiles, RelativeNamesBecomeFullPaths) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir_);
  const auto file = CheckParameterFile(u"liste.TVD");
  std::filesystem::current_path(previous);
  EXPECT_EQ(file.Check, TParameterCheck::Open);
  EXPECT_TRUE(
      std::filesystem::equivalent(std::filesystem::path(file.FullPath), dir_ / "liste.TVD"));
  EXPECT_TRUE(std::filesystem::path(file.FullPath).is_absolute());
}

TEST(Handover, ProgramWindowIsFoundByItsCaptionEnding) {
  const std::u16string_view program = u"Tavorin V1.13";
  const std::u16string longName(260 - program.size(), u'x');
  const std::u16string veryLongName(4000, u'y');
  const struct {
    std::u16string caption;
    bool found;
  } cases[] = {
      {u"Liste.tvd - Tavorin V1.13", true},       {u"Tavorin V1.13", true},
      {u"KeinName - tavorin v1.13", false},  // case counts
      {u"Tavorin V1.13 - Editor", false},         {u"", false},
      {longName + u"Tavorin V1.13", true},  // 260 code units
      {u"y" + longName + u"Tavorin V1.13", true}, {veryLongName + u" - Tavorin V1.13", true},
      {veryLongName + u" - Tavorin V1.1", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsProgramWindowCaption(c.caption, program), c.found) << ToUtf8(c.caption);
}

}  // namespace
}  // namespace tvn
