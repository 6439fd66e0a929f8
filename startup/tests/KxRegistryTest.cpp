#include <gtest/gtest.h>

#include "startup/KxRegistry.h"

namespace tvn {
namespace {

using Texts = std::vector<std::u16string>;

TEST(KxRegistry, JoinKeepsAGivenTextOrJoinsTheTrimmedArguments) {
  const struct {
    const char* what;
    std::u16string_view text;
    Texts arguments;
    std::u16string_view joined;
  } cases[] = {
      {"given text unchanged", u" a|b ", {u"x"}, u" a|b "},
      {"arguments", u"", {u" a.tvd ", u"b.tvi"}, u"a.tvd|b.tvi"},
      {"blank arguments add nothing", u"", {u" ", u"a", u"\t", u"b"}, u"a|b"},
      // A separator follows every non-empty argument but the last one, even when only
      // blank ones follow it; splitting drops the empty run again.
      {"blank last argument", u"", {u"a", u" "}, u"a|"},
      {"no arguments", u"", {}, u""},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinParameters(c.text, c.arguments), c.joined) << c.what;
}

TEST(KxRegistry, SplitGivesTheNonEmptyRunsUntrimmed) {
  const struct {
    const char* what;
    std::u16string_view text;
    Texts arguments;
    Texts parts;
  } cases[] = {
      {"one name", u"C:\\a.tvd", {}, {u"C:\\a.tvd"}},
      {"doubled and trailing separators", u"a||b|", {}, {u"a", u"b"}},
      {"leading separator", u"|a", {}, {u"a"}},
      {"separators only", u"|||", {}, {}},
      {"runs are not trimmed", u" a | b", {}, {u" a ", u" b"}},
      {"empty text takes the arguments", u"", {u" x ", u"", u"y"}, {u"x", u"y"}},
      {"empty text without arguments", u"", {}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitParameters(c.text, c.arguments), c.parts) << c.what;
}

TEST(KxRegistry, BuildersSetExactlyOneField) {
  TRegistrySettings expected;
  expected.SetFocus = u"1";
  EXPECT_EQ(rsSetFocus(), expected);
  expected.SetFocus = u"ja";
  EXPECT_EQ(rsSetFocus(u"ja"), expected);

  expected = {};
  expected.Close = u"1";
  EXPECT_EQ(rsClose(u""), expected);

  expected = {};
  expected.Parameters = u"a|b";
  EXPECT_EQ(rsParameters(u"", {u"a", u"b"}), expected);
  expected.Parameters = u"c";
  EXPECT_EQ(rsParameters(u"c", {u"a"}), expected);
  EXPECT_TRUE(rsParameters(u"", {}).Empty()) << "nothing to hand over writes nothing";
}

TEST(KxRegistry, KeyNameLosesOneLeadingBackslash) {
  EXPECT_EQ(CommandKeyPath(u"\\Tavorin"), u"Tavorin");
  EXPECT_EQ(CommandKeyPath(u"\\\\Tavorin"), u"\\Tavorin");
  EXPECT_EQ(CommandKeyPath(kCommandKeyName), u"Tavorin");
  EXPECT_EQ(CommandKeyPath(u""), u"");
}

TEST(KxRegistry, APollRunsOnlyItsFirstCommand) {
  const struct {
    const char* what;
    std::u16string_view parameters, setFocus, close;
    TRegistryCommand command;
  } cases[] = {
      {"nothing", u"", u"", u"", TRegistryCommand::None},
      {"all three", u"a.tvd", u"1", u"1", TRegistryCommand::Parameters},
      {"set focus before close", u"", u"1", u"1", TRegistryCommand::SetFocus},
      {"close alone", u"", u"", u"x", TRegistryCommand::Close},
  };
  for (const auto& c : cases) {
    TRegistrySettings read;
    read.SetData(c.parameters, c.setFocus, c.close);
    EXPECT_EQ(FirstCommand(read), c.command) << c.what;
    const TRegistrySettings only = FirstCommandOnly(read);
    EXPECT_EQ(FirstCommand(only), c.command) << c.what;
    const int set = !only.Parameters.empty() + !only.SetFocus.empty() + !only.Close.empty();
    EXPECT_EQ(set, c.command == TRegistryCommand::None ? 0 : 1) << c.what;
  }
  TRegistrySettings both;
  both.SetData(u"", u"ja", u"1");
  TRegistrySettings expected;
  expected.SetFocus = u"ja";
  EXPECT_EQ(FirstCommandOnly(both), expected) << "the text itself is kept";
}

}  // namespace
}  // namespace tvn
