// Fonts and brushes for the program's appearance. Handles are cached for the whole run
// (a user changes the font a few times at most), so a control may keep using the handle
// it was given without the owner tracking its lifetime.
#pragma once

#include <windows.h>

#include "winui/Appearance.h"

namespace winui {

class TControl;

// HFONT of a font description at the screen resolution.
HFONT FontHandle(const TFont& font);
// The system's message font (the default of every control that got no font).
const TFont& SystemMessageFont();
// The system's icon-title font, the fallback when no font is given for measuring.
const TFont& IconTitleFont();
HBRUSH SolidBrush(TColor color);
// The colour Windows uses for a system colour index (COLOR_BTNFACE ...).
TColor SystemColor(int index);

// Gives a control the program's look: AktFont and AktBackColor. Push buttons take the
// font only; they keep the system's button colours.
void ApplyAktAppearance(TControl& control);
// The same for a control and all the controls inside it (a form: every control on it).
void ApplyAktAppearanceTree(TControl& root);

}  // namespace winui
