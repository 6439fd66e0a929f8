#include "dialogs/ReAnsichtRegeln.h"

#include <algorithm>

namespace tvn {

bool HatDruckbarenText(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c > u' '; });
}

bool HatSeitenumbruch(std::u16string_view text) {
  return text.find(kSeitenumbruch) != std::u16string_view::npos;
}

std::u16string OhneSeitenumbrueche(std::u16string_view text) {
  std::u16string out(text);
  std::erase(out, kSeitenumbruch);
  return out;
}

TReAnsichtSchalter ReAnsichtSchalter(std::u16string_view text) {
  return {HatDruckbarenText(text), !text.empty()};
}

TReAnsichtMenu ReAnsichtMenu(const TReAnsichtFeld& feld) {
  const TReAnsichtSchalter schalter = ReAnsichtSchalter(feld.Text);
  TReAnsichtMenu menu;
  menu.Seitenumbruch = true;
  menu.SeitenumbruchEntfernen = HatSeitenumbruch(feld.Text);
  menu.Kopieren = feld.SelLength > 0;
  menu.Ausschneiden = feld.SelLength > 0;
  menu.Einfuegen = feld.ClipboardHasText;
  menu.AllesMarkieren = !feld.Text.empty();
  menu.Rueck = feld.CanUndo;
  menu.Drucken = schalter.Drucken;
  menu.Speichern = schalter.Speichern;
  return menu;
}

std::u16string_view StandardEndung(int filterIndex) {
  return filterIndex == 1 ? u"RTF" : u"TXT";
}

TTextSaveFormat SpeicherFormat(int filterIndex) {
  switch (filterIndex) {
    case 1:
      return tsfRtf;
    case 3:
      return tsfUtf8;
    case 4:
      return tsfUnicode;
    default:
      return tsfAnsi;
  }
}

TRtfSchrift RtfSchrift(const winui::TFont& font) {
  return TRtfSchrift{font.Name, font.Size, font.Bold, font.Color};
}

std::u16string DruckTitel(std::u16string_view caption) {
  return u"Drucke " + std::u16string(caption);
}

}  // namespace tvn
