#include "winui/ShutdownBlock.h"

#include <map>

#include "winui/Win32Util.h"

namespace winui {
namespace {

std::map<HWND, std::u16string>& Reasons() {
  static std::map<HWND, std::u16string> reasons;
  return reasons;
}

}  // namespace

TShutdownBlock::TShutdownBlock(HWND window, std::u16string reason) : FWindow(window) {
  // Wine has no shutdown screen and refuses; Windows then shows the window without reason.
  ShutdownBlockReasonCreate(FWindow, W(reason));
  Reasons()[FWindow] = std::move(reason);
}

TShutdownBlock::~TShutdownBlock() {
  ShutdownBlockReasonDestroy(FWindow);
  Reasons().erase(FWindow);
}

std::u16string ShutdownBlockReason(HWND window) {
  const auto it = Reasons().find(window);
  return it != Reasons().end() ? it->second : std::u16string();
}

}  // namespace winui
