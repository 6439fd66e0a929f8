#include "dialogs/Neu.h"

#include <algorithm>

#include "dialogs/NamedAccessible.h"
#include "platform/Platform.h"
#include "screenreader/ScreenReaderOutput.h"
#include "winui/FontCache.h"
#include "winui/Prompt.h"
#include "winui/Win32Util.h"

namespace tvn {

namespace {

constexpr int kMaxFeldLaenge = 100;
constexpr int kMaxInfoLaenge = 2048;

// The spoken names of the four edit fields, by tag.
std::u16string EditLabel(int tag) {
  switch (tag) {
    case 1:
      return u"Autor:";
    case 2:
      return u"Titel:";
    case 3:
      return u"Katalognummer:";
    case 4:
      return u"Quelle:";
    default:
      return {};
  }
}

std::u16string DatePickerLabel(int tag) {
  switch (tag) {
    case 1:
      return u"Erhalten:";
    case 2:
      return u"Retourniert:";
    case 3:
      return u"Erstellt:";
    default:
      return {};
  }
}

int BottomOf(const winui::TControl& control) {
  return control.Top() + control.Height();
}

bool ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
}

// What the close checks read from the dialog's controls.
class TNeuFormEingabe : public TNeuEingabe {
 public:
  explicit TNeuFormEingabe(TNeuForm& form) : F(form) {}
  bool ErhaltenAngekreuzt() override { return F.CheckBoxDp1.Checked(); }
  bool ErhaltenGueltig() override { return IsValidDialogDate(F.DatePicker1); }
  bool RetourAngekreuzt() override { return F.CheckBoxDp2.Checked(); }
  bool RetourGueltig() override { return IsValidDialogDate(F.DatePicker2); }
  bool ErstelltGueltig() override { return IsValidDialogDate(F.DatePicker3); }
  TDatenRec Eintrag() override { return F.GetNeuDatenRec(); }

 private:
  TNeuForm& F;
};

}  // namespace

TNeuForm::TNeuForm(winui::TCustomForm* AOwner) : winui::TDialogForm(AOwner) {}

TNeuForm::~TNeuForm() {
  Timer1.SetEnabled(false);
  // The windows go before the controls and menu items they belong to.
  DestroyHandle();
}

void TNeuForm::FormCreate() {
  EditIndex = -1;
  CaptionZuweisen();
  SetTabOrder();
  SetStandardData();
  ClearText();
}

void TNeuForm::CaptionZuweisen() {
  LabelEdit1.SetText(u"A&utor*:");
  LabelEdit2.SetText(u"&Titel*:");
  LabelEdit3.SetText(u"Katalog&nummer:");
  LabelEdit4.SetText(u"&Quelle:");
  CheckBoxDp1.SetText(u"&Erhalten:");
  CheckBoxDp2.SetText(u"&Retourniert:");
  CheckBox1.SetText(u"&Gelesen");
  LabelDp3.SetText(u"Er&stellt:");
  RadioGroup1.SetText(u"&Bewertung");
  RadioGroup1.SetItems({u"Keine", u"Sehr gut", u"Gut", u"Mittel", u"Schlecht", u"Sehr schlecht"});
  LabelRe1.SetText(u"&Infos:");
  Button1.SetText(u"O&K");
  Button2.SetText(u"&Leeren");
  Button3.SetText(u"&Abbrechen");
  Pu1Kopieren.SetCaption(u"&Kopieren");
  Pu1Ausschneiden.SetCaption(u"&Ausschneiden");
  Pu1Einfuegen.SetCaption(u"&Einfügen");
  Pu1Loeschen.SetCaption(u"&Löschen");
  Pu1Rueckgaengig.SetCaption(u"&Rückgängig");
  Pu1AllesMarkieren.SetCaption(u"Alles &markieren");
}

std::vector<winui::TControl*> TNeuForm::InputControls() {
  return {&LabelEdit1, &Edit1,    &LabelEdit2,  &Edit2,       &LabelEdit3,  &Edit3,
          &LabelEdit4, &Edit4,    &CheckBoxDp1, &DatePicker1, &CheckBoxDp2, &DatePicker2,
          &CheckBox1,  &LabelDp3, &DatePicker3, &RadioGroup1, &LabelRe1,    &RichEdit1};
}

