// TNeuForm: the modal dialog in which one audiobook entry is made or changed. The main
// window creates it once and uses it for a new, an edited and a duplicated entry:
//   form.SetText(u"Neuer Eintrag");        // or "Eintrag bearbeiten", "Eintrag duplizieren"
//   form.SchriftartZuweisen();
//   form.ClearText();                      // or form.SetNeuDatenRec(entry)
//   form.DatenRef = &Daten;                // searched for duplicates; not owned
//   form.EditIndex = index;                // -1 for a new or duplicated entry
//   if (form.ShowModal() == winui::mrOk) entry = form.GetNeuDatenRec();
// The rules behind its fields (trimming, enabling of "O&K", the checks on closing, the
// columns) are portable, in NeuRegeln.h.
#pragma once

#include <memory>
#include <vector>

#include "data/DatenC.h"
#include "dialogs/NeuRegeln.h"
#include "layout/KxDatePicker.h"
#include "layout/TvnLayout.h"
#include "winui/Controls.h"
#include "winui/Form.h"
#include "winui/Menu.h"
#include "winui/Timer.h"

namespace tvn {

class TNeuForm : public winui::TDialogForm {
 public:
  explicit TNeuForm(winui::TCustomForm* AOwner);
  ~TNeuForm() override;

  // The list searched for an identical entry (not owned) and the index of the entry
  // being edited in it (-1: a new entry, also for a duplicate).
  TDaten* DatenRef = nullptr;
  int EditIndex = -1;

  void ClearText();
  void SetNeuDatenRec(const TDatenRec& ADatenRec);
  TDatenRec GetNeuDatenRec();

  void CaptionZuweisen();
  void SchriftartZuweisen();
  void SchalterEinrichten();
  void SetTabOrder();

  void FormCreate() override;
  void FormShow() override;
  void FormCloseQuery(bool& CanClose) override;
  void FormClose() override;
  bool IsShortCut(winui::TShortCut key) override;

  // The controls, in the order their windows are made: each label right before its field.
  winui::TLabel LabelEdit1{this};
  winui::TEdit Edit1{this};
  winui::TLabel LabelEdit2{this};
  winui::TEdit Edit2{this};
  winui::TLabel LabelEdit3{this};
  winui::TEdit Edit3{this};
  winui::TLabel LabelEdit4{this};
  winui::TEdit Edit4{this};
  winui::TCheckBox CheckBoxDp1{this};
  TDatePicker DatePicker1{this};
  winui::TCheckBox CheckBoxDp2{this};
  TDatePicker DatePicker2{this};
  winui::TCheckBox CheckBox1{this};
  winui::TLabel LabelDp3{this};
  TDatePicker DatePicker3{this};
  winui::TRadioGroup RadioGroup1{this};
  winui::TLabel LabelRe1{this};
  winui::TRichEdit RichEdit1{this};
  winui::TButton Button1{this};
  winui::TButton Button2{this};
  winui::TButton Button3{this};

  winui::TPopupMenu PuMenu1;
  winui::TMenuItem Pu1Kopieren;
  winui::TMenuItem Pu1Ausschneiden;
  winui::TMenuItem Pu1Einfuegen;
  winui::TMenuItem Pu1Loeschen;
  winui::TMenuItem Pu1Rueckgaengig;
  winui::TMenuItem Pu1AllesMarkieren;

  winui::TTimer Timer1{25};

  std::unique_ptr<winui::TScrollBox> FContent;
  std::unique_ptr<TButtonScrollBox> FButtonArea;

  std::vector<winui::TButton*> Buttons() { return {&Button1, &Button2, &Button3}; }
  // Every control of the content box, in tab order (labels before their fields).
  std::vector<winui::TControl*> InputControls();
  // The columns of the last layout (1 or 2).
  int Columns() const { return FColumns; }

 private:
  void SetStandardData();
  void SetStandardMenu();
  void Timer1Timer();
  void Button2Click();
  void CheckBoxDpClick(winui::TCheckBox& Sender);
  void ClearUndos();
  void NameUnlabelledFields();
  void PuMenu1Popup();
  void UpdatePopupItems();
  winui::TCustomEdit* ActiveEdit() const;
  void EditEnters(winui::TControl& Sender);
  void DatePickersEnter(TDatePicker& Sender);
  void Speak(winui::TControl& Sender, const std::u16string& label);
  void ScrollIntoView(winui::TControl& control);
  void RefuseClose(const TNeuPruefErgebnis& result);
  int FColumns = 1;
};

}  // namespace tvn
