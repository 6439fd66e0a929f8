#include "layout/DatePickerModel.h"

#include <algorithm>
#include <cmath>

namespace tvn {
namespace {

constexpr size_t kDatumOffset = 4;  // the date follows "Mo, "

// Value of a text of one to nine decimal digits; false for anything else.
bool ReadDigits(std::u16string_view t, int& value) {
  if (t.empty() || t.size() > 9) return false;
  value = 0;
  for (char16_t c : t) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
  }
  return true;
}

std::u16string ZeroPadded(int value, size_t width) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value > 0);
  if (digits.size() < width) digits.insert(0, width - digits.size(), u'0');
  return digits;
}

std::u16string WithoutPlaceholders(std::u16string_view text) {
  std::u16string out;
  for (char16_t c : text)
    if (c != u'_' && c != u' ') out.push_back(c);
  return out;
}

std::u16string_view DatumTextPart(std::u16string_view text) {
  return text.size() > kDatumOffset ? text.substr(kDatumOffset) : std::u16string_view();
}

bool IsValidDate(int jahr, int monat, int tag) {
  return jahr >= 1 && jahr <= 9999 && monat >= 1 && monat <= 12 && tag >= 1 &&
         tag <= DaysInMonth(jahr, monat);
}

// Same day in the month count months away; a day beyond its end becomes the last day.
TDateTime AddMonths(TDateTime datum, int months) {
  const TDatumTeile t = DecodeDatum(datum);
  const int index = t.Jahr * 12 + (t.Monat - 1) + months;
  const int jahr = index / 12;
  const int monat = index % 12 + 1;
  return EncodeDatum(jahr, monat, std::min(t.Tag, DaysInMonth(jahr, monat)));
}

// The month's last day for the substitute date; February always has 28 here.
int SubstituteLastDay(int monat) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return monat >= 1 && monat <= 12 ? kDays[monat - 1] : 0;
}

TDateTime Clamped(TDateTime d, TDateTime lo, TDateTime hi) {
  if (d < lo) return lo;
  if (d > hi) return hi;
  return d;
}

}  // namespace

bool TryReadDatum(std::u16string_view text, TDateTime& datum) {
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && text[i] == u' ') ++i;
  };
  auto number = [&](int& value) {
    const size_t start = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') ++i;
    return ReadDigits(text.substr(start, i - start), value);
  };
  auto separator = [&] {
    if (i >= text.size() || text[i] != u'.') return false;
    ++i;
    return true;
  };
  int tag = 0, monat = 0, jahr = 0;
  skipBlanks();
  if (!number(tag) || !separator() || !number(monat) || !separator() || !number(jahr)) return false;
  skipBlanks();
  if (i != text.size() || !IsValidDate(jahr, monat, tag)) return false;
  datum = EncodeDatum(jahr, monat, tag);
  return true;
}

std::u16string WochentagKurz(TDateTime datum, const TWeekdayNames& names) {
  std::u16string name = names[static_cast<size_t>(DayOfWeek(datum))];
  if (name.size() < 2) name.insert(0, 2 - name.size(), u' ');
  return name.substr(0, 2);
}

std::u16string DatumPickerText(TDateTime datum, const TWeekdayNames& names) {
  const TDatumTeile t = DecodeDatum(datum);
  return WochentagKurz(datum, names) + u", " + ZeroPadded(t.Tag, 2) + u"." +
         ZeroPadded(t.Monat, 2) + u"." + ZeroPadded(t.Jahr, 4) + u" ";
}

TDatePickerModel::TDatePickerModel(const TWeekdayNames& names, TDateTime today)
    : FNames(names), FDatum(today), FMinDatum(today), FMaxDatum(today) {
  SetDatum(today);
}

TDatePickerModel::TPartRange TDatePickerModel::PartRange(int part) {
  static constexpr TPartRange kRanges[] = {{0, 2}, {4, 2}, {7, 2}, {10, 4}};
  return kRanges[std::clamp(part, 0, 3)];
}

void TDatePickerModel::SetSelection(int start, int length) {
  const int size = static_cast<int>(FText.size());
  FSelStart = std::clamp(start, 0, size);
  FSelLength = std::clamp(length, 0, size - FSelStart);
}

std::u16string TDatePickerModel::SelectedText() const {
  return FText.substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength));
}

void TDatePickerModel::ReplaceSelection(std::u16string_view with) {
  FText.replace(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength), with);
  FSelStart += static_cast<int>(with.size());
  FSelLength = 0;
}

bool TDatePickerModel::SelectionIsMarkedPart() const {
  const TPartRange r = PartRange(FMarkiereNr);
  return FSelStart == r.Start && FSelLength == r.Length;
}

void TDatePickerModel::Markiere(bool MerkeS) {
  const TPartRange r = PartRange(FMarkiereNr);
  SetSelection(r.Start, r.Length);
  if (MerkeS) FGemerkt = SelectedText();
}

