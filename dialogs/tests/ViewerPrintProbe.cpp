// Prints from the real details viewer: the dialog shows the probe text, "&Drucken" is
// pressed, and the print dialog is answered with the default printer, as a user choosing
// it would. Any message box fails the probe. Usage: viewer_print_probe CAPTION
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <vector>

#include "dialogs/ReAnsicht.h"
#include "dialogs/tests/PrintProbeText.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace {

class TProbePrompt : public winui::IPrompt {
 public:
  int PrintDialogs = 0;
  int Messages = 0;

  winui::TModalResult ShowMessageBox(const winui::TMessageRequest& request) override {
    ++Messages;
    std::fprintf(stderr, "Meldung: %s\n", tvn::ToUtf8(request.Text).c_str());
    return winui::mrOk;
  }
  bool FileDialog(winui::TFileDialog&) override { return false; }
  bool PrintDialog(HDC& printerDC) override {
    ++PrintDialogs;
    printerDC = nullptr;
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    std::vector<wchar_t> printer(size + 1);
    if (size == 0 || !GetDefaultPrinterW(printer.data(), &size)) return false;
    printerDC = CreateDCW(L"WINSPOOL", printer.data(), nullptr, nullptr);
    return printerDC != nullptr;
  }
  bool PrinterInstalled() override { return winui::NativePrompt().PrinterInstalled(); }
  bool ShellOpen(const winui::TShellRequest&) override { return false; }
};

// Presses "&Drucken" once it is shown, then closes.
class TProbeViewer : public tvn::TReAnsichtForm {
 public:
  using TReAnsichtForm::TReAnsichtForm;
  void FormShow() override {
    TReAnsichtForm::FormShow();
    PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(Button1.ControlId(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Button1.Handle()));
    PostMessageW(Handle(), WM_COMMAND, IDCANCEL, 0);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::u16string> args = tvn::platform::CommandLineArguments(argc, argv);
  if (args.size() != 1) {
    std::fputs("Aufruf: viewer_print_probe BESCHRIFTUNG\n", stderr);
    return 2;
  }
  TProbePrompt prompt;
  winui::SetPrompt(&prompt);
  winui::AktFont = winui::TFont{u"Arial", 14, 0xFFFFFF, false};  // white on screen
  {
    TProbeViewer viewer(nullptr);
    viewer.Create();
    viewer.ShowDetails(args[0], tvn::test::kDruckProbeText);
  }
  winui::SetPrompt(nullptr);
  if (prompt.PrintDialogs != 1) {
    std::fprintf(stderr, "%d print dialogs instead of 1\n", prompt.PrintDialogs);
    return 1;
  }
  return prompt.Messages == 0 ? 0 : 1;
}
