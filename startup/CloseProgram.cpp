// Ends a running Tavorin as the user would, with WM_CLOSE to its main window (the close
// question about unsaved changes included). Used by ./run.sh after its screenshot.
//   tvn-close-program [caption ending]   (default: the program caption)
// Exit code 0 when a window was found and the message posted, else 1.
#include <windows.h>

#include <string>

#include "mainwindow/WindowCaption.h"
#include "startup/ProgramWindow.h"

int wmain(int argc, wchar_t** argv) {
  const std::u16string caption = argc > 1 ? reinterpret_cast<const char16_t*>(argv[1])
                                          : std::u16string(tvn::kProgramCaption);
  const HWND window = tvn::FindProgramWindow(caption);
  if (window == nullptr) return 1;
  return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}
