// Prints a plain text as one job on a printer: the text in the given font (in black, so
// that light text colours chosen for the screen stay readable on paper), wrapped to the
// page inside margins, a form feed starting a new page.
#pragma once

#include <windows.h>

#include <string>

#include "winui/Appearance.h"

namespace tvn {

// printerDC: from the print dialog; the caller keeps it. false with the reason in error
// when the job could not be printed (nothing is left in the queue then).
bool PrintText(HDC printerDC, const std::u16string& jobTitle, const std::u16string& text,
               const winui::TFont& font, std::u16string& error);

}  // namespace tvn
