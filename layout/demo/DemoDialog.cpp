#include "layout/demo/DemoDialog.h"

#include <algorithm>

#include "winui/FontCache.h"
#include "winui/Win32Util.h"

namespace tvn {

TDemoDialog::TDemoDialog(winui::TCustomForm* AOwner) : winui::TDialogForm(AOwner) {
  SetText(u"Neuer Eintrag");
  LabelEdit1.SetText(u"A&utor*:");
  LabelEdit1.FocusControl = &Edit1;
  LabelEdit2.SetText(u"&Titel*:");
  LabelEdit2.FocusControl = &Edit2;
  CheckBoxDp1.SetText(u"&Erhalten:");
  CheckBoxDp1.SetChecked(true);
  CheckBoxDp1.OnClick = [this] { SetDatePickerEnabled(DatePicker1, CheckBoxDp1.Checked()); };
  LabelDp2.SetText(u"Er&stellt:");
  LabelDp2.FocusControl = &DatePicker2;
  RadioGroup1.SetText(u"&Bewertung");
  RadioGroup1.SetItems({u"Keine", u"Sehr gut", u"Gut", u"Mittel", u"Schlecht", u"Sehr schlecht"});
  RadioGroup1.SetItemIndex(0);
  LabelRe1.SetText(u"&Infos:");
  LabelRe1.FocusControl = &RichEdit1;
  Button1.SetText(u"O&K");
  Button1.SetDefault(true);
  Button1.ModalResult = winui::mrOk;
  Button2.SetText(u"&Leeren");
  Button3.SetText(u"&Abbrechen");
  Button3.SetCancel(true);
  Button3.ModalResult = winui::mrCancel;

  for (TDatePicker* picker : {&DatePicker1, &DatePicker2}) {
    picker->SetMinDatum(ProgMinDatum);
    picker->SetMaxDatum(ProgMaxDatum);
    picker->OnEnter = [this, picker] {
      picker->SetMarkiereNr(dtTag);
      ScrollIntoView(*picker);
    };
  }
  for (winui::TControl* control : std::initializer_list<winui::TControl*>{
           &Edit1, &Edit2, &CheckBoxDp1, &RadioGroup1, &RichEdit1})
    control->OnEnter = [this, control] { ScrollIntoView(*control); };
}

std::vector<winui::TControl*> TDemoDialog::InputControls() {
  return {&LabelEdit1, &Edit1,       &LabelEdit2,  &Edit2,    &CheckBoxDp1, &DatePicker1,
          &LabelDp2,   &DatePicker2, &RadioGroup1, &LabelRe1, &RichEdit1};
}

void TDemoDialog::FormShow() {
  SchriftartZuweisen();
  if (OnShown) OnShown();
}

void TDemoDialog::SchriftartZuweisen() {
  winui::ApplyAktAppearanceTree(*this);
  SchalterEinrichten();
}

void TDemoDialog::SchalterEinrichten() {
  SetupDialogLayout(*this, FContent, FButtonArea, Buttons(), 0, 0);
  const winui::TFont& font = winui::AktFont;
  const int dateW = PaddedTextWidth(font, u"Mi, 31.12.2500 MMM");
  const int avail = std::max(FContent->Width() - winui::VerticalScrollBarWidth() - kLayoutGap, 1);
  const int w = std::max(PaddedTextWidth(font, u"Katalognummer: MMM"), dateW);
  const int cols = 2 * w + kLayoutGap <= avail ? 2 : 1;
  const int colW = std::max((avail - (cols - 1) * kLayoutGap) / cols, dateW);
  const int labelH = ControlHeightForFont(font, LabelEdit1);
  const int rowH = labelH + kLabelGap + Edit1.Height() + kLayoutGap;

  winui::TLabel* labels[] = {&LabelEdit1, &LabelEdit2};
  winui::TEdit* edits[] = {&Edit1, &Edit2};
  for (int i = 0; i < 2; ++i) {
    const int x = (i % cols) * (colW + kLayoutGap), y = (i / cols) * rowH;
    labels[i]->SetBounds(x, y, labels[i]->Width(), labelH);
    edits[i]->SetBounds(x, y + labelH + kLabelGap, colW, edits[i]->Height());
  }

  int y = ((cols + 1) / cols) * rowH;
  const int h = FitCheckBox(CheckBoxDp1, 0, y, colW);
  DatePicker1.Bounds(y + h + kLabelGap, 0, colW);
  const int bottom1 = DatePicker1.Top() + DatePicker1.Height();
  const int x2 = cols == 2 ? colW + kLayoutGap : 0;
  const int y2 = cols == 2 ? y : bottom1 + kLayoutGap;
  LabelDp2.SetBounds(x2, y2, LabelDp2.Width(), labelH);
  DatePicker2.Bounds(y2 + labelH + kLabelGap, x2, colW);
  y = std::max(bottom1, DatePicker2.Top() + DatePicker2.Height()) + kLayoutGap;

  int rgW = colW;
  for (const std::u16string& item : RadioGroup1.Items())
    rgW = std::max(rgW, PaddedTextWidth(font, StripAmpersands(item) + u"MMMM"));
  const int itemH = ControlHeightForFont(font, RadioGroup1);
  RadioGroup1.SetBounds(0, y, rgW, static_cast<int>(RadioGroup1.Items().size() + 2) * itemH);
  y = RadioGroup1.Top() + RadioGroup1.Height() + kLayoutGap;

  LabelRe1.SetBounds(0, y, LabelRe1.Width(), labelH);
  y += labelH + kLabelGap;
  RichEdit1.SetBounds(0, y, std::max(avail, colW),
                      std::max(FContent->Height() - y - kLayoutGap, 4 * Edit1.Height()));
}

}  // namespace tvn
