// The text rules of the date control, without a window: the fixed text "Mo, 15.03.2024 ",
// its four parts (weekday, day, month, year), the marked part, typing, stepping and
// reading. The model holds the text and selection of the edit field; the window side
// copies the field's selection in before an event and shows text and selection after it.
#pragma once

#include <string>
#include <string_view>

#include "data/Datum.h"
#include "layout/LocaleNames.h"

namespace tvn {

enum TDatumTeil : int { dtWochentag = 0, dtTag = 1, dtMonat = 2, dtJahr = 3 };

// The keys the control handles itself; all others go to the edit field.
enum class TDatumKey { Left, Right, Home, End, PageUp, PageDown, Delete, Up, Down };

// What the control has to do besides showing the new text and selection.
enum class TDatumFeedback { None, Beep };

// Reads "dd.mm.yyyy" (blanks around it allowed) as a whole-day date.
bool TryReadDatum(std::u16string_view text, TDateTime& datum);

// The first two characters of the abbreviated weekday name, a one-letter name with a
// leading blank.
std::u16string WochentagKurz(TDateTime datum, const TWeekdayNames& names);

// "Mo, 15.03.2024 ".
std::u16string DatumPickerText(TDateTime datum, const TWeekdayNames& names);

class TDatePickerModel {
 public:
  // Range and date start at today; the day part is marked.
  TDatePickerModel(const TWeekdayNames& names, TDateTime today);

  const std::u16string& Text() const { return FText; }
  int SelStart() const { return FSelStart; }
  int SelLength() const { return FSelLength; }
  // The selection the user made in the field (mouse); clipped to the text.
  void SetSelection(int start, int length);
  const std::u16string& Gemerkt() const { return FGemerkt; }

  bool ReadOnly = false;

  // Reading checks the marked part first, then interprets the text.
  TDateTime Datum();
  void SetDatum(TDateTime x);
  TDateTime MinDatum() const { return FMinDatum; }
  TDateTime MaxDatum() const { return FMaxDatum; }
  void SetMinDatum(TDateTime x);
  void SetMaxDatum(TDateTime x);
  // Shows FDatum again (after a move or resize of the control); unread typing goes.
  void ShowDatumAgain() { SetDatum(FDatum); }

  int MarkiereNr() const { return FMarkiereNr; }
  void SetMarkiereNr(int v);
  void Markiere(bool MerkeS);
  void CheckEingabe();
  void StepDatum(bool Up, int Count);

  // Events of the control.
  TDatumFeedback KeyDown(TDatumKey key);
  TDatumFeedback CharTyped(char16_t c);
  TDatumFeedback ArrowClicked(bool up);
  // The caret (selection start) decides the marked part.
  void MouseReleased();
  void Enter() { SetMarkiereNr(dtTag); }
  void Exit() { CheckEingabe(); }

 private:
  struct TPartRange {
    int Start, Length;
  };
  static TPartRange PartRange(int part);
  bool SelectionIsMarkedPart() const;
  void ReplaceSelection(std::u16string_view with);
  std::u16string SelectedText() const;
  TDatumFeedback TypeDigit(char16_t digit);
  void ClearMarkedPart();
  void StepTag(TDateTime d, int s);
  void StepMonat(TDateTime d, int s);
  void StepJahr(TDateTime d, int s);

  TWeekdayNames FNames;
  std::u16string FText;
  int FSelStart = 0;
  int FSelLength = 0;
  std::u16string FGemerkt;
  TDateTime FDatum;
  TDateTime FMinDatum;
  TDateTime FMaxDatum;
  int FMarkiereNr = dtTag;
};

// The check the dialogs make before accepting a date: the control's text (its marked
// part checked first) is a date between ProgMinDatum and ProgMaxDatum. A day the month
// does not have (31.04.) fails.
bool IsValidDialogDate(TDatePickerModel& picker);
// The same on a control's text whose marked part was checked already.
bool IsValidDialogDateText(std::u16string_view text);

}  // namespace tvn
