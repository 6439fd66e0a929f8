// Prints one text on the default printer through PrintText, for the check of the printed
// document: umlauts and two page breaks, so three pages. Usage: print_probe TITLE
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <vector>

#include "dialogs/TextPrinter.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"
#include "winui/Win32Util.h"

int main(int argc, char** argv) {
  const std::vector<std::u16string> args = tvn::platform::CommandLineArguments(argc, argv);
  if (args.size() != 1) {
    std::fputs("Aufruf: print_probe TITEL\n", stderr);
    return 2;
  }
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  std::vector<wchar_t> printer(size + 1);
  if (size == 0 || !GetDefaultPrinterW(printer.data(), &size)) {
    std::fputs("Es ist kein Drucker installiert!\n", stderr);
    return 1;
  }
  HDC dc = CreateDCW(L"WINSPOOL", printer.data(), nullptr, nullptr);
  if (!dc) {
    std::fputs("CreateDCW failed\n", stderr);
    return 1;
  }
  std::u16string text =
      u"Erste Seite: Hörbücher für Jürgen\r\n"
      u"Eine lange Zeile, die umbrochen werden muss, weil sie viel breiter ist als eine "
      u"Druckseite, auch bei kleiner Schrift, und deshalb auf der nächsten Zeile weitergeht.\r\n"
      u"\fZweite Seite: Größe und Maß\r\n"
      u"\fDritte Seite: Ende\r\n";
  std::u16string error;
  winui::TFont font;
  font.Name = u"Arial";
  font.Size = 14;
  font.Color = 0xFFFFFF;  // white on screen; paper gets black
  const bool ok = tvn::PrintText(dc, args[0], text, font, error);
  DeleteDC(dc);
  if (!ok) std::fputs(tvn::ToUtf8(u"Der Text konnte nicht gedruckt werden.\r\n" + error).c_str(), stderr);
  return ok ? 0 : 1;
}
