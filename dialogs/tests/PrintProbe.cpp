// Prints the probe text on the default printer through PrintText, under the job title the
// details viewer gives a caption, for the check of the printed document.
// Usage: print_probe CAPTION
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <vector>

#include "dialogs/ReAnsichtRegeln.h"
#include "dialogs/TextPrinter.h"
#include "dialogs/tests/PrintProbeText.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"
#include "winui/Win32Util.h"

int main(int argc, char** argv) {
  const std::vector<std::u16string> args = tvn::platform::CommandLineArguments(argc, argv);
  if (args.size() != 1) {
    std::fputs("Aufruf: print_probe BESCHRIFTUNG\n", stderr);
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
  std::u16string error;
  winui::TFont font;
  font.Name = u"Arial";
  font.Size = 14;
  font.Color = 0xFFFFFF;  // white on screen; paper gets black
  const bool ok =
      tvn::PrintText(dc, tvn::DruckTitel(args[0]), tvn::test::kDruckProbeText, font, error);
  DeleteDC(dc);
  if (!ok) std::fputs(tvn::ToUtf8(u"Der Text konnte nicht gedruckt werden.\r\n" + error).c_str(), stderr);
  return ok ? 0 : 1;
}
