// TForm1: importing a file into the list and exporting the marked entries.
#include "mainwindow/FileCommands.h"
#include "mainwindow/Haupt.h"
#include "mainwindow/ImportExport.h"
#include "platform/Platform.h"
#include "winui/Prompt.h"

namespace tvn {

void TForm1::MenuDateiImportClick() {
  FocusList();
  OpenDialog2.FileName.clear();
  if (!OpenDialog2.Execute()) {
    FocusList();
    return;
  }
  const std::u16string file = OpenDialog2.FileName;
  TDaten loaded;
  if (!loaded.LoadFromFile(file, true)) {  // the load has shown what went wrong
    FocusList();
    return;
  }
  switch (winui::MessageDlg(std::u16string(kImportDatumFrage), winui::TMsgKind::Confirmation,
                            winui::mbYes | winui::mbNo | winui::mbCancel)) {
    case winui::mrYes:
      break;
    case winui::mrNo: {
      const TDateTime heute = platform::Today();
      for (TDatenRec& rec : loaded.Liste) rec.ErstelltDatum = heute;
      break;
    }
    default:
      FocusList();
      return;
  }
  const TListe neue = Daten.ImportNeue(loaded, true, false);
  const bool added = !neue.empty();
  if (added) {
    SetUndoDaten();
    EintraegeEinfuegen(neue);
    SetLvDaten(-1);
  }
  // The imported entries and those that were there already.
  MarkiereDaten(loaded);
  winui::MessageDlg(ImportBerichtText(added, file), winui::TMsgKind::Information, winui::mbOK);
  FocusList();
}

void TForm1::MenuAktExportClick() {
  if (ListView1.SelCount() == 0) return;
  FocusList();
  SaveDialog2.FileName.clear();
  SaveDialog2.DefaultExt = std::u16string(DefaultExtensionForFilter(SaveDialog2.FilterIndex));
  if (!SaveDialog2.Execute()) {
    FocusList();
    return;
  }
  const std::u16string file = SaveDialog2.FileName;
  if (IstGeoeffneteDatei(file, FFilename)) {
    winui::MessageDlg(std::u16string(kGleicherNameText), winui::TMsgKind::Information, winui::mbOK);
    FocusList();
    return;
  }
  const TDaten marked = MarkierunginDaten();
  const int filter = SaveDialog2.FilterIndex;
  switch (ExportFallFuer(platform::FileExists(file), filter)) {
    case TExportFall::Schreiben:
      WriteExportFile(file, marked, true, ExportAlsText(filter));
      break;
    case TExportFall::UeberschreibenFragen:
      if (winui::MessageDlg(ExportUeberschreibenFrage(file), winui::TMsgKind::Confirmation,
                            winui::mbYes | winui::mbNo) == winui::mrYes) {
        WriteExportFile(file, marked, true, true);
      }
      break;
    case TExportFall::ImportierenFragen:
      switch (winui::MessageDlg(ExportImportierenFrage(file), winui::TMsgKind::Confirmation,
                                winui::mbYes | winui::mbNo | winui::mbCancel)) {
        case winui::mrYes:
          WriteExportFile(file, marked, false, false);
          break;
        case winui::mrNo:
          WriteExportFile(file, marked, true, false);
          break;
        default:
          break;
      }
      break;
  }
  FocusList();
}

void TForm1::WriteExportFile(const std::u16string& AFilename, const TDaten& AMarked, bool AssignS,
                             bool TxtS) {
  TDaten written;
  switch (tvn::WriteExportFile(AFilename, AMarked, AssignS, TxtS, written)) {
    case TExportErgebnis::Geschrieben:
      // Undo steps of that file compare against what is on disk now.
      if (!TxtS) UndoDaten.UpdateSavedState(AFilename, &written);
      winui::MessageDlg(ExportErstelltText(AFilename), winui::TMsgKind::Information, winui::mbOK);
      break;
    case TExportErgebnis::NichtGeoeffnet:
      winui::MessageDlg(OeffnenFehlerText(AFilename), winui::TMsgKind::Error, winui::mbOK);
      break;
    case TExportErgebnis::NichtGespeichert:
      winui::MessageDlg(SpeichernFehlerText(AFilename, written.LastError()), winui::TMsgKind::Error,
                        winui::mbOK);
      break;
  }
}

}  // namespace tvn