void TNeuForm::SetTabOrder() {
  const std::vector<winui::TControl*> order = {
      &Edit1,       &Edit2,       &Edit3,     &Edit4,       &CheckBoxDp1, &DatePicker1,
      &CheckBoxDp2, &DatePicker2, &CheckBox1, &DatePicker3, &RadioGroup1, &RichEdit1};
  for (size_t i = 0; i < order.size(); ++i) order[i]->SetTabOrder(static_cast<int>(i));
  const std::vector<winui::TButton*> buttons = Buttons();
  for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->SetTabOrder(static_cast<int>(i));
}

void TNeuForm::SetStandardData() {
  LabelEdit1.FocusControl = &Edit1;
  LabelEdit2.FocusControl = &Edit2;
  LabelEdit3.FocusControl = &Edit3;
  LabelEdit4.FocusControl = &Edit4;
  LabelDp3.FocusControl = &DatePicker3;
  LabelRe1.FocusControl = &RichEdit1;

  winui::TEdit* edits[] = {&Edit1, &Edit2, &Edit3, &Edit4};
  for (int i = 0; i < 4; ++i) {
    winui::TEdit* edit = edits[i];
    edit->Tag = i + 1;
    edit->SetMaxLength(kMaxFeldLaenge);
    edit->PopupMenu = &PuMenu1;
    edit->OnEnter = [this, edit] { EditEnters(*edit); };
  }
  RichEdit1.SetMaxLength(kMaxInfoLaenge);
  RichEdit1.PopupMenu = &PuMenu1;
  RichEdit1.OnEnter = [this] { Speak(RichEdit1, u"Infos:"); };
  RichEdit1.OnKeyPress = [this](char16_t& Key) {
    if (Key != u'\x1b') return;
    Key = 0;
    Button3.Click();
  };

  TDatePicker* pickers[] = {&DatePicker1, &DatePicker2, &DatePicker3};
  for (int i = 0; i < 3; ++i) {
    TDatePicker* picker = pickers[i];
    picker->Tag = i + 1;
    picker->OnEnter = [this, picker] { DatePickersEnter(*picker); };
    picker->OnExit = [picker] { picker->CheckEingabe(); };
  }
  for (winui::TCheckBox* box : {&CheckBox1, &CheckBoxDp1, &CheckBoxDp2})
    box->OnEnter = [this, box] { ScrollIntoView(*box); };
  CheckBoxDp1.OnClick = [this] { CheckBoxDpClick(CheckBoxDp1); };
  CheckBoxDp2.OnClick = [this] { CheckBoxDpClick(CheckBoxDp2); };
  RadioGroup1.OnEnter = [this] { Speak(RadioGroup1, u"Bewertung:"); };

  Button1.SetDefault(true);
  Button1.ModalResult = winui::mrOk;
  Button2.OnClick = [this] { Button2Click(); };
  Button3.SetCancel(true);
  Button3.ModalResult = winui::mrCancel;
  SetStandardMenu();
  Timer1.OnTimer = [this] { Timer1Timer(); };
}

void TNeuForm::SetStandardMenu() {
  Pu1Kopieren.SetShortCut({'C', winui::ssCtrl});
  Pu1Ausschneiden.SetShortCut({'X', winui::ssCtrl});
  Pu1Einfuegen.SetShortCut({'V', winui::ssCtrl});
  Pu1Rueckgaengig.SetShortCut({'Z', winui::ssCtrl});
  Pu1AllesMarkieren.SetShortCut({'A', winui::ssCtrl});
  for (winui::TMenuItem* item : {&Pu1Kopieren, &Pu1Ausschneiden, &Pu1Einfuegen, &Pu1Loeschen,
                                 &Pu1Rueckgaengig, &Pu1AllesMarkieren})
    PuMenu1.Items.Add(*item);
  PuMenu1.OnPopup = [this] { PuMenu1Popup(); };
  auto onEdit = [this](void (winui::TCustomEdit::*action)()) {
    return [this, action] {
      if (winui::TCustomEdit* edit = ActiveEdit()) (edit->*action)();
    };
  };
  Pu1Kopieren.OnClick = onEdit(&winui::TCustomEdit::CopyToClipboard);
  Pu1Ausschneiden.OnClick = onEdit(&winui::TCustomEdit::CutToClipboard);
  Pu1Einfuegen.OnClick = onEdit(&winui::TCustomEdit::PasteFromClipboard);
  Pu1Loeschen.OnClick = onEdit(&winui::TCustomEdit::ClearSelection);
  Pu1Rueckgaengig.OnClick = onEdit(&winui::TCustomEdit::Undo);
  Pu1AllesMarkieren.OnClick = onEdit(&winui::TCustomEdit::SelectAll);
}

