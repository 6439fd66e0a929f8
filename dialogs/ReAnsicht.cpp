#include "dialogs/ReAnsicht.h"

#include <richedit.h>

#include "dialogs/ReAnsichtRegeln.h"
#include "dialogs/TextPrinter.h"
#include "dialogs/TextSave.h"
#include "screenreader/ScreenReaderOutput.h"
#include "winui/FontCache.h"

namespace tvn {

namespace {

// The field holds whole lists of entries: no limit but the control's own.
constexpr int kUnbegrenzt = 2147483647;

bool ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
}

}  // namespace

TReAnsichtForm::TReAnsichtForm(winui::TCustomForm* AOwner) : winui::TDialogForm(AOwner) {}

TReAnsichtForm::~TReAnsichtForm() {
  // The windows go before the controls and menu items they belong to.
  DestroyHandle();
}

void TReAnsichtForm::FormCreate() {
  CaptionZuweisen();
  SetStandardData();
}

void TReAnsichtForm::CaptionZuweisen() {
  Button1.SetText(u"&Drucken");
  Button2.SetText(u"&Speichern");
  Button3.SetText(u"S&chließen");
  PuSeitenumbruch.SetCaption(u"&Seitenumbruch einfügen");
  PuSeitenumbruchEntfernen.SetCaption(u"Seitenumbrüche &entfernen...");
  PuKopieren.SetCaption(u"&Kopieren");
  PuAusschneiden.SetCaption(u"&Ausschneiden");
  PuEinfuegen.SetCaption(u"E&infügen");
  PuAllesMarkieren.SetCaption(u"Alles &markieren");
  PuRueck.SetCaption(u"&Rückgängig");
  PuDrucken.SetCaption(u"&Drucken...");
  PuSpeichern.SetCaption(u"Speichern &unter...");
}

void TReAnsichtForm::SetStandardData() {
  RichEdit1.SetMaxLength(kUnbegrenzt);
  // Tabbing back from the buttons must not select the whole text: one key would replace it.
  RichEdit1.AutoSelect = false;
  RichEdit1.PopupMenu = &PopupMenu1;
  RichEdit1.OnChange = [this] { RichEdit1Change(); };
  RichEdit1.OnEnter = [this] { RichEdit1Enter(); };
  // No label stands before the field: screen readers reading the window get its name here.
  RichEdit1.SetAccessibleName(u"Detailtext:");

  Button1.SetDefault(true);
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { PuSpeichernClick(); };
  Button3.SetCancel(true);
  Button3.ModalResult = winui::mrCancel;

  using winui::ssCtrl;
  PuSeitenumbruch.SetShortCut({'S', ssCtrl});
  PuKopieren.SetShortCut({'C', ssCtrl});
  PuAusschneiden.SetShortCut({'X', ssCtrl});
  PuEinfuegen.SetShortCut({'V', ssCtrl});
  PuAllesMarkieren.SetShortCut({'A', ssCtrl});
  PuRueck.SetShortCut({'Z', ssCtrl});
  PuDrucken.SetShortCut({'P', ssCtrl});
  PuSpeichern.SetShortCut({'U', ssCtrl});
  for (winui::TMenuItem* item :
       {&PuSeitenumbruch, &PuSeitenumbruchEntfernen, &PuKopieren, &PuAusschneiden, &PuEinfuegen,
        &PuAllesMarkieren, &PuRueck, &PuDrucken, &PuSpeichern})
    PopupMenu1.Items.Add(*item);
  PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
  PuSeitenumbruch.OnClick = [this] { PuSeitenumbruchClick(); };
  PuSeitenumbruchEntfernen.OnClick = [this] { PuSeitenumbruchEntfernenClick(); };
  PuKopieren.OnClick = [this] { RichEdit1.CopyToClipboard(); };
  PuAusschneiden.OnClick = [this] { RichEdit1.CutToClipboard(); };
  PuEinfuegen.OnClick = [this] { RichEdit1.PasteFromClipboard(); };
  PuAllesMarkieren.OnClick = [this] { RichEdit1.SelectAll(); };
  PuRueck.OnClick = [this] { RichEdit1.Undo(); };
  PuDrucken.OnClick = [this] { Button1Click(); };
  PuSpeichern.OnClick = [this] { PuSpeichernClick(); };

  SaveDialog1.Save = true;
  SaveDialog1.Filter = std::u16string(kReAnsichtFilter);
  SaveDialog1.FilterIndex = 1;
  SaveDialog1.DefaultExt = std::u16string(StandardEndung(1));
  SaveDialog1.OverwritePrompt = true;
  SaveDialog1.NoReadOnlyReturn = true;
  SaveDialog1.PathMustExist = true;
  SaveDialog1.EnableSizing = true;
  SaveDialog1.OnTypeChange = [this](winui::TFileDialog& dialog) { SaveDialog1TypeChange(dialog); };
}

void TReAnsichtForm::ShowDetails(const std::u16string& ACaption, const std::u16string& AText) {
  SetText(ACaption);
  FDetailText = AText;
  FDetailsPending = true;
  ShowModal();
  FDetailText.clear();
  FDetailsPending = false;
}

void TReAnsichtForm::FormShow() {
  SchriftartZuweisen();
  if (FDetailsPending) {
    // The field is in plain-text mode from its creation on.
    RichEdit1.SetText(FDetailText);
    FDetailText.clear();
    FDetailsPending = false;
  }
  RichEdit1Change();
  RichEdit1.SetSelection(0, 0);
  RichEdit1.ClearUndo();
  SendMessageW(RichEdit1.Handle(), EM_SETMODIFY, FALSE, 0);
  RichEdit1.SetFocus();
}

