// The rules of the file commands that need no window: the four file dialogs, the default
// extension that follows the chosen file type, the error texts, the question about
// unsaved changes and the enabling of the file menu.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/DatenC.h"

namespace tvn {

// "|" separates the description and the pattern of each entry; indexes count from 1.
inline constexpr std::u16string_view kFilterOeffnen =
    u"Hörbuchdateien (*.TVD)|*.TVD|Importdateien (*.TVI)|*.TVI|"
    u"Alle Hörbuchdateien (*.TVD; *.TVI)|*.TVD;*.TVI|Alle Dateien (*.*)|*.*";
inline constexpr std::u16string_view kFilterSpeichern =
    u"Hörbuchdateien (*.TVD)|*.TVD|Importdateien (*.TVI)|*.TVI";
inline constexpr std::u16string_view kFilterExport =
    u"Hörbuchdateien (*.TVD)|*.TVD|Importdateien (*.TVI)|*.TVI|"
    u"Textdokument (Tabstopp-getrennt) (*.TXT)|*.TXT";

struct TFileDialogSetup {
  std::u16string_view Title;
  std::u16string_view DefaultExt;
  std::u16string_view Filter;
  int FilterIndex;  // at the first showing; afterwards the dialog keeps the user's choice
  // Save dialogs: the path must exist and no read-only file may be chosen. Open dialogs:
  // path and file must exist. Neither shows a read-only check box; all are resizable.
  bool SaveDialog;
  bool OverwritePrompt;
};

inline constexpr TFileDialogSetup kOpenDialog1{
    u"Hörbuchdatei öffnen", u"TVD", kFilterOeffnen, 1, false, false};
inline constexpr TFileDialogSetup kSaveDialog1{
    u"Hörbuchdatei speichern unter", u"TVD", kFilterSpeichern, 1, true, true};
inline constexpr TFileDialogSetup kOpenDialog2{
    u"Importdatei öffnen", u"TVI", kFilterOeffnen, 2, false, false};
// Export asks about an existing file itself (it may merge into it).
inline constexpr TFileDialogSetup kSaveDialog2{
    u"Exportdatei speichern unter", u"TVI", kFilterExport, 2, true, false};

// Extension appended to a name typed without one in a save dialog, by its current filter
// index: "TVI" for 2, "TXT" for 3, "TVD" for any other.
std::u16string_view DefaultExtensionForFilter(int filterIndex);

struct TFilterEntry {
  std::u16string Description;
  std::u16string Pattern;
  bool operator==(const TFilterEntry&) const = default;
};
// The description/pattern pairs of a filter text; a trailing description without a
// pattern is dropped.
std::vector<TFilterEntry> SplitFilter(std::u16string_view filter);

// "Die Datei "<path>" konnte nicht geöffnet werden!"
std::u16string OeffnenFehlerText(std::u16string_view path);
// "Die Datei "<path>" konnte nicht gespeichert werden!" CR LF <last error>
std::u16string SpeichernFehlerText(std::u16string_view path, std::u16string_view lastError);

inline constexpr std::u16string_view kAenderungenFrage =
    u"Sollen die vorgenommenen Änderungen gespeichert werden?";

// What the shutdown screen of Windows shows while that question holds the session up.
inline constexpr std::u16string_view kEndSessionGrund =
    u"Ungespeicherte Änderungen in der Hörbuchliste";

// Unsaved changes: the list differs from the list as last loaded or saved.
bool HatAenderungen(const TDaten& Daten, const TDaten& SaveDaten);
// A list without a file asks for a name when it is saved.
bool SpeichernUnterNoetig(const std::u16string& FFilename);

enum class TAntwort { Ja, Nein, Abbrechen };

// The question before a step that would drop the list (open, close, exit). Asks only when
// there are unsaved changes; Yes saves (asking for a name when there is no file). True
// means go on: no changes, No, or Yes with a successful save.
bool AenderungenPruefen(bool hatAenderungen, const std::u16string& FFilename,
                        const std::function<TAntwort()>& frage,
                        const std::function<bool(bool SpeichernUnterS)>& speichern);

// "S&chließen" is enabled when there is a file or at least one entry to close.
bool SchliessenEnabled(const std::u16string& FFilename, int entryCount);

}  // namespace tvn