void TNeuForm::ClearText() {
  for (winui::TEdit* edit : {&Edit1, &Edit2, &Edit3, &Edit4}) edit->SetText({});
  for (winui::TCheckBox* box : {&CheckBoxDp1, &CheckBoxDp2, &CheckBox1}) box->SetChecked(false);
  RadioGroup1.SetItemIndex(btKeine);
  RichEdit1.SetText({});
  const TDateTime today = platform::Today();
  for (TDatePicker* picker : {&DatePicker1, &DatePicker2, &DatePicker3}) {
    picker->SetMinDatum(ProgMinDatum);
    picker->SetMaxDatum(ProgMaxDatum);
    picker->SetDatum(today);
  }
  SetDatePickerEnabled(DatePicker1, false);
  SetDatePickerEnabled(DatePicker2, false);
}

void TNeuForm::SetNeuDatenRec(const TDatenRec& ADatenRec) {
  Edit1.SetText(ADatenRec.Autor);
  Edit2.SetText(ADatenRec.Titel);
  Edit3.SetText(ADatenRec.KatalogNr);
  Edit4.SetText(ADatenRec.Quelle);
  CheckBoxDp1.SetChecked(ADatenRec.ErhaltenS);
  DatePicker1.SetDatum(ADatenRec.ErhaltenDatum);
  CheckBoxDp2.SetChecked(ADatenRec.RetourS);
  DatePicker2.SetDatum(ADatenRec.RetourDatum);
  CheckBox1.SetChecked(ADatenRec.GelesenS);
  RadioGroup1.SetItemIndex(ADatenRec.Bewertung);
  DatePicker3.SetDatum(ADatenRec.ErstelltDatum);
  RichEdit1.SetText(ADatenRec.Infos);
  SetDatePickerEnabled(DatePicker1, CheckBoxDp1.Checked());
  SetDatePickerEnabled(DatePicker2, CheckBoxDp2.Checked());
}

TDatenRec TNeuForm::GetNeuDatenRec() {
  TDatenRec rec;
  rec.Akt = true;
  rec.Autor = NeuFeldText(Edit1.Text());
  rec.Titel = NeuFeldText(Edit2.Text());
  rec.KatalogNr = NeuFeldText(Edit3.Text());
  rec.Quelle = NeuFeldText(Edit4.Text());
  rec.ErhaltenS = CheckBoxDp1.Checked();
  rec.ErhaltenDatum = DatePicker1.Datum();
  rec.RetourS = CheckBoxDp2.Checked();
  rec.RetourDatum = DatePicker2.Datum();
  rec.GelesenS = CheckBox1.Checked();
  const int rating = RadioGroup1.ItemIndex();
  rec.Bewertung =
      rating >= btKeine && rating <= btSehrSchlecht ? static_cast<TBewertung>(rating) : btKeine;
  rec.ErstelltDatum = DatePicker3.Datum();
  rec.Infos = NeuInfoText(RichEdit1.Text());
  return rec;
}

void TNeuForm::FormShow() {
  SchriftartZuweisen();
  NameUnlabelledFields();
  Edit1.SetFocus();
  Edit1.SelectAll();
  ClearUndos();
  Timer1Timer();
  Timer1.SetEnabled(true);
}

// Screen readers name an edit by the label right before it. The first two dates follow
// their check boxes and the RichEdit's standard object has no name: they are named here,
// for every new window.
void TNeuForm::NameUnlabelledFields() {
  tvn::SetAccessibleName(DatePicker1.Handle(), StripAmpersands(CheckBoxDp1.Text()));
  tvn::SetAccessibleName(DatePicker2.Handle(), StripAmpersands(CheckBoxDp2.Text()));
  tvn::SetAccessibleName(RichEdit1.Handle(), StripAmpersands(LabelRe1.Text()));
}

