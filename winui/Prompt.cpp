#include "winui/Prompt.h"

#include "winui/Modal.h"

namespace winui {

namespace {

IPrompt*& CurrentPrompt() {
  static IPrompt* prompt = nullptr;
  return prompt;
}

// Failed loads of the data layer show their box from the start on.
const bool g_dataMessagesInstalled = (tvn::SetDatenMeldung(&NativePrompt()), true);

}  // namespace

std::u16string_view MsgKindTitle(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Warning: return u"Warnung";
    case TMsgKind::Error: return u"Fehler";
    case TMsgKind::Information: return u"Informationen";
    case TMsgKind::Confirmation: return u"Bestätigen";
  }
  return u"";
}

std::u16string_view MsgButtonCaption(TMsgButton button) {
  switch (button) {
    case mbYes: return u"&Ja";
    case mbNo: return u"&Nein";
    case mbOK: return u"OK";
    case mbCancel: return u"Abbrechen";
  }
  return u"";
}

void IPrompt::ShowError(const std::u16string& text) { MessageDlg(text, TMsgKind::Error, mbOK); }

void SetPrompt(IPrompt* prompt) {
  CurrentPrompt() = prompt;
  tvn::SetDatenMeldung(&Prompt());
}

IPrompt& Prompt() {
  IPrompt* prompt = CurrentPrompt();
  return prompt ? *prompt : NativePrompt();
}

TModalResult MessageDlg(const std::u16string& text, TMsgKind kind, TMsgButtons buttons,
                        TMsgButton defaultButton) {
  TModalScope modal;
  return Prompt().ShowMessageBox(TMessageRequest{kind, text, buttons, defaultButton});
}

bool TFileDialog::Execute() {
  TModalScope modal;
  return Prompt().FileDialog(*this);
}

bool PrintDialog(HDC& printerDC) {
  TModalScope modal;
  return Prompt().PrintDialog(printerDC);
}

bool PrinterInstalled() { return Prompt().PrinterInstalled(); }

bool ShellOpen(const std::u16string& file, const std::u16string& parameters,
               const std::u16string& directory) {
  return Prompt().ShellOpen(TShellRequest{file, parameters, directory});
}

}  // namespace winui
