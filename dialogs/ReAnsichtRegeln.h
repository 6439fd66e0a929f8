// The rules of the details viewer that need no window: when printing and saving have
// something to work on, what the popup menu offers, page breaks, and what each filter of
// the save dialog writes.
#pragma once

#include <string>
#include <string_view>

#include "dialogs/KxRtfRef.h"
#include "dialogs/TextSave.h"
#include "winui/Appearance.h"

namespace tvn {

inline constexpr char16_t kSeitenumbruch = u'\f';

// A character above U+0020: blank lines alone give nothing to print.
bool HatDruckbarenText(std::u16string_view text);
bool HatSeitenumbruch(std::u16string_view text);
std::u16string OhneSeitenumbrueche(std::u16string_view text);

struct TReAnsichtSchalter {
  bool Drucken = false;
  bool Speichern = false;
};
TReAnsichtSchalter ReAnsichtSchalter(std::u16string_view text);

// What the popup menu looks at in the text field.
struct TReAnsichtFeld {
  std::u16string_view Text;
  int SelLength = 0;
  bool ClipboardHasText = false;
  bool CanUndo = false;
};

// Enabled items of the popup menu, in its order.
struct TReAnsichtMenu {
  bool Seitenumbruch = true;
  bool SeitenumbruchEntfernen = false;
  bool Kopieren = false;
  bool Ausschneiden = false;
  bool Einfuegen = false;
  bool AllesMarkieren = false;
  bool Rueck = false;
  bool Drucken = false;
  bool Speichern = false;
  bool operator==(const TReAnsichtMenu&) const = default;
};
TReAnsichtMenu ReAnsichtMenu(const TReAnsichtFeld& feld);

// The save dialog's filters; filter 1 is RTF, 2 to 4 are text documents.
inline constexpr std::u16string_view kReAnsichtFilter =
    u"Rich Text Format (*.RTF)|*.RTF|Textdokument (*.TXT)|*.TXT|UTF-8-Textdokument "
    u"(*.TXT)|*.TXT|Unicode-Textdokument (*.TXT)|*.TXT|";
std::u16string_view StandardEndung(int filterIndex);
TTextSaveFormat SpeicherFormat(int filterIndex);
// The font an RTF document is written in: the program font's name, size, style and colour.
TRtfSchrift RtfSchrift(const winui::TFont& font);

std::u16string DruckTitel(std::u16string_view caption);

}  // namespace tvn