void TNeuForm::FormClose() {
  Timer1.SetEnabled(false);
}

void TNeuForm::FormCloseQuery(bool& CanClose) {
  if (ModalResult() != winui::mrOk) return;
  TNeuFormEingabe eingabe(*this);
  const TNeuPruefErgebnis result = PruefeNeuEintrag(eingabe, DatenRef, EditIndex);
  if (result.Schliessen) return;
  CanClose = false;
  RefuseClose(result);
}

void TNeuForm::RefuseClose(const TNeuPruefErgebnis& result) {
  winui::MessageDlg(result.Meldung, winui::TMsgKind::Information, winui::mbOK);
  switch (result.Fokus) {
    case TNeuFokus::Erhalten:
      DatePicker1.SetFocus();
      break;
    case TNeuFokus::Retour:
      DatePicker2.SetFocus();
      break;
    case TNeuFokus::Erstellt:
      DatePicker3.SetFocus();
      break;
    case TNeuFokus::Autor:
      Edit1.SetFocus();
      break;
    case TNeuFokus::Titel:
      Edit2.SetFocus();
      break;
    case TNeuFokus::AutorMarkiert:
      Edit1.SetFocus();
      Edit1.SelectAll();
      break;
    case TNeuFokus::Keiner:
      break;
  }
}

void TNeuForm::Timer1Timer() {
  Button1.SetEnabled(NeuOkErlaubt(Edit1.Text(), Edit2.Text()));
}

void TNeuForm::Button2Click() {
  ClearText();
  Edit1.SetFocus();
}

void TNeuForm::CheckBoxDpClick(winui::TCheckBox& Sender) {
  SetDatePickerEnabled(DatePicker1, CheckBoxDp1.Checked());
  SetDatePickerEnabled(DatePicker2, CheckBoxDp2.Checked());
  if (!IsShown()) return;
  if (&Sender == &CheckBoxDp1 && DatePicker1.CanFocus()) DatePicker1.SetFocus();
  if (&Sender == &CheckBoxDp2 && DatePicker2.CanFocus()) DatePicker2.SetFocus();
}

void TNeuForm::ClearUndos() {
  for (winui::TCustomEdit* edit :
       std::initializer_list<winui::TCustomEdit*>{&Edit1, &Edit2, &Edit3, &Edit4, &RichEdit1})
    edit->ClearUndo();
}

winui::TCustomEdit* TNeuForm::ActiveEdit() const {
  return dynamic_cast<winui::TCustomEdit*>(ActiveControl());
}

void TNeuForm::PuMenu1Popup() {
  if (auto* edit = dynamic_cast<winui::TCustomEdit*>(PuMenu1.PopupComponent()))
    SetActiveControl(edit);
  UpdatePopupItems();
}

void TNeuForm::UpdatePopupItems() {
  for (winui::TMenuItem* item : {&Pu1Kopieren, &Pu1Ausschneiden, &Pu1Einfuegen, &Pu1Loeschen,
                                 &Pu1Rueckgaengig, &Pu1AllesMarkieren})
    item->SetEnabled(false);
  winui::TCustomEdit* edit = ActiveEdit();
  if (!edit) return;
  // Select-all in an empty RichEdit still covers its final paragraph mark.
  const bool selected = edit->SelLength() > 0 && !edit->Text().empty();
  const bool writable = !edit->ReadOnly();
  Pu1Kopieren.SetEnabled(selected);
  Pu1Ausschneiden.SetEnabled(selected && writable);
  Pu1Loeschen.SetEnabled(selected && writable);
  Pu1Einfuegen.SetEnabled(writable && ClipboardHasText());
  Pu1AllesMarkieren.SetEnabled(!edit->Text().empty());
  Pu1Rueckgaengig.SetEnabled(writable && edit->CanUndo());
}

bool TNeuForm::IsShortCut(winui::TShortCut key) {
  UpdatePopupItems();
  return winui::TDialogForm::IsShortCut(key);
}

