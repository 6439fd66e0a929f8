#include "dialogs/Suchen.h"

#include <algorithm>

#include "platform/Platform.h"
#include "platform/Utf16.h"
#include "screenreader/ScreenReaderOutput.h"
#include "winui/FontCache.h"
#include "winui/Prompt.h"
#include "winui/Win32Util.h"

namespace tvn {

namespace {

// The items of RadioGroup1 and RadioGroup2.
constexpr int kModusDatum = 0;
constexpr int kModusGelesen = 1;
constexpr int kModusText = 2;
constexpr int kRichtungRueckwaerts = 1;

}  // namespace

TSuchenForm::TSuchenForm(winui::TCustomForm* AOwner) : winui::TDialogForm(AOwner) {}

TSuchenForm::~TSuchenForm() {
  Timer1.SetEnabled(false);
  // The windows go before the controls they belong to.
  DestroyHandle();
}

void TSuchenForm::FormCreate() {
  CaptionZuweisen();
  DatePicker1.SetMinDatum(ProgMinDatum);
  DatePicker1.SetMaxDatum(ProgMaxDatum);
  DatePicker1.SetDatum(platform::Today());
  DatePicker1.OnEnter = [this] {
    DatePicker1.SetMarkiereNr(dtTag);
    Speak(DatePicker1, u"Suchdatum:");
  };
  LabelDatum1.FocusControl = &DatePicker1;
  LabelEdit1.FocusControl = &Edit1;
  RadioGroup1.OnEnter = [this] { Speak(RadioGroup1, u"Suche:"); };
  RadioGroup2.OnEnter = [this] { Speak(RadioGroup2, u"Richtung:"); };
  Edit1.OnEnter = [this] { Speak(Edit1, u"Suchtext:"); };
  for (winui::TCheckBox* box : {&CheckBox1, &CheckBox2})
    box->OnEnter = [this, box] { ScrollIntoView(*box); };
  RadioGroup1.OnClick = [this] { RadioGroup1Click(); };

  Button1.SetDefault(true);
  Button1.ModalResult = winui::mrOk;
  Button2.SetCancel(true);
  Button2.ModalResult = winui::mrCancel;
  Timer1.OnTimer = [this] { Timer1Timer(); };
  SetTabOrder();
}

void TSuchenForm::CaptionZuweisen() {
  SetText(u"Suchen");
  RadioGroup1.SetText(u"Suche");
  RadioGroup1.SetItems({u"&Datum", u"&Gelesen", u"&Text"});
  RadioGroup1.SetItemIndex(kModusText);
  LabelDatum1.SetText(u"Suchdat&um:");
  CheckBox1.SetText(u"Ge&lesen");
  LabelEdit1.SetText(u"Suchte&xt:");
  Edit1.SetText({});
  CheckBox2.SetText(u"Gr&oß-/Kleinschreibung");
  RadioGroup2.SetText(u"Richtung");
  RadioGroup2.SetItems({u"&Vorwärts", u"&Rückwärts"});
  RadioGroup2.SetItemIndex(0);
  Button1.SetText(u"O&K");
  Button2.SetText(u"&Abbrechen");
}

std::vector<winui::TControl*> TSuchenForm::InputControls() {
  return {&RadioGroup1, &LabelDatum1, &DatePicker1, &CheckBox1,
          &LabelEdit1,  &Edit1,       &CheckBox2,   &RadioGroup2};
}

void TSuchenForm::SetTabOrder() {
  const std::vector<winui::TControl*> order = {&RadioGroup1, &DatePicker1, &CheckBox1,
                                               &Edit1,       &CheckBox2,   &RadioGroup2};
  for (size_t i = 0; i < order.size(); ++i) order[i]->SetTabOrder(static_cast<int>(i));
  const std::vector<winui::TButton*> buttons = Buttons();
  for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->SetTabOrder(static_cast<int>(i));
}

TSuchEinstellungen TSuchenForm::Einstellungen() {
  TSuchEinstellungen e;
  const int modus = RadioGroup1.ItemIndex();
  e.Modus = modus == kModusDatum ? smDatum : modus == kModusGelesen ? smGelesen : smText;
  e.SuchDatum = DatePicker1.Datum();
  e.GelesenS = CheckBox1.Checked();
  e.GrossKleinS = CheckBox2.Checked();
  e.SuchText = Edit1.Text();
  e.RueckwaertsS = RadioGroup2.ItemIndex() == kRichtungRueckwaerts;
  return e;
}

void TSuchenForm::FormShow() {
  SchriftartZuweisen();
  RadioGroup1.SetFocus();
  MerkeFensterdaten(true);
  RadioGroup1Click();
  Timer1Timer();
  Timer1.SetEnabled(true);
}

void TSuchenForm::FormClose() {
  if (ModalResult() == winui::mrOk) {
    // The typed date becomes the control's date: the next layout shows that one again.
    DatePicker1.SetDatum(DatePicker1.Datum());
  } else {
    MerkeFensterdaten(false);
  }
  Timer1.SetEnabled(false);
}

void TSuchenForm::MerkeFensterdaten(bool MerkeS) {
  if (MerkeS) {
    MerkModusNr = RadioGroup1.ItemIndex();
    MerkRichtungNr = RadioGroup2.ItemIndex();
    MerkEdit = Edit1.Text();
    MerkDatePicker = DatePicker1.Datum();
    MerkGelesenS = CheckBox1.Checked();
    MerkGrossKleinS = CheckBox2.Checked();
    return;
  }
  RadioGroup1.SetItemIndex(MerkModusNr);
  RadioGroup2.SetItemIndex(MerkRichtungNr);
  Edit1.SetText(MerkEdit);
  DatePicker1.SetDatum(MerkDatePicker);
  CheckBox1.SetChecked(MerkGelesenS);
  CheckBox2.SetChecked(MerkGrossKleinS);
  RadioGroup1Click();
}

void TSuchenForm::RadioGroup1Click() {
  const int modus = RadioGroup1.ItemIndex();
  SetDatePickerEnabled(DatePicker1, modus == kModusDatum);
  LabelDatum1.SetEnabled(modus == kModusDatum);
  CheckBox1.SetEnabled(modus == kModusGelesen);
  for (winui::TControl* control :
       std::initializer_list<winui::TControl*>{&LabelEdit1, &Edit1, &CheckBox2})
    control->SetEnabled(modus == kModusText);
  RadioGroup2.SetEnabled(true);
  Timer1Timer();
}

bool TSuchenForm::SuchTextLeer() const {
  return RadioGroup1.ItemIndex() == kModusText && Trim(Edit1.Text()).empty();
}

void TSuchenForm::Timer1Timer() {
  Button1.SetEnabled(!SuchTextLeer());
}

void TSuchenForm::FormCloseQuery(bool& CanClose) {
  if (ModalResult() != winui::mrOk) return;
  if (RadioGroup1.ItemIndex() == kModusDatum && !IsValidDialogDate(DatePicker1)) {
    CanClose = false;
    winui::MessageDlg(u"Bitte ein gültiges Suchdatum eingeben.", winui::TMsgKind::Information,
                      winui::mbOK);
    DatePicker1.SetFocus();
  } else if (SuchTextLeer()) {
    CanClose = false;
    winui::MessageDlg(u"Bitte einen Suchtext eingeben.", winui::TMsgKind::Information, winui::mbOK);
    Edit1.SetFocus();
  }
}

void TSuchenForm::ScrollIntoView(winui::TControl& control) {
  ScrollControlIntoView(FContent.get(), control);
}

void TSuchenForm::Speak(winui::TControl& Sender, const std::u16string& label) {
  ScrollIntoView(Sender);
  OutputLabel(label);
}

void TSuchenForm::SchriftartZuweisen() {
  winui::ApplyAktAppearanceTree(*this);
  SchalterEinrichten();
}

// The controls stand in one column; the dialog is at most as wide as the case check box
// needs and no taller than its content, unlike the editor, which takes all the room.
void TSuchenForm::SchalterEinrichten() {
  const winui::TFont& font = winui::AktFont;
  const int maxW = std::max(PaddedTextWidth(font, u"Groß-/Kleinschreibung MMMM"), 450);
  SetupDialogLayout(*this, FContent, FButtonArea, Buttons(), maxW, 0);
  const int dateW = PaddedTextWidth(font, u"Mi, 31.12.2500 MMM");
  const int w = std::max(FContent->Width() - winui::VerticalScrollBarWidth() - kLayoutGap, dateW);
  const int rgH = ControlHeightForFont(font, RadioGroup1);

  RadioGroup1.SetBounds(0, 0, w, 5 * rgH);
  int y = RadioGroup1.Height() + kLayoutGap;
  LabelDatum1.SetBounds(0, y, LabelDatum1.Width(), LabelDatum1.Height());
  y += LabelDatum1.Height() + kLabelGap;
  DatePicker1.Bounds(y, 0, w);
  y += DatePicker1.Height() + kLayoutGap;
  y += FitCheckBox(CheckBox1, 0, y, w) + kLayoutGap;
  LabelEdit1.SetBounds(0, y, LabelEdit1.Width(), LabelEdit1.Height());
  y += LabelEdit1.Height() + kLabelGap;
  Edit1.SetBounds(0, y, w, Edit1.Height());
  y += Edit1.Height() + kLayoutGap;
  y += FitCheckBox(CheckBox2, 0, y, w) + kLayoutGap;
  RadioGroup2.SetBounds(0, y, w, 4 * rgH);

  const int availB = std::max(ClientWidth() - 20 - winui::VerticalScrollBarWidth(), 1);
  const TLayoutSize button = MeasureButtons(Buttons(), availB);
  const int cols = std::clamp((availB + 5) / (button.Width + 5), 1, 2);
  const int rows = (cols + 1) / cols;
  const int maxH = y + RadioGroup2.Height() + 25 + rows * (button.Height + 5);
  SetupDialogLayout(*this, FContent, FButtonArea, Buttons(), maxW, maxH);
  SetTabOrder();
}

}  // namespace tvn