void TReAnsichtForm::FormClose() {
  MerkActiveControl = nullptr;
}

void TReAnsichtForm::SchriftartZuweisen() {
  winui::ApplyAktAppearanceTree(*this);
  SchalterEinrichten();
}

void TReAnsichtForm::SchalterEinrichten() {
  SetupDialogLayout(*this, FContent, FButtonArea, Buttons(), 0, 0);
  RichEdit1.SetBounds(0, 0, FContent->Width(), FContent->Height());
}

void TReAnsichtForm::RichEdit1Change() {
  const TReAnsichtSchalter schalter = ReAnsichtSchalter(RichEdit1.Text());
  Button1.SetEnabled(schalter.Drucken);
  Button2.SetEnabled(schalter.Speichern);
}

void TReAnsichtForm::RichEdit1Enter() {
  OutputLabel(u"Detailtext:");
}

TReAnsichtMenu TReAnsichtForm::MenuState() const {
  const std::u16string text = RichEdit1.Text();
  return ReAnsichtMenu({text, RichEdit1.SelLength(), ClipboardHasText(), RichEdit1.CanUndo()});
}

void TReAnsichtForm::ApplyMenuState(const TReAnsichtMenu& menu, bool withoutShortCut) {
  if (withoutShortCut) PuSeitenumbruchEntfernen.SetEnabled(menu.SeitenumbruchEntfernen);
  PuSeitenumbruch.SetEnabled(menu.Seitenumbruch);
  PuKopieren.SetEnabled(menu.Kopieren);
  PuAusschneiden.SetEnabled(menu.Ausschneiden);
  PuEinfuegen.SetEnabled(menu.Einfuegen);
  PuAllesMarkieren.SetEnabled(menu.AllesMarkieren);
  PuRueck.SetEnabled(menu.Rueck);
  PuDrucken.SetEnabled(menu.Drucken);
  PuSpeichern.SetEnabled(menu.Speichern);
}

void TReAnsichtForm::PopupMenu1Popup() {
  ApplyMenuState(MenuState(), true);
}

// Before a shortcut runs: the items that have one, printing and saving as their buttons.
void TReAnsichtForm::UpdateShortCutItems() {
  TReAnsichtMenu menu = MenuState();
  menu.Drucken = Button1.Enabled();
  menu.Speichern = Button2.Enabled();
  ApplyMenuState(menu, false);
}

bool TReAnsichtForm::IsShortCut(winui::TShortCut key) {
  UpdateShortCutItems();
  return winui::TDialogForm::IsShortCut(key);
}

void TReAnsichtForm::PuSeitenumbruchClick() {
  RichEdit1.SetSelText(std::u16string(1, kSeitenumbruch));
}

void TReAnsichtForm::PuSeitenumbruchEntfernenClick() {
  if (winui::MessageDlg(u"Sollen alle Seitenumbrüche entfernt werden?",
                        winui::TMsgKind::Confirmation, winui::mbYes | winui::mbNo) != winui::mrYes)
    return;
  RichEdit1.SetText(OhneSeitenumbrueche(RichEdit1.Text()));
  RichEdit1.SetSelection(0, 0);
  RichEdit1Change();
  winui::MessageDlg(u"Es wurden alle Seitenumbrüche entfernt!", winui::TMsgKind::Information,
                    winui::mbOK);
}

void TReAnsichtForm::Button1Click() {
  RichEdit1.SetFocus();
  if (!winui::PrinterInstalled()) {
    winui::MessageDlg(u"Es ist kein Drucker installiert!", winui::TMsgKind::Information,
                      winui::mbOK);
    return;
  }
  MerkActiveControl = ActiveControl();
  HDC printerDC = nullptr;
  if (!winui::PrintDialog(printerDC)) {
    GiveFocusBack();
    return;
  }
  std::u16string error;
  const bool printed =
      PrintText(printerDC, DruckTitel(Text()), RichEdit1.Text(), winui::AktFont, error);
  if (printerDC) DeleteDC(printerDC);
  if (!printed) {
    winui::MessageDlg(u"Der Text konnte nicht gedruckt werden.\r\n" + error, winui::TMsgKind::Error,
                      winui::mbOK);
  }
  GiveFocusBack();
}

void TReAnsichtForm::SaveDialog1TypeChange(winui::TFileDialog& dialog) {
  dialog.DefaultExt = std::u16string(StandardEndung(dialog.FilterIndex));
}

void TReAnsichtForm::PuSpeichernClick() {
  MerkActiveControl = ActiveControl();
  SaveDialog1TypeChange(SaveDialog1);
  if (!SaveDialog1.Execute()) {
    GiveFocusBack();
    return;
  }
  RichEdit1.SetFocus();
  const TTextSaveFormat format = SpeicherFormat(SaveDialog1.FilterIndex);
  const TRtfSchrift schrift = RtfSchrift(winui::AktFont);
  std::u16string error;
  if (!SaveTextToFile(SaveDialog1.FileName, RichEdit1.Text(), format,
                      format == tsfRtf ? &schrift : nullptr, error)) {
    winui::MessageDlg(u"Der Text konnte nicht gespeichert werden.\r\n" + error,
                      winui::TMsgKind::Error, winui::mbOK);
  }
  GiveFocusBack();
}

void TReAnsichtForm::GiveFocusBack() {
  if (MerkActiveControl && MerkActiveControl->CanFocus()) MerkActiveControl->SetFocus();
  MerkActiveControl = nullptr;
}

}  // namespace tvn
