#include "mainwindow/ImportExport.h"

#include "data/UndoDaten.h"
#include "mainwindow/WindowCaption.h"
#include "platform/Platform.h"

namespace tvn {

namespace {

std::u16string MitDatei(std::u16string_view before, std::u16string_view AFilename,
                        std::u16string_view after) {
  std::u16string text(before);
  text += AFilename;
  text += after;
  return text;
}

}  // namespace

std::u16string ImportBerichtText(bool AAdded, std::u16string_view AFilename) {
  if (!AAdded) return std::u16string(kKeineNeuenEintraege);
  return MitDatei(u"Die Datei \"", AFilename, u"\" wurde erfolgreich importiert!");
}

std::u16string ExportErstelltText(std::u16string_view AFilename) {
  return MitDatei(u"Die Datei \"", AFilename, u"\" wurde erfolgreich erstellt!");
}

std::u16string ExportUeberschreibenFrage(std::u16string_view AFilename) {
  return MitDatei(u"Die Datei \"", AFilename,
                  u"\" existiert bereits!\r\nSoll die Datei überschrieben werden?\r\n"
                  u"Ja=Überschreiben; Nein=Keine Aktion");
}

std::u16string ExportImportierenFrage(std::u16string_view AFilename) {
  return MitDatei(u"Die Datei \"", AFilename,
                  u"\" existiert bereits!\r\nSollen die Daten in die bestehende Datei "
                  u"importiert werden?\r\nJa=Importieren; Nein=Überschreiben; "
                  u"Abbrechen=Keine Aktion");
}

bool ExportAlsText(int AFilterIndex) {
  return AFilterIndex == 3;
}

TExportFall ExportFallFuer(bool AExists, int AFilterIndex) {
  if (!AExists) return TExportFall::Schreiben;
  return ExportAlsText(AFilterIndex) ? TExportFall::UeberschreibenFragen
                                     : TExportFall::ImportierenFragen;
}

bool IstGeoeffneteDatei(const std::u16string& AExportFilename,
                        const std::u16string& AOpenFilename) {
  if (!HasFileNamePart(AOpenFilename) || !HasFileNamePart(AExportFilename)) return false;
  return SameFileName(platform::AbsolutePath(AExportFilename),
                      platform::AbsolutePath(AOpenFilename));
}

TExportErgebnis WriteExportFile(const std::u16string& AFilename, const TDaten& AMarked,
                                bool AssignS, bool TxtS, TDaten& AWritten) {
  AWritten = TDaten();
  if (AssignS) {
    AWritten.Liste = AMarked.Liste;
  } else {
    if (!AWritten.LoadFromFile(AFilename, false)) return TExportErgebnis::NichtGeoeffnet;
    AWritten.Import(AMarked, true, false);
  }
  if (!AWritten.SaveToFile(AFilename, TxtS)) return TExportErgebnis::NichtGespeichert;
  return TExportErgebnis::Geschrieben;
}

}  // namespace tvn
