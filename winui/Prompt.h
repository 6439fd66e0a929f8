// The one seam for everything that asks the user or the system outside our own windows:
// message boxes, open and save file dialogs, the print dialog, printer presence and the
// shell's "open". The program uses the native implementation; tests install a scripted
// one (winui/ScriptedPrompt.h). The entry points below keep the modal counter, so every
// implementation is counted alike.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "data/DatenC.h"
#include "winui/Controls.h"

namespace winui {

enum class TMsgKind { Warning, Error, Information, Confirmation };
enum TMsgButton : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgButtons = unsigned;  // a set of TMsgButton

// "Warnung", "Fehler", "Informationen", "Bestätigen".
std::u16string_view MsgKindTitle(TMsgKind kind);
// "&Ja", "&Nein", "OK", "Abbrechen".
std::u16string_view MsgButtonCaption(TMsgButton button);

struct TMessageRequest {
  TMsgKind Kind = TMsgKind::Information;
  std::u16string Text;
  TMsgButtons Buttons = mbOK;
  TMsgButton DefaultButton = TMsgButton(0);  // 0: the first one
};

// Settings of an open or save dialog, kept between uses (FilterIndex and FileName come
// back from the dialog).
struct TFileDialog {
  bool Save = false;
  std::u16string Title;  // empty: the system's title
  // "description|pattern|description|pattern..." (a trailing "|" is allowed).
  std::u16string Filter;
  int FilterIndex = 1;  // from 1
  std::u16string DefaultExt;  // without the dot; appended to a name typed without one
  std::u16string InitialDir;
  std::u16string FileName;  // proposed name in, chosen full path out
  bool OverwritePrompt = false;
  bool FileMustExist = false;
  bool PathMustExist = false;
  bool NoReadOnlyReturn = false;  // refuse read-only files
  bool HideReadOnly = true;       // no read-only check box
  bool EnableSizing = true;
  // The user picked another file type; FilterIndex is the new one. The handler may set
  // DefaultExt, which the open dialog then uses.
  std::function<void(TFileDialog&)> OnTypeChange;
  // Shows the dialog through the installed prompt; true when a file was chosen.
  bool Execute();
};

struct TShellRequest {
  std::u16string File;
  std::u16string Parameters;
  std::u16string Directory;
};

class IPrompt : public tvn::TDatenMeldung {
 public:
  // The button pressed; mrCancel when the box was closed otherwise.
  virtual TModalResult ShowMessageBox(const TMessageRequest& request) = 0;
  virtual bool FileDialog(TFileDialog& dialog) = 0;
  // The print dialog; on OK the printer's device context (the caller deletes it).
  virtual bool PrintDialog(HDC& printerDC) = 0;
  virtual bool PrinterInstalled() = 0;
  virtual bool ShellOpen(const TShellRequest& request) = 0;
  // A failed load of the data layer: an error box with OK.
  void ShowError(const std::u16string& text) final;
};

// Installs the prompt program-wide (also as the data layer's message target); null
// brings back the native one.
void SetPrompt(IPrompt* prompt);
IPrompt& Prompt();
IPrompt& NativePrompt();

// The entry points the program calls.
TModalResult MessageDlg(const std::u16string& text, TMsgKind kind, TMsgButtons buttons,
                        TMsgButton defaultButton = TMsgButton(0));
bool PrintDialog(HDC& printerDC);
bool PrinterInstalled();
bool ShellOpen(const std::u16string& file, const std::u16string& parameters = {},
               const std::u16string& directory = {});

}  // namespace winui
