// The rules of the entry editor that need no window: how field texts become entry
// fields, when "O&K" may be pressed, the checks run when the dialog closes with OK, and
// how many columns its fields get.
#pragma once

#include <string>
#include <string_view>

#include "data/DatenC.h"

namespace tvn {

// Author, title, catalogue number and source lose blanks and control characters at both
// ends; the info text only at its end (trailing empty lines go, leading indentation stays).
std::u16string NeuFeldText(std::u16string_view text);
std::u16string NeuInfoText(std::u16string_view text);

// "O&K" is enabled exactly when author and title, trimmed, are both non-empty.
bool NeuOkErlaubt(std::u16string_view autor, std::u16string_view titel);

// What a close check asks of the dialog, in the order the checks need it. Date validity
// is asked only where a check needs it, since checking a date field repairs its text.
class TNeuEingabe {
 public:
  virtual ~TNeuEingabe() = default;
  virtual bool ErhaltenAngekreuzt() = 0;
  virtual bool ErhaltenGueltig() = 0;
  virtual bool RetourAngekreuzt() = 0;
  virtual bool RetourGueltig() = 0;
  virtual bool ErstelltGueltig() = 0;
  virtual TDatenRec Eintrag() = 0;
};

// Where the focus goes after a refused close.
enum class TNeuFokus { Keiner, Erhalten, Retour, Erstellt, Autor, Titel, AutorMarkiert };

struct TNeuPruefErgebnis {
  bool Schliessen = true;
  int Schritt = 0;  // the check that decided (1 to 7; 0: all passed)
  std::u16string Meldung;
  TNeuFokus Fokus = TNeuFokus::Keiner;
};

// "Bitte ein gültiges Datum für "Erhalten" eingeben." and the like.
std::u16string NeuDatumMeldung(std::u16string_view feld);

// The seven checks of closing with OK, in order; the first that fails decides. daten
// may be null (nothing to compare with); editIndex outside the list edits nothing.
TNeuPruefErgebnis PruefeNeuEintrag(TNeuEingabe& eingabe, const TDaten* daten, int editIndex);

// The column decision of the layout: the room beside the vertical scroll bar, one or
// two columns and their width.
struct TNeuSpalten {
  int Avail = 1;
  int Cols = 1;
  int ColW = 0;
};
TNeuSpalten NeuSpalten(int contentWidth, int scrollBarWidth, int katalogW, int dateW);

}  // namespace tvn