void TNeuForm::ScrollIntoView(winui::TControl& control) {
  ScrollControlIntoView(FContent.get(), control);
}

void TNeuForm::Speak(winui::TControl& Sender, const std::u16string& label) {
  ScrollIntoView(Sender);
  if (!label.empty()) OutputLabel(label);
}

void TNeuForm::EditEnters(winui::TControl& Sender) {
  Speak(Sender, EditLabel(Sender.Tag));
}

void TNeuForm::DatePickersEnter(TDatePicker& Sender) {
  Sender.SetMarkiereNr(dtTag);
  Speak(Sender, DatePickerLabel(Sender.Tag));
}

void TNeuForm::SchriftartZuweisen() {
  winui::ApplyAktAppearanceTree(*this);
  SchalterEinrichten();
}

void TNeuForm::SchalterEinrichten() {
  SetupDialogLayout(*this, FContent, FButtonArea, Buttons(), 0, 0);
  const winui::TFont& font = winui::AktFont;
  const int dateW = PaddedTextWidth(font, u"Mi, 31.12.2500 MMM");
  const TNeuSpalten spalten = NeuSpalten(FContent->Width(), winui::VerticalScrollBarWidth(),
                                         PaddedTextWidth(font, u"Katalognummer: MMM"), dateW);
  const int avail = spalten.Avail, cols = spalten.Cols, colW = spalten.ColW;
  FColumns = cols;
  const int labelH = ControlHeightForFont(font, LabelEdit1);
  const int rowH = labelH + kLabelGap + Edit1.Height() + kLayoutGap;

  winui::TLabel* labels[] = {&LabelEdit1, &LabelEdit2, &LabelEdit3, &LabelEdit4};
  winui::TEdit* edits[] = {&Edit1, &Edit2, &Edit3, &Edit4};
  for (int i = 0; i < 4; ++i) {
    const int x = (i % cols) * (colW + kLayoutGap), y = (i / cols) * rowH;
    labels[i]->SetBounds(x, y, labels[i]->Width(), labelH);
    edits[i]->SetBounds(x, y + labelH + kLabelGap, colW, edits[i]->Height());
  }

  int y = ((cols + 3) / cols) * rowH;
  int h = FitCheckBox(CheckBoxDp1, 0, y, colW);
  DatePicker1.Bounds(y + h + kLabelGap, 0, colW);
  int x = cols == 2 ? colW + kLayoutGap : 0;
  if (cols == 1) y = BottomOf(DatePicker1) + kLayoutGap;
  h = FitCheckBox(CheckBoxDp2, x, y, colW);
  DatePicker2.Bounds(y + h + kLabelGap, x, colW);

  y = std::max(BottomOf(DatePicker1), BottomOf(DatePicker2)) + kLayoutGap;
  const int h3 = FitCheckBox(CheckBox1, 0, y, colW);
  x = cols == 2 ? colW + kLayoutGap : 0;
  if (cols == 1) y += h3 + kLayoutGap;
  LabelDp3.SetBounds(x, y, LabelDp3.Width(), labelH);
  DatePicker3.Bounds(y + labelH + kLabelGap, x, colW);
  y = std::max(BottomOf(DatePicker3), CheckBox1.Top() + h3) + kLayoutGap;

  int rgW = colW;
  for (const std::u16string& item : RadioGroup1.Items())
    rgW = std::max(rgW, PaddedTextWidth(font, StripAmpersands(item) + u"MMMM"));
  const int itemH = ControlHeightForFont(font, RadioGroup1);
  RadioGroup1.SetBounds(0, y, rgW, static_cast<int>(RadioGroup1.Items().size() + 2) * itemH);

  x = 0;
  y = BottomOf(RadioGroup1) + kLayoutGap;
  if (cols == 2 && avail - (rgW + kLayoutGap) >= dateW) {
    x = rgW + kLayoutGap;
    y = RadioGroup1.Top();
  }
  LabelRe1.SetBounds(x, y, LabelRe1.Width(), labelH);
  y += labelH + kLabelGap;
  RichEdit1.SetBounds(x, y, std::max(avail - x, colW),
                      std::max(FContent->Height() - y - kLayoutGap, 4 * Edit1.Height()));
  SetTabOrder();
}

}  // namespace tvn