void TDatePickerModel::SetDatum(TDateTime x) {
  if (std::isnan(x) || x < FMinDatum)
    x = FMinDatum;
  else if (x > FMaxDatum)
    x = FMaxDatum;
  FDatum = std::trunc(x);
  FText = DatumPickerText(FDatum, FNames);
  Markiere(true);
}

void TDatePickerModel::SetMarkiereNr(int v) {
  v = std::clamp(v, 0, 3);
  if (v == FMarkiereNr) return;
  CheckEingabe();
  FMarkiereNr = v;
  Markiere(true);
}

void TDatePickerModel::CheckEingabe() {
  if (FMarkiereNr == dtWochentag) return;
  // Only the marked part is checked: a selection the mouse dragged across other parts
  // must not be overwritten with the part's text.
  if (!SelectionIsMarkedPart()) Markiere(false);

  std::u16string t = WithoutPlaceholders(SelectedText());
  int v = 0;
  if (!ReadDigits(t, v)) v = 0;
  if (v == 0) {
    t = FGemerkt;
  } else {
    int upper = 31;
    if (FMarkiereNr == dtMonat) upper = 12;
    if (FMarkiereNr == dtJahr) {
      const int minJahr = DecodeDatum(FMinDatum).Jahr;
      if (v < minJahr) t = ZeroPadded(minJahr, 1);
      upper = DecodeDatum(FMaxDatum).Jahr;
    }
    int value = 0;
    if (ReadDigits(t, value) && value > upper) t = ZeroPadded(upper, 1);
  }
  if (FMarkiereNr != dtJahr && t.size() == 1) t.insert(0, 1, u'0');
  if (FMarkiereNr == dtJahr && t.size() < 4) t.append(4 - t.size(), u'0');

  const int start = FSelStart;
  ReplaceSelection(t);
  SetSelection(start, static_cast<int>(t.size()));

  TDateTime datum = 0;
  // A day the month does not have stays as typed; the dialogs report it.
  if (!TryReadDatum(DatumTextPart(FText), datum)) return;
  const std::u16string wochentag = WochentagKurz(datum, FNames);
  if (FText.compare(0, 2, wochentag) != 0) FText.replace(0, 2, wochentag);
}

TDateTime TDatePickerModel::Datum() {
  CheckEingabe();
  const std::u16string t = WithoutPlaceholders(DatumTextPart(FText));
  if (t.empty()) return FMinDatum;
  TDateTime datum = 0;
  if (TryReadDatum(t, datum)) return Clamped(datum, FMinDatum, FMaxDatum);
  // A day the month does not have: the month's last day stands in for it.
  int jahr = 0, monat = 0;
  if (t.size() >= 6 && ReadDigits(std::u16string_view(t).substr(6, 4), jahr) &&
      ReadDigits(std::u16string_view(t).substr(3, 2), monat)) {
    const int tag = SubstituteLastDay(monat);
    // Kept inside the control's range like every other value it returns.
    if (IsValidDate(jahr, monat, tag))
      return Clamped(EncodeDatum(jahr, monat, tag), FMinDatum, FMaxDatum);
  }
  return FMinDatum;
}

void TDatePickerModel::SetMinDatum(TDateTime x) {
  const TDateTime d = Datum();
  FMinDatum = x;
  if (x > d) SetDatum(x);
}

void TDatePickerModel::SetMaxDatum(TDateTime x) {
  const TDateTime d = Datum();
  FMaxDatum = x;
  if (x < d) SetDatum(x);
}

void TDatePickerModel::StepDatum(bool Up, int Count) {
  const int s = Up ? Count : -Count;
  CheckEingabe();
  const TDateTime d = Datum();
  switch (FMarkiereNr) {
    case dtWochentag:
      SetDatum(d + s);
      break;
    case dtTag:
      StepTag(d, s);
      break;
    case dtMonat:
      StepMonat(d, s);
      break;
    default:
      StepJahr(d, s);
      break;
  }
}

// Only the exact bound stops: a step of seven from the 28th may enter the next month.
void TDatePickerModel::StepTag(TDateTime d, int s) {
  const TDatumTeile t = DecodeDatum(d);
  const TDatumTeile lo = DecodeDatum(FMinDatum);
  const TDatumTeile hi = DecodeDatum(FMaxDatum);
  const int lowest = (t.Jahr == lo.Jahr && t.Monat == lo.Monat) ? lo.Tag : 1;
  const int highest =
      (t.Jahr == hi.Jahr && t.Monat == hi.Monat) ? hi.Tag : DaysInMonth(t.Jahr, t.Monat);
  if ((s < 0 && t.Tag == lowest) || (s > 0 && t.Tag == highest)) return;
  SetDatum(d + s);
}

