#include "dialogs/NeuRegeln.h"

#include <algorithm>

#include "layout/LayoutMath.h"
#include "platform/Utf16.h"

namespace tvn {

std::u16string NeuFeldText(std::u16string_view text) {
  return Trim(text);
}

std::u16string NeuInfoText(std::u16string_view text) {
  return TrimRight(text);
}

bool NeuOkErlaubt(std::u16string_view autor, std::u16string_view titel) {
  return !Trim(autor).empty() && !Trim(titel).empty();
}

std::u16string NeuDatumMeldung(std::u16string_view feld) {
  return u"Bitte ein gültiges Datum für \"" + std::u16string(feld) + u"\" eingeben.";
}

namespace {

TNeuPruefErgebnis Refuse(int step, std::u16string message, TNeuFokus focus) {
  return {false, step, std::move(message), focus};
}

bool IsIndexOf(const TDaten& daten, int index) {
  return index >= 0 && index < daten.Count();
}

bool ExistsElsewhere(const TDaten& daten, const TDatenRec& entry, int editIndex) {
  for (int i = 0; i < daten.Count(); ++i)
    if (i != editIndex && TDaten::Ident(daten.Liste[i], entry)) return true;
  return false;
}

}  // namespace

TNeuPruefErgebnis PruefeNeuEintrag(TNeuEingabe& eingabe, const TDaten* daten, int editIndex) {
  if (eingabe.ErhaltenAngekreuzt() && !eingabe.ErhaltenGueltig())
    return Refuse(1, NeuDatumMeldung(u"Erhalten"), TNeuFokus::Erhalten);
  if (eingabe.RetourAngekreuzt() && !eingabe.RetourGueltig())
    return Refuse(2, NeuDatumMeldung(u"Retourniert"), TNeuFokus::Retour);
  if (!eingabe.ErstelltGueltig())
    return Refuse(3, NeuDatumMeldung(u"Erstellt"), TNeuFokus::Erstellt);

  const TDatenRec entry = eingabe.Eintrag();
  if (entry.Autor.empty() || entry.Titel.empty())
    return Refuse(4, u"Bitte Autor und Titel eingeben.",
                  entry.Autor.empty() ? TNeuFokus::Autor : TNeuFokus::Titel);

  if (daten && IsIndexOf(*daten, editIndex) && TDaten::Ident(entry, daten->Liste[editIndex]))
    return {true, 5, {}, TNeuFokus::Keiner};

  if (entry.ErhaltenS && entry.RetourS && entry.ErhaltenDatum > entry.RetourDatum)
    return Refuse(6, u"Das Retourdatum darf nicht vor dem Erhaltungsdatum liegen.",
                  TNeuFokus::Retour);

  if (daten && ExistsElsewhere(*daten, entry, editIndex))
    return Refuse(7, u"Ein solcher Eintrag existiert bereits!", TNeuFokus::AutorMarkiert);
  return {};
}

TNeuSpalten NeuSpalten(int contentWidth, int scrollBarWidth, int katalogW, int dateW) {
  TNeuSpalten s;
  s.Avail = std::max(contentWidth - scrollBarWidth - kLayoutGap, 1);
  const int w = std::max(katalogW, dateW);
  s.Cols = 2 * w + kLayoutGap <= s.Avail ? 2 : 1;
  s.ColW = std::max((s.Avail - (s.Cols - 1) * kLayoutGap) / s.Cols, dateW);
  return s;
}

}  // namespace tvn
