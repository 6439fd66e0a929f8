// Menu shortcut keys: a virtual-key code with Shift, Ctrl and Alt.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace winui {

enum TShiftFlag : unsigned { ssShift = 1, ssCtrl = 2, ssAlt = 4 };
using TShiftState = unsigned;

struct TShortCut {
  std::uint16_t Key = 0;  // Windows virtual-key code; 0 = no shortcut
  TShiftState Modifiers = 0;
  bool operator==(const TShortCut&) const = default;
  explicit operator bool() const { return Key != 0; }
};

// Display text of a shortcut in menus ("Strg+N"). The program installs its own German
// formatter; without one, menus show no shortcut text.
using TShortCutFormatter = std::function<std::u16string(TShortCut)>;
void SetShortCutFormatter(TShortCutFormatter formatter);
std::u16string FormatShortCut(TShortCut shortCut);

}  // namespace winui
