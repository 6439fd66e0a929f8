// A dialog with every kind of control a program dialog has, laid out by the shared
// toolkit like the entry editor: two columns when they fit, otherwise one. The layout
// tests and the winui-demo program show it at different fonts.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "layout/KxDatePicker.h"
#include "layout/TvnLayout.h"
#include "winui/Controls.h"
#include "winui/Form.h"

namespace tvn {

class TDemoDialog : public winui::TDialogForm {
 public:
  explicit TDemoDialog(winui::TCustomForm* AOwner = nullptr);

  void SchriftartZuweisen();
  void SchalterEinrichten();
  void FormShow() override;
  // Runs after the layout at every showing (tests check and close the dialog here).
  std::function<void()> OnShown;

  std::vector<winui::TButton*> Buttons() { return {&Button1, &Button2, &Button3}; }
  // Every control placed inside the content box, in tab order.
  std::vector<winui::TControl*> InputControls();

  winui::TLabel LabelEdit1{this};
  winui::TEdit Edit1{this};
  winui::TLabel LabelEdit2{this};
  winui::TEdit Edit2{this};
  winui::TCheckBox CheckBoxDp1{this};
  TDatePicker DatePicker1{this};
  winui::TLabel LabelDp2{this};
  TDatePicker DatePicker2{this};
  winui::TRadioGroup RadioGroup1{this};
  winui::TLabel LabelRe1{this};
  winui::TRichEdit RichEdit1{this};
  winui::TButton Button1{this};
  winui::TButton Button2{this};
  winui::TButton Button3{this};

  std::unique_ptr<winui::TScrollBox> FContent;
  std::unique_ptr<TButtonScrollBox> FButtonArea;

 private:
  void ScrollIntoView(winui::TControl& control) { ScrollControlIntoView(FContent.get(), control); }
};

}  // namespace tvn
