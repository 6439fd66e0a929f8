// winui-demo: shows the demonstration dialog at 12 and at 35 points, laid out by the
// shared toolkit, saves a screenshot of each showing as a BMP file in the current folder
// and prints what the layout check finds. Exit code 1 when it finds anything.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "layout/KxDatePicker.h"
#include "layout/demo/DemoDialog.h"
#include "layout/demo/LayoutCheck.h"
#include "layout/demo/WindowBitmap.h"
#include "winui/Timer.h"

namespace {

// One showing; focusing the info field at the end shows the content box scrolled.
bool ShowAt(int points, bool scrollToEnd, const char* fileName) {
  winui::AktFont.Size = points;
  tvn::TDemoDialog dialog;
  winui::TTimer capture(50);
  std::vector<std::string> problems;
  bool saved = false;
  dialog.OnShown = [&] { capture.SetEnabled(true); };
  capture.OnTimer = [&] {
    if (!IsWindowVisible(dialog.Handle())) return;
    capture.SetEnabled(false);
    if (scrollToEnd) dialog.RichEdit1.SetFocus();
    problems = tvn::LayoutProblems(dialog);
    // Other programs may share the display; the screenshot is taken from the screen.
    SetWindowPos(dialog.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(dialog.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    saved = tvn::SaveWindowBitmap(dialog.Handle(), fileName);
    dialog.SetModalResult(winui::mrCancel);
  };
  dialog.ShowModal();
  std::printf("%s: %d points, %s\n", fileName, points, saved ? "saved" : "NOT saved");
  for (const std::string& problem : problems) std::printf("  %s\n", problem.c_str());
  return saved && problems.empty();
}

}  // namespace

int main() {
  tvn::AdjustLocaleNames();
  bool ok = ShowAt(12, false, "winui-demo-12.bmp");
  ok = ShowAt(35, false, "winui-demo-35.bmp") && ok;
  ok = ShowAt(35, true, "winui-demo-35-end.bmp") && ok;
  return ok ? 0 : 1;
}
