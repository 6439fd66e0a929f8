// Writes one RTF document through SaveTextToFile for the check with another program:
// umlauts, characters beyond Latin-1 and two page breaks, so three pages.
#include <cstdio>

#include "dialogs/TextSave.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

int main(int argc, char** argv) {
  const std::vector<std::u16string> args = tvn::platform::CommandLineArguments(argc, argv);
  if (args.size() != 1) {
    std::fputs("Aufruf: rtf_probe ZIEL.rtf\n", stderr);
    return 2;
  }
  const std::u16string text =
      u"Erste Seite: Hörbücher für Jürgen\r\n"
      u"Preis: 12 €\r\n"
      u"\fZweite Seite: Łódź und Kraków\r\n"
      u"\fDritte Seite: Ende {mit Klammern} und \\ Schrägstrich\r\n";
  const tvn::TRtfSchrift schrift{u"Liberation Serif", 14, true, 0x000000C0};
  std::u16string error;
  if (tvn::SaveTextToFile(args[0], text, tvn::tsfRtf, &schrift, error)) return 0;
  std::fputs(tvn::ToUtf8(error).c_str(), stderr);
  return 1;
}
