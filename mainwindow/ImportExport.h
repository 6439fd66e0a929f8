// The rules of importing and exporting entries that need no window: the questions and
// reports, which file an export may not overwrite, what an export does with an existing
// file, and the writing of the export file itself.
#pragma once

#include <string>
#include <string_view>

#include "data/DatenC.h"

namespace tvn {

inline constexpr std::u16string_view kImportDatumFrage =
    u"Soll das Erstellungsdatum der importierten Daten übernommen oder auf das heutige Datum "
    u"gesetzt werden?\r\nJa=Belassen; Nein=Heutiges Datum; Abbrechen=Keine Aktion";
inline constexpr std::u16string_view kKeineNeuenEintraege =
    u"Es wurden keine neuen Einträge importiert.";
inline constexpr std::u16string_view kGleicherNameText =
    u"Die geöffnete Datei hat denselben Namen wie die zu erstellende!";

// The report after an import: whether entries were added, and the file chosen.
std::u16string ImportBerichtText(bool AAdded, std::u16string_view AFilename);
// "Die Datei "%s" wurde erfolgreich erstellt!"
std::u16string ExportErstelltText(std::u16string_view AFilename);
// An existing text document: overwrite it or not.
std::u16string ExportUeberschreibenFrage(std::u16string_view AFilename);
// An existing audiobook file: merge into it, overwrite it, or nothing.
std::u16string ExportImportierenFrage(std::u16string_view AFilename);

// The export's format follows the file type chosen in the dialog, not the typed extension.
bool ExportAlsText(int AFilterIndex);

enum class TExportFall {
  Schreiben,             // a new file
  UeberschreibenFragen,  // an existing file, written as a text document
  ImportierenFragen,     // an existing file, written in the audiobook format
};
TExportFall ExportFallFuer(bool AExists, int AFilterIndex);

// An export must not replace the file that is open: both absolute paths, letter case
// ignored. AOpenFilename may be a folder (no file open), which no file equals.
bool IstGeoeffneteDatei(const std::u16string& AExportFilename, const std::u16string& AOpenFilename);

enum class TExportErgebnis { Geschrieben, NichtGeoeffnet, NichtGespeichert };

// Writes the marked entries to AFilename. AssignS: the file holds just them; otherwise the
// existing file is loaded and gains those of them it lacks, keeping its own entries, order
// and name. TxtS: the text document instead of the audiobook format. AWritten receives the
// list as written (or as far as it got); its LastError explains a failed save.
TExportErgebnis WriteExportFile(const std::u16string& AFilename, const TDaten& AMarked,
                                bool AssignS, bool TxtS, TDaten& AWritten);

}  // namespace tvn
