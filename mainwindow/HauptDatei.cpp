// TForm1: the file commands, the recent files of the file menu and the undo command.
#include <optional>

#include "mainwindow/FileCommands.h"
#include "mainwindow/Haupt.h"
#include "mainwindow/WindowCaption.h"
#include "platform/Utf16.h"

namespace tvn {

namespace {

void SetupFileDialog(winui::TFileDialog& dialog, const TFileDialogSetup& setup) {
  dialog.Save = setup.SaveDialog;
  dialog.Title = std::u16string(setup.Title);
  dialog.DefaultExt = std::u16string(setup.DefaultExt);
  dialog.Filter = std::u16string(setup.Filter);
  dialog.FilterIndex = setup.FilterIndex;
  dialog.OverwritePrompt = setup.OverwritePrompt;
  dialog.FileMustExist = !setup.SaveDialog;
  dialog.PathMustExist = true;
  dialog.NoReadOnlyReturn = setup.SaveDialog;
  dialog.HideReadOnly = true;
  dialog.EnableSizing = true;
  if (setup.SaveDialog) {
    // A name typed without extension gets the one of the chosen file type.
    dialog.OnTypeChange = [](winui::TFileDialog& d) {
      d.DefaultExt = std::u16string(DefaultExtensionForFilter(d.FilterIndex));
    };
  }
}

}  // namespace

void TForm1::SetupFileDialogs() {
  SetupFileDialog(OpenDialog1, kOpenDialog1);
  SetupFileDialog(SaveDialog1, kSaveDialog1);
  SetupFileDialog(OpenDialog2, kOpenDialog2);
  SetupFileDialog(SaveDialog2, kSaveDialog2);
}

bool TForm1::HatAenderungen() const {
  return !FSaveStand.GleichListe(Daten);
}

const TDaten& TForm1::SaveDaten() {
  FSaveDaten.Liste = Daten.Liste;
  TEintragBilanz back;
  back.Zaehle(FSaveStand.Bilanz, -1);
  back.AufListeAnwenden(FSaveDaten.Liste);
  FSaveDaten.HbName = FSaveStand.HbName;
  FSaveDaten.Sort(FSortNr, FSortAufS);
  return FSaveDaten;
}

void TForm1::SaveDatenIstDaten() {
  FSaveStand = TSaveStand{{}, Daten.HbName};
  FSaveDaten.Clear();
}

bool TForm1::AenderungenPruefen() {
  return tvn::AenderungenPruefen(
      HatAenderungen(), FFilename,
      [] {
        switch (winui::MessageDlg(std::u16string(kAenderungenFrage), winui::TMsgKind::Confirmation,
                                  winui::mbYes | winui::mbNo | winui::mbCancel)) {
          case winui::mrYes:
            return TAntwort::Ja;
          case winui::mrNo:
            return TAntwort::Nein;
          default:
            return TAntwort::Abbrechen;
        }
      },
      [this](bool SpeichernUnterS) { return Speichern(SpeichernUnterS); });
}

bool TForm1::Oeffne(const std::u16string& AFilename) {
  if (!AenderungenPruefen()) return true;  // cancelled: nothing to report
  if (AFilename.empty() || !platform::FileExists(AFilename)) return false;
  TDaten loaded;
  if (!loaded.LoadFromFile(AFilename, false)) return false;
  SetUndoDatenVorErsetzen();
  UndoDaten.UpdateSavedState(AFilename, &loaded);
  SetFilename(AFilename);
  {
    const TOhneProtokoll replaced(Daten);
    Daten = std::move(loaded);
  }
  Daten.Sort(FSortNr, FSortAufS);
  SaveDatenIstDaten();
  SetLvDaten(0);
  return true;
}

bool TForm1::Lade(const std::u16string& AFilename) {
  if (AFilename.empty() || !platform::DirectoryExists(ExtractFilePath(AFilename))) return false;
  if (!platform::FileExists(AFilename)) {
    SetFilename(ExtractFilePath(AFilename));
    return true;
  }
  // Loaded aside, so that a failure leaves the list empty rather than half filled.
  TDaten loaded;
  if (loaded.LoadFromFile(AFilename, true)) {
    SetFilename(AFilename);
    {
      const TOhneProtokoll replaced(Daten);
      Daten = std::move(loaded);
    }
    Daten.Sort(FSortNr, FSortAufS);
    SaveDatenIstDaten();
  } else {
    SetFilename(ExtractFilePath(AFilename));
  }
  return true;
}

bool TForm1::Speichern(bool SpeichernUnterS) {
  std::u16string target = FFilename;
  if (SpeichernUnterS) {
    SaveDialog1.InitialDir = ExtractFilePath(FFilename);
    SaveDialog1.FileName = platform::ExtractFileName(FFilename);
    SaveDialog1.DefaultExt = std::u16string(DefaultExtensionForFilter(SaveDialog1.FilterIndex));
    MerkActiveControl = ActiveControl();
    const bool chosen = SaveDialog1.Execute();
    SetActiveControl();
    if (!chosen) return false;
    target = SaveDialog1.FileName;
  }
  if (!Daten.SaveToFile(target, false)) {
    winui::MessageDlg(SpeichernFehlerText(target, Daten.LastError()), winui::TMsgKind::Error,
                      winui::mbOK);
    return false;
  }
  SetFilename(target);
  SaveDatenIstDaten();
  UndoDaten.UpdateSavedState(target, &Daten);
  return true;
}

void TForm1::MenuDateiOeffnenClick() {
  FocusList();
  OpenDialog1.InitialDir = ExtractFilePath(FFilename);
  OpenDialog1.FileName.clear();
  MerkActiveControl = ActiveControl();
  if (OpenDialog1.Execute()) {
    const std::u16string file = OpenDialog1.FileName;
    if (!Oeffne(file)) {
      winui::MessageDlg(OeffnenFehlerText(file), winui::TMsgKind::Error, winui::mbOK);
    }
  }
  SetActiveControl();
}

void TForm1::MenuDateiSpeichernClick() {
  Speichern(SpeichernUnterNoetig(FFilename));
}

void TForm1::MenuDateiSpeichernUnterClick() {
  Speichern(true);
}

void TForm1::MenuDateiCloseClick() {
  FocusList();
  if (!AenderungenPruefen()) return;
  SetUndoDatenVorErsetzen();
  SetFilename(ExtractFilePath(FFilename));
  SetLvDaten(0);
  // The next start must not reopen the closed file.
  EinstellungenLadenSpeichern(false);
}

void TForm1::MenuDateiClick() {
  MenuDateiSpeichern.SetEnabled(HatAenderungen());
  MenuDateiClose.SetEnabled(SchliessenEnabled(FFilename, Daten.Count()));
  SetHistoryMenuList();
}

// ---- recent files ----

void TForm1::HistoryItemsEntfernen() {
  for (auto it = FHistoryItems.rbegin(); it != FHistoryItems.rend(); ++it) {
    MenuDatei.Remove(**it);
    // The item whose click runs now must outlive its handler.
    if (FHistoryClickDepth > 0) FRetiredHistoryItems.push_back(std::move(*it));
  }
  FHistoryItems.clear();
}

void TForm1::SetHistoryMenuList() {
  if (FHistoryClickDepth == 0) FRetiredHistoryItems.clear();
  HistoryItemsEntfernen();
  if (HistoryMenuList.Count() == 0) return;
  auto insertBeforeBeenden = [this](std::unique_ptr<winui::TMenuItem> item) {
    int position = 0;
    while (position < MenuDatei.Count() && &MenuDatei[position] != &MenuDateiBeenden) ++position;
    MenuDatei.Insert(position, *item);
    FHistoryItems.push_back(std::move(item));
  };
  for (int i = 0; i < HistoryMenuList.Count(); ++i) {
    auto item = std::make_unique<winui::TMenuItem>(HistoryMenuList.GetMenuCaption(i));
    item->Tag = i;
    item->OnClick = [this, i] { HistoryItemClick(i); };
    insertBeforeBeenden(std::move(item));
  }
  insertBeforeBeenden(std::make_unique<winui::TMenuItem>(u"-"));
}

void TForm1::HistoryItemClick(int AIndex) {
  if (AIndex < 0 || AIndex >= HistoryMenuList.Count()) return;
  ++FHistoryClickDepth;
  const std::u16string name = HistoryMenuList.Strings(AIndex);
  if (!Oeffne(name)) {
    winui::MessageDlg(OeffnenFehlerText(name), winui::TMsgKind::Error, winui::mbOK);
    HistoryMenuList.RemoveIgnoringCase(name);
    SetHistoryMenuList();
  }
  --FHistoryClickDepth;
}

// ---- undo ----

void TForm1::SetUndoDaten() {
  UndoDaten.AddAenderung(FFilename, ItemIndex(), MarkierunginDaten(), FSaveStand);
}

void TForm1::SetUndoDaten(const std::vector<int>& AMarkierteZeilen) {
  UndoDaten.AddAenderung(FFilename, ItemIndex(), MarkierunginDaten(AMarkierteZeilen), FSaveStand);
}

void TForm1::SetUndoDatenVorErsetzen() {
  TDaten marked = MarkierunginDaten();
  const int focused = ItemIndex();
  const std::u16string name = Daten.HbName;
  TListe old;
  {
    const TOhneProtokoll replaced(Daten);
    old = std::move(Daten.Liste);
    Daten.Clear();
  }
  UndoDaten.AddGanz(FFilename, focused, std::move(marked), std::move(old), name,
                    std::move(FSaveStand));
  SaveDatenIstDaten();
}

void TForm1::MenuAktZurueckClick() {
  const int count = UndoDaten.Count();
  if (count == 0) return;
  FocusList();
  const std::u16string question =
      u"Soll die Änderung " + IntToText(count) + u" zurückgesetzt werden?";
  if (winui::MessageDlg(question, winui::TMsgKind::Confirmation, winui::mbYes | winui::mbNo) !=
      winui::mrYes) {
    return;
  }
  TUndoDatenRec& step = UndoDaten.Liste.back();
  const std::optional<TDatenRec> focused = step.Fokus;
  SetFilename(step.Filename);
  // The list and its saved state, sorted as shown now (the order may have been changed
  // since the step was taken).
  UndoDaten.ListeZuruecksetzen(FSortNr, FSortAufS);
  FSaveDaten.Clear();
  SetLvDaten(-1);
  MarkiereDaten(step.MarkDaten);
  if (focused) {
    const int row = ZeileVon(*focused);
    if (row >= 0) {
      ListView1.SetItemFocused(row);
      ListView1.MakeVisible(row);
    }
  }
  UndoDaten.Delete(UndoDaten.Count() - 1);
  Timer0Timer();
}

}  // namespace tvn
