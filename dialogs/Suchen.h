// TSuchenForm: the modal dialog in which the user sets up a search through the entry list.
// The main window makes it once and keeps it, so its controls hold the settings from one
// search to the next; a cancelled showing puts back those it started with:
//   form.SchriftartZuweisen();
//   if (form.ShowModal() == winui::mrOk) search(form.Einstellungen());
// The dialog itself searches nothing (mainwindow/Suche.h does).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "layout/KxDatePicker.h"
#include "layout/TvnLayout.h"
#include "mainwindow/Suche.h"
#include "winui/Controls.h"
#include "winui/Form.h"
#include "winui/Timer.h"

namespace tvn {

class TSuchenForm : public winui::TDialogForm {
 public:
  explicit TSuchenForm(winui::TCustomForm* AOwner);
  ~TSuchenForm() override;

  // The settings as the controls hold them now.
  TSuchEinstellungen Einstellungen();

  void CaptionZuweisen();
  void SchriftartZuweisen();
  void SchalterEinrichten();
  void SetTabOrder();
  // True: the controls' settings become the remembered ones; false: they are put back.
  void MerkeFensterdaten(bool MerkeS);
  // The mode changed: the controls of the mode are enabled, the others disabled.
  void RadioGroup1Click();

  void FormCreate() override;
  void FormShow() override;
  void FormCloseQuery(bool& CanClose) override;
  void FormClose() override;

  // The controls, in the order their windows are made: each label right before its field.
  winui::TRadioGroup RadioGroup1{this};
  winui::TLabel LabelDatum1{this};
  TDatePicker DatePicker1{this};
  winui::TCheckBox CheckBox1{this};
  winui::TLabel LabelEdit1{this};
  winui::TEdit Edit1{this};
  winui::TCheckBox CheckBox2{this};
  winui::TRadioGroup RadioGroup2{this};
  winui::TButton Button1{this};
  winui::TButton Button2{this};

  winui::TTimer Timer1{25};

  std::unique_ptr<winui::TScrollBox> FContent;
  std::unique_ptr<TButtonScrollBox> FButtonArea;

  std::vector<winui::TButton*> Buttons() { return {&Button1, &Button2}; }
  // Every control of the content box, in tab order (labels before their fields).
  std::vector<winui::TControl*> InputControls();

  // The settings of the moment the dialog was last shown.
  int MerkModusNr = 2;
  int MerkRichtungNr = 0;
  std::u16string MerkEdit;
  TDateTime MerkDatePicker = 0;
  bool MerkGelesenS = false;
  bool MerkGrossKleinS = false;

 private:
  void Timer1Timer();
  bool SuchTextLeer() const;
  void ScrollIntoView(winui::TControl& control);
  void Speak(winui::TControl& Sender, const std::u16string& label);
};

}  // namespace tvn
