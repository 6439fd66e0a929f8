// Tells Windows why this program holds up logging off or shutting down: while a
// TShutdownBlock lives, the shutdown screen shows its reason beside the window's name.
#pragma once

#include <windows.h>

#include <string>

namespace winui {

class TShutdownBlock {
 public:
  TShutdownBlock(HWND window, std::u16string reason);
  ~TShutdownBlock();
  TShutdownBlock(const TShutdownBlock&) = delete;
  TShutdownBlock& operator=(const TShutdownBlock&) = delete;

 private:
  HWND FWindow;
};

// The reason a live TShutdownBlock gives for the window, empty when none does. Kept by the
// program itself: ShutdownBlockReasonQuery is missing in Wine.
std::u16string ShutdownBlockReason(HWND window);

}  // namespace winui