void TDatePickerModel::StepMonat(TDateTime d, int s) {
  const TDatumTeile t = DecodeDatum(d);
  const TDatumTeile lo = DecodeDatum(FMinDatum);
  const TDatumTeile hi = DecodeDatum(FMaxDatum);
  const int lowest = t.Jahr == lo.Jahr ? lo.Monat : 1;
  const int highest = t.Jahr == hi.Jahr ? hi.Monat : 12;
  if ((s < 0 && t.Monat == lowest) || (s > 0 && t.Monat == highest)) return;
  SetDatum(AddMonths(d, s));
}

// The count does not matter: the page keys move one year too.
void TDatePickerModel::StepJahr(TDateTime d, int s) {
  const int jahr = DecodeDatum(d).Jahr;
  if (s < 0 && jahr == DecodeDatum(FMinDatum).Jahr)
    SetDatum(FMinDatum);
  else if (s > 0 && jahr == DecodeDatum(FMaxDatum).Jahr)
    SetDatum(FMaxDatum);
  else
    SetDatum(AddMonths(d, s > 0 ? 12 : -12));
}

TDatumFeedback TDatePickerModel::KeyDown(TDatumKey key) {
  const bool changes = key == TDatumKey::PageUp || key == TDatumKey::PageDown ||
                       key == TDatumKey::Delete || key == TDatumKey::Up || key == TDatumKey::Down;
  if (changes && ReadOnly) return TDatumFeedback::Beep;
  switch (key) {
    case TDatumKey::Left:
      SetMarkiereNr(FMarkiereNr - 1);
      break;
    case TDatumKey::Right:
      SetMarkiereNr(FMarkiereNr + 1);
      break;
    case TDatumKey::Home:
      SetMarkiereNr(dtWochentag);
      break;
    case TDatumKey::End:
      SetMarkiereNr(dtJahr);
      break;
    case TDatumKey::PageUp:
      StepDatum(true, 7);
      break;
    case TDatumKey::PageDown:
      StepDatum(false, 7);
      break;
    case TDatumKey::Up:
      StepDatum(true, 1);
      break;
    case TDatumKey::Down:
      StepDatum(false, 1);
      break;
    case TDatumKey::Delete:
      break;
  }
  return TDatumFeedback::None;
}

TDatumFeedback TDatePickerModel::ArrowClicked(bool up) {
  return KeyDown(up ? TDatumKey::Up : TDatumKey::Down);
}

TDatumFeedback TDatePickerModel::CharTyped(char16_t c) {
  if (ReadOnly) return TDatumFeedback::Beep;
  if (FMarkiereNr == dtWochentag) return TDatumFeedback::None;
  if (c == u'\b')
    ClearMarkedPart();
  else if (c >= u'0' && c <= u'9')
    return TypeDigit(c);
  return TDatumFeedback::None;
}

void TDatePickerModel::ClearMarkedPart() {
  Markiere(false);
  ReplaceSelection(FMarkiereNr == dtJahr ? u"____" : u"__");
  Markiere(false);
}

TDatumFeedback TDatePickerModel::TypeDigit(char16_t digit) {
  const TPartRange part = PartRange(FMarkiereNr);
  if (FSelLength > 0) {
    // A fresh part: the digit starts it, placeholders fill the rest.
    if (!SelectionIsMarkedPart()) Markiere(false);
    std::u16string started(1, digit);
    started.append(static_cast<size_t>(part.Length - 1), u'_');
    ReplaceSelection(started);
    SetSelection(part.Start + 1, 0);
    return TDatumFeedback::None;
  }
  auto placeholderAtCaret = [this] {
    return FSelStart < static_cast<int>(FText.size()) && FText[FSelStart] == u'_';
  };
  const bool placed = placeholderAtCaret();
  if (placed) {
    FText[static_cast<size_t>(FSelStart)] = digit;
    ++FSelStart;
  }
  if (placeholderAtCaret()) return TDatumFeedback::None;
  // The part is full.
  if (FMarkiereNr != dtJahr) {
    SetMarkiereNr(FMarkiereNr + 1);
    return TDatumFeedback::None;
  }
  return placed ? TDatumFeedback::None : TDatumFeedback::Beep;
}

void TDatePickerModel::MouseReleased() {
  const int caret = FSelStart;
  int part = dtJahr;
  if (caret <= 3)
    part = dtWochentag;
  else if (caret <= 6)
    part = dtTag;
  else if (caret <= 9)
    part = dtMonat;
  SetMarkiereNr(part);
}

bool IsValidDialogDateText(std::u16string_view text) {
  TDateTime datum = 0;
  // TryReadDatum allows the blanks around the date.
  return TryReadDatum(DatumTextPart(text), datum) && datum >= ProgMinDatum && datum <= ProgMaxDatum;
}

bool IsValidDialogDate(TDatePickerModel& picker) {
  picker.CheckEingabe();
  return IsValidDialogDateText(picker.Text());
}

}  // namespace tvn
