#include "startup/CommandChannel.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "mainwindow/FileCommands.h"
#include "platform/Platform.h"
#include "startup/CopyData.h"
#include "startup/ProgramWindow.h"
#include "winui/Form.h"
#include "winui/Modal.h"
#include "winui/Prompt.h"

namespace tvn {

namespace {

TFormRef FormRefOf(HWND window, HWND mainWindow) {
  if (window == nullptr) return TFormRef::None;
  return window == mainWindow ? TFormRef::Main : TFormRef::Other;
}

// The window whose control has the keyboard focus; an active window without a control
// that can take the focus holds it itself.
HWND FocusedTopLevel() {
  HWND focus = GetFocus();
  return focus ? GetAncestor(focus, GA_ROOT) : GetActiveWindow();
}

// The windows a user can switch to: tool windows (tooltips and the like) do not count.
bool IsProgramForm(HWND window) {
  if (!IsWindowVisible(window)) return false;
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  return (exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) == 0;
}

std::vector<HWND> ThreadForms(DWORD threadId) {
  std::vector<HWND> forms;
  EnumThreadWindows(
      threadId,
      [](HWND window, LPARAM list) -> BOOL {
        if (IsProgramForm(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&forms));
  return forms;
}

// Each form, then the forms it owns, before its next sibling.
void BringOwnedForward(HWND owner, const std::vector<HWND>& forms) {
  for (HWND form : forms) {
    if (GetWindow(form, GW_OWNER) != owner) continue;
    ForceForegroundWindow(form);
    BringOwnedForward(form, forms);
  }
}

class TBusyScope {
 public:
  explicit TBusyScope(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TBusyScope() { FFlag = false; }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

TCommandChannel::TCommandChannel(ICommandChannelHost& host,
                                 const std::vector<std::u16string>& programArguments)
    : FHost(host) {
  if (const auto argument = StartupArgument(programArguments)) {
    FStartupFilename = platform::AbsolutePath(*argument);
  }
  // No file opens while a modal window is open; a name that came before it waits.
  winui::SetModalCallbacks({}, [this] {
    if (winui::ModalLevel() == 0) RetryPendingFile();
  });
}

TCommandChannel::~TCommandChannel() { winui::SetModalCallbacks({}, {}); }

bool TCommandChannel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COPYDATA:
      result = WMCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return true;
    case kWmOpenParameter:
      result = WMOpenParameter();
      return true;
    case kWmProgramSetFocus:
      result = WMProgramSetFocus();
      return true;
    case kWmProgramClose:
      result = WMProgramClose();
      return true;
    case WM_ACTIVATEAPP:
      if (wParam) RetryPendingFile();
      result = 0;
      return true;
    default:
      return false;
  }
}

void TCommandChannel::InstallMessageHandlers(winui::TCustomForm& form) {
  for (UINT msg : {UINT(WM_COPYDATA), kWmOpenParameter, kWmProgramSetFocus, kWmProgramClose,
                   UINT(WM_ACTIVATEAPP)}) {
    form.SetMessageHandler(msg, [this, msg](WPARAM wParam, LPARAM lParam) {
      LRESULT result = 0;
      HandleMessage(msg, wParam, lParam, result);
      return result;
    });
  }
}

void TCommandChannel::HandOnStartupFile() {
  // A file handed over before the first showing came after the start-up file: it wins.
  if (!FStartupFilename.empty() && FPendingFilename.empty()) {
    FPendingFilename = std::move(FStartupFilename);
  }
  FStartupFilename.clear();
  RetryPendingFile();
}

TParameterState TCommandChannel::ParameterState() const {
  const HWND main = FHost.MainWindowHandle();
  TParameterState state;
  state.IsClosing = FHost.Closing();
  state.FStarted = FHost.Started();
  state.FLoading = FHost.Loading();
  state.FParameterBusy = FParameterBusy;
  state.FModalLevel = winui::ModalLevel();
  // The window layer disables a window through the system, so both views agree.
  state.Enabled = state.WindowEnabled = main != nullptr && IsWindowEnabled(main);
  state.ActiveForm = FormRefOf(GetActiveWindow(), main);
  state.FocusedForm = FormRefOf(FocusedTopLevel(), main);
  state.Visible = main != nullptr && IsWindowVisible(main);
  return state;
}

bool TCommandChannel::CanAcceptParameter(bool RequireActive) const {
  return tvn::CanAcceptParameter(ParameterState(), RequireActive);
}

LRESULT TCommandChannel::WMCopyData(const COPYDATASTRUCT* data) {
  const HWND main = FHost.MainWindowHandle();
  // Every hand-over brings the program forward.
  SendMessageW(main, kWmProgramSetFocus, 0, 0);
  if (data == nullptr || FHost.Closing()) return 0;
  // A window that cannot open the file now (not shown yet, loading, a dialog open) keeps it
  // waiting, as WMOpenParameter does; it opens once the window is ready.
  std::optional<std::u16string> name =
      AcceptCopyData(true, FPendingFilename, data->lpData, data->cbData);
  if (!name) return 0;
  FPendingFilename = std::move(*name);
  PostMessageW(main, kWmOpenParameter, 0, 0);
  return 0;
}

void TCommandChannel::RetryPendingFile() {
  if (FPendingFilename.empty() || FHost.Closing()) return;
  PostMessageW(FHost.MainWindowHandle(), kWmOpenParameter, 0, 0);
}

LRESULT TCommandChannel::WMOpenParameter() {
  if (FPendingFilename.empty()) return 0;
  if (FHost.Closing()) {
    FPendingFilename.clear();
    return 0;
  }
  // Windows may refuse the foreground to a program started from Explorer, or a modal
  // window is open: the name waits until the window is active or that window has closed.
  if (!CanAcceptParameter(true)) return 0;
  const std::u16string name = std::exchange(FPendingFilename, {});
  TBusyScope busy(FParameterBusy);
  FHost.StopTimer1();
  OpenParameterFile(name);
  return 0;
}

void TCommandChannel::OpenParameterFile(const std::u16string& name) {
  const TParameterFile file = CheckParameterFile(name);
  switch (file.Check) {
    case TParameterCheck::WrongExtension:
      winui::MessageDlg(std::u16string(kFalscheEndungText), winui::TMsgKind::Information,
                        winui::mbOK);
      return;
    case TParameterCheck::FileMissing:
      break;
    case TParameterCheck::Open:
      if (FHost.Oeffne(file.FullPath)) return;
      break;
  }
  winui::MessageDlg(OeffnenFehlerText(file.FullPath), winui::TMsgKind::Error, winui::mbOK);
}

LRESULT TCommandChannel::WMProgramSetFocus() {
  if (FHost.Closing()) return 0;
  const HWND main = FHost.MainWindowHandle();
  if (IsIconic(main)) ShowWindow(main, SW_RESTORE);
  ForceForegroundWindow(main);
  BringFormsForward();
  return 0;
}

LRESULT TCommandChannel::WMProgramClose() {
  FHost.MenuDateiBeendenClick();
  return 0;
}

void TCommandChannel::BringFormsForward() {
  const HWND main = FHost.MainWindowHandle();
  std::vector<HWND> forms = ThreadForms(GetWindowThreadProcessId(main, nullptr));
  // The main window leads, then the other windows nobody owns; each before what it owns.
  std::stable_partition(forms.begin(), forms.end(), [main](HWND form) { return form == main; });
  for (HWND form : forms) {
    if (GetWindow(form, GW_OWNER) != nullptr) continue;
    ForceForegroundWindow(form);
    BringOwnedForward(form, forms);
  }
}

}  // namespace tvn
