#include <gtest/gtest.h>

#include "screenreader/ScreenReaderText.h"

namespace tvn {
namespace {

TEST(BrailleStringCall, QuotesBecomeApostrophesAndNothingElseChanges) {
  const struct {
    std::u16string text, call;
  } cases[] = {
      {u"Autor:", u"BrailleString(\"Autor:\")"},
      {u"Titel: \"Faust\"", u"BrailleString(\"Titel: 'Faust'\")"},
      {u"\"\"", u"BrailleString(\"''\")"},
      {u"Ä ß ' \\ %s ( ) \u201Ez\u201C", u"BrailleString(\"Ä ß ' \\ %s ( ) \u201Ez\u201C\")"},
      {u"", u"BrailleString(\"\")"},
  };
  for (const auto& c : cases) EXPECT_EQ(BrailleStringCall(c.text), c.call);
}

}  // namespace
}  // namespace tvn
