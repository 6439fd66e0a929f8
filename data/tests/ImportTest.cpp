#include <gtest/gtest.h>

#include "data/DatenC.h"
#include "data/tests/TestData.h"
#include "platform/Platform.h"

namespace tvn {
namespace {

using test::Entry;

std::u16string Autoren(const TDaten& d) {
  std::u16string s;
  for (const TDatenRec& r : d.Liste) s += r.Autor;
  return s;
}

TDaten Of(const std::u16string& autoren) {
  TDaten d;
  for (char16_t c : autoren) d.Add(Entry(std::u16string(1, c)));
  return d;
}

TEST(Import, SetUnionAndMultisetUnion) {
  struct Case {
    const char* what;
    std::u16string list, source;
    bool preserveCounts;
    std::u16string expected;
  };
  const Case cases[] = {
      {"all present adds nothing", u"ABC", u"CA", false, u"ABC"},
      {"new ones appended in order", u"AB", u"DBC", false, u"ABDC"},
      {"a twice-held new entry is added once", u"A", u"BB", false, u"AB"},
      {"into an empty list", u"", u"ABA", false, u"AB"},
      {"paste after cutting two identical entries brings back both", u"C", u"AA", true, u"CAA"},
      {"paste after copying entries still there adds nothing", u"AB", u"AB", true, u"AB"},
      {"one of two pasted ones is still there", u"AC", u"AA", true, u"ACA"},
      {"counts the larger multiplicity", u"AAB", u"AAAB", true, u"AABA"},
  };
  for (const Case& c : cases) {
    TDaten d = Of(c.list);
    d.HbName = u"Ziel";
    TDaten source = Of(c.source);
    source.HbName = u"Quelle";
    d.Import(source, true, c.preserveCounts);
    EXPECT_EQ(Autoren(d), c.expected) << c.what;
    EXPECT_EQ(d.HbName, u"Ziel") << c.what;
    EXPECT_EQ(Autoren(source), c.source) << c.what << ": the source stays as it was";
  }
}

TEST(Import, PasteAfterCuttingOneOfTwoAddsNothing) {
  // The one left in the list already accounts for the one pasted.
  TDaten d = Of(u"AC");
  d.Import(Of(u"A"), true, true);
  EXPECT_EQ(Autoren(d), u"AC");
}

TEST(Import, TodaysDateMakesOldEntriesNew) {
  const TDateTime heute = platform::Today();
  TDaten d = Of(u"AB");
  d.Liste[1].ErstelltDatum = heute;
  TDaten source = d;
  d.Import(source, false, false);
  ASSERT_EQ(Autoren(d), u"ABA") << "B was created today already, A differs only in its date";
  EXPECT_EQ(d.Liste[2].ErstelltDatum, heute);
  EXPECT_EQ(source.Liste[0].ErstelltDatum, test::kDay2024);
}

TEST(Import, IntoItselfDoesNothing) {
  TDaten d = Of(u"AB");
  d.Import(d, false, true);
  EXPECT_EQ(Autoren(d), u"AB");
}

TEST(Import, LargeListIntoItselfPlusHalf) {
  TDaten d;
  for (int i = 0; i < 4000; ++i) d.Add(Entry(u"A" + std::u16string(1, char16_t(u'a' + i % 26)), u"T", 44000 + i));
  TDaten source = d;
  for (int i = 0; i < 2000; ++i) source.Add(Entry(u"Neu", u"T", 30000 + i));
  d.Import(source, true, false);
  ASSERT_EQ(d.Count(), 6000);
  EXPECT_EQ(d.Liste[4000].ErstelltDatum, 30000);
  EXPECT_TRUE(d.Ident(source));
}

}  // namespace
}  // namespace tvn
