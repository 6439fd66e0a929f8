// The two texts of the main window's status line, composed from plain values so that
// they can be checked without a window: position and marking on the left, key hints on
// the right, and the arithmetic that sizes both panels.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tvn {

// Decimal text with "." between groups of three digits, whatever the regional settings.
std::u16string GroupThousands(long long n);

// Left panel. position: 1-based focused row, 0 or less when none is focused.
std::u16string StatusZeileText(int position, int count, int marked);

// A menu shortcut: Key is a Windows virtual-key code ('A'..'Z', '0'..'9', F1 = 0x70 ...).
enum TShortCutModifier : unsigned { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };
struct TShortCut {
  unsigned short Key = 0;
  unsigned Modifiers = 0;
};
inline constexpr unsigned short kKeyDelete = 0x2E;
inline constexpr unsigned short kKeyF1 = 0x70;

// German display text of a shortcut, e.g. "Strg+O", "Umsch+F3", "Entf"; empty for none.
std::u16string ShortCutText(TShortCut shortCut);

// Appends "<shortcut>=<label>", separated from earlier hints by "; ".
void HinweisAnfuegen(std::u16string& text, TShortCut shortCut, std::u16string_view label);

// The shortcuts of the menu items that the hints name; defaults as in the menus.
struct THinweisKeys {
  TShortCut Neu{'N', kCtrlKey};
  TShortCut Oeffnen{'O', kCtrlKey};
  TShortCut Bearbeiten{'B', kCtrlKey};
  TShortCut Loeschen{kKeyDelete, 0};
};

// Right panel. itemIndex: 0-based focused row, -1 when none.
std::u16string HinweiseText(int marked, int itemIndex, const THinweisKeys& keys = {});

struct TStatusZeileMasse {
  int Panel0Width = 1;
  int Panel1Width = 1;
  int Height = 1;
};

// Panel widths and status-line height for a client area of clientWidth x clientHeight.
// panel0TextWidth: padded width of the left text followed by "MM" in the program font;
// fontControlHeight: the control height for that font; measureTextHeight(panel, boxWidth):
// height of the panel's text wrapped into a box of that width.
TStatusZeileMasse StatusZeileMasse(
    int clientWidth, int clientHeight, int panel0TextWidth, int fontControlHeight,
    const std::function<int(int panel, int boxWidth)>& measureTextHeight);

}  // namespace tvn
