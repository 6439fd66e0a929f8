// The receiving end of the command channel inside the main window: hand-overs from a
// second start (WM_COPYDATA), queued registry commands (set focus, close) and the
// start-up file of the first instance all end here. The main window owns one
// TCommandChannel, forwards the channel's four messages to it and answers the few
// questions of ICommandChannelHost.
//
// How the main window uses it:
//   FormCreate:  FChannel = std::make_unique<TCommandChannel>(*this,
//                    platform::CommandLineArguments(0, nullptr));
//                FChannel->InstallMessageHandlers(*this);
//   settings:    reopen the last used file only when StartupFilename() is empty
//   FormShow:    start Timer1 only when StartupFilename() is empty and the list is
//                empty, then FChannel->HandOnStartupFile()
//   FormClose:   FChannel->ClearPendingFilename()
// The program entry creates the main window (Create, Show) and then the watch thread
// (TWatchRegistrySettings, KxRegistryWin.h) with the main window's handle.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "startup/Handover.h"

namespace winui {
class TCustomForm;
}

namespace tvn {

// What the channel needs from the main window (TForm1).
class ICommandChannelHost {
 public:
  // The main window; hand-overs and commands are sent and posted to it.
  virtual HWND MainWindowHandle() const = 0;
  virtual bool Started() const = 0;  // FStarted: shown for the first time
  virtual bool Loading() const = 0;  // FLoading: settings are being loaded
  virtual bool Closing() const = 0;  // IsClosing
  // A handed-over file is about to open: the first-entry question must not follow it.
  virtual void StopTimer1() = 0;
  // Asks about unsaved changes, then loads the file as the current list. false: it could
  // not be opened (a cancelled question counts as success).
  virtual bool Oeffne(const std::u16string& AFilename) = 0;
  // The Exit command "&Beenden": closes with the question about unsaved changes.
  virtual void MenuDateiBeendenClick() = 0;

 protected:
  ~ICommandChannelHost() = default;
};

class TCommandChannel {
 public:
  // Takes the start-up file from the program's arguments (the first, when not blank) and
  // installs the modal tracking: once the last modal window has closed, a pending file
  // name is tried again.
  TCommandChannel(ICommandChannelHost& host, const std::vector<std::u16string>& programArguments);
  ~TCommandChannel();
  TCommandChannel(const TCommandChannel&) = delete;
  TCommandChannel& operator=(const TCommandChannel&) = delete;

  // One message of the main window: WM_COPYDATA, WM_OPENPARAMETER, WM_PROGRAMSETFOCUS,
  // WM_PROGRAMCLOSE and WM_ACTIVATEAPP are handled (result 0, true); every other message
  // gives false.
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Routes those messages of a form of the window layer to HandleMessage.
  void InstallMessageHandlers(winui::TCustomForm& form);

  // The full path of the start-up file; empty when none was given or it was handed on.
  const std::u16string& StartupFilename() const { return FStartupFilename; }
  // First showing, after the settings were loaded: the start-up file becomes the pending
  // name and WM_OPENPARAMETER is posted.
  void HandOnStartupFile();
  // The main window closes: nothing pending is opened any more.
  void ClearPendingFilename() { FPendingFilename.clear(); }
  const std::u16string& PendingFilename() const { return FPendingFilename; }
  bool ParameterBusy() const { return FParameterBusy; }

  bool CanAcceptParameter(bool RequireActive) const;
  LRESULT WMCopyData(const COPYDATASTRUCT* data);
  // A pending name opens only when the main window is the active, focused window and no
  // modal window is open; until then it waits, and it is tried again whenever the program
  // becomes active and whenever the last modal window closes.
  LRESULT WMOpenParameter();
  LRESULT WMProgramSetFocus();
  LRESULT WMProgramClose();
  void OpenParameterFile(const std::u16string& name);
  // Brings the main window and then every visible window of the program it owns forward,
  // depth first, so that an open dialog or message box ends up on top.
  void BringFormsForward();

 private:
  TParameterState ParameterState() const;
  // Posts WM_OPENPARAMETER when a name waits and the program is not closing.
  void RetryPendingFile();
  ICommandChannelHost& FHost;
  std::u16string FStartupFilename;
  std::u16string FPendingFilename;
  bool FParameterBusy = false;
};

}  // namespace tvn
