// The program entry: one instance per user session. A second start hands its file
// argument (or a set-focus request) to the running instance and ends; the first creates
// the main window, watches the command key and runs the message loop.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "mainwindow/WindowCaption.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"
#include "startup/FirstInstance.h"
#include "startup/Handover.h"
#include "startup/KxRegistryWin.h"
#include "startup/ProgramWindow.h"
#include "winui/Prompt.h"

namespace {

using namespace tvn;

class TMutex {
 public:
  explicit TMutex(std::u16string_view name)
      : FHandle(CreateMutexW(nullptr, TRUE, reinterpret_cast<const wchar_t*>(
                                                std::u16string(name).c_str()))),
        FAlreadyExists(GetLastError() == ERROR_ALREADY_EXISTS) {}
  // Closed, never released: the mutex marks the first instance until it ends.
  ~TMutex() { Close(); }
  void Close() {
    if (FHandle) CloseHandle(FHandle);
    FHandle = nullptr;
  }
  TMutex(const TMutex&) = delete;
  TMutex& operator=(const TMutex&) = delete;
  bool AlreadyExists() const { return FAlreadyExists; }

 private:
  HANDLE FHandle;
  bool FAlreadyExists;
};

void HandOverToRunningInstance(const std::vector<std::u16string>& arguments) {
  const HWND window = FindProgramWindow(kProgramCaption);
  if (window == nullptr) return;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  AllowSetForegroundWindow(processId);
  if (const auto file = StartupArgument(arguments)) {
    SendParameters(window, platform::AbsolutePath(*file));
  } else {
    WriteRegistrySettings(kCommandKeyName, rsSetFocus());
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::vector<std::u16string> arguments = platform::CommandLineArguments(0, nullptr);
  TMutex mutex(kProgramCaption);
  if (mutex.AlreadyExists()) {
    mutex.Close();
    HandOverToRunningInstance(arguments);
    return 0;
  }
  try {
    RunFirstInstance(arguments);
  } catch (const std::exception& e) {
    // The main window could not be created (no folder for the settings, for one).
    winui::MessageDlg(FromUtf8(e.what()), winui::TMsgKind::Error, winui::mbOK);
  }
  return 0;
}
