// TDatePicker: the program's date input. A single-line edit field showing
// "Mo, 15.03.2024 " with up/down arrows at its right edge; the text rules live in
// TDatePickerModel, this class connects them to the field, the keys, the mouse and the
// arrows.
#pragma once

#include <functional>
#include <memory>

#include "layout/DatePickerModel.h"
#include "layout/LocaleNames.h"
#include "winui/Controls.h"

namespace tvn {

class TDatePicker : public winui::TEdit {
 public:
  // A child of AOwner, its arrows beside it in the same parent. Range and date are today.
  explicit TDatePicker(winui::TControl* AOwner);
  ~TDatePicker() override;

  // Reading checks the marked part first.
  TDateTime Datum();
  void SetDatum(TDateTime ADatum);
  TDateTime MinDatum() const { return FModel.MinDatum(); }
  TDateTime MaxDatum() const { return FModel.MaxDatum(); }
  void SetMinDatum(TDateTime ADatum);
  void SetMaxDatum(TDateTime ADatum);
  int MarkiereNr() const { return FModel.MarkiereNr(); }
  void SetMarkiereNr(int ANr);
  void Markiere(bool MerkeS);
  void CheckEingabe();
  void StepDatum(bool Up, int Count);
  // The text with the marked part checked first (what IsValidDialogDate reads).
  std::u16string CheckedText();
  // The text as the rules made it, unchecked; the field shows nothing else.
  const std::u16string& RuleText() const { return FModel.Text(); }

  // Position and width of the control together with its arrows; each write attaches the
  // arrows again and shows FDatum again.
  int Width() const;
  void SetWidth(int AWidth);
  void SetLeft(int ALeft);
  void SetTop(int ATop);
  void Bounds(int ATop, int ALeft, int AWidth);
  // Bounds of the edit field alone; the arrows follow.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  winui::TUpDown& UpDown() const { return *FUpDown; }
  // Moves the control and its arrows into another parent.
  void MoveInto(winui::TControl* AParent);

 protected:
  void AfterCreateHandle() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool HandleCommand(WORD code) override;

 private:
  // Runs a model operation between taking the field's selection and showing the result.
  template <class Operation>
  auto Act(Operation operation);
  void TakeSelectionFromField();
  void ShowModel();
  void PlaceArrows();
  void Answer(TDatumFeedback feedback);
  bool KeyDown(WPARAM key);

  TDatePickerModel FModel;
  std::unique_ptr<winui::TUpDown> FUpDown;
};

// The system beep the control gives; tests install a counter.
void SetDatePickerBeep(std::function<void()> beep);

// The abbreviated weekday and the month names of a locale ("de-DE"; null: the user's).
TLocaleNames ReadLocaleNames(const wchar_t* localeName);
// Start-up, before any window exists: the user's names, adjusted, for every date text.
void AdjustLocaleNames();

}  // namespace tvn
