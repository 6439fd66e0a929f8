// winui-demo: shows the demonstration dialog at 12 and at 35 points, laid out by the
// shared toolkit, saves a screenshot of each showing as a BMP file in the current folder
// and prints what the layout check finds. Exit code 1 when it finds anything.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "layout/KxDatePicker.h"
#include "layout/demo/DemoDialog.h"
#include "layout/demo/LayoutCheck.h"
#include "winui/Timer.h"

namespace {

bool SaveWindowBitmap(HWND window, const char* fileName) {
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = (w * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(stride) * h);
  const int lines = GetDIBits(memory, bitmap, 0, h, pixels.data(),
                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (lines != h) return false;

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(fileName, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&info), sizeof(info));
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

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
    saved = SaveWindowBitmap(dialog.Handle(), fileName);
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
