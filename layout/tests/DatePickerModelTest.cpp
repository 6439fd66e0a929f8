#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "layout/DatePickerModel.h"

namespace tvn {
namespace {

const TWeekdayNames kGerman = {u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa"};

TDateTime D(int jahr, int monat, int tag) {
  return EncodeDatum(jahr, monat, tag);
}

// A control as the dialogs set it up: the program's whole range, a given date, day marked.
class DatePicker : public ::testing::Test {
 protected:
  DatePicker() : picker(kGerman, D(2023, 7, 1)) {
    picker.SetMinDatum(ProgMinDatum);
    picker.SetMaxDatum(ProgMaxDatum);
    Show(D(2024, 3, 15));
  }
  void Show(TDateTime datum, int teil = dtTag) {
    picker.SetDatum(datum);
    picker.SetMarkiereNr(teil);
  }
  TDatumFeedback Type(std::u16string_view chars) {
    TDatumFeedback last = TDatumFeedback::None;
    for (char16_t c : chars) last = picker.CharTyped(c);
    return last;
  }
  std::u16string Selected() const {
    return picker.Text().substr(static_cast<size_t>(picker.SelStart()),
                                static_cast<size_t>(picker.SelLength()));
  }

  TDatePickerModel picker;
};

TEST(DatePickerText, FixedFifteenCharacterForm) {
  EXPECT_EQ(DatumPickerText(D(2024, 3, 15), kGerman), u"Fr, 15.03.2024 ");
  EXPECT_EQ(DatumPickerText(D(1900, 1, 1), kGerman), u"Mo, 01.01.1900 ");
  const TWeekdayNames odd = {u"S", u"Montag", u"", u"W", u"T", u"F", u"S"};
  EXPECT_EQ(WochentagKurz(D(2024, 3, 10), odd), u" S");
  EXPECT_EQ(WochentagKurz(D(2024, 3, 11), odd), u"Mo");
  EXPECT_EQ(WochentagKurz(D(2024, 3, 12), odd), u"  ");
}

TEST(DatePickerText, ReadsDayMonthYearOnly) {
  struct Case {
    const char16_t* text;
    bool ok;
    TDateTime datum;
  };
  const Case cases[] = {
      {u"15.03.2024 ", true, D(2024, 3, 15)},
      {u" 1.3.2024", true, D(2024, 3, 1)},
      {u"29.02.2024", true, D(2024, 2, 29)},
      {u"29.02.2023", false, 0},
      {u"31.04.2024", false, 0},
      {u"15.03", false, 0},
      {u"15.13.2024", false, 0},
      {u"15.03.2024x", false, 0},
      {u"__.03.2024", false, 0},
      {u"", false, 0},
  };
  for (const Case& c : cases) {
    TDateTime datum = -1;
    const bool ok = TryReadDatum(c.text, datum);
    EXPECT_EQ(ok, c.ok) << "case " << &c - cases;
    if (ok && c.ok) {
      EXPECT_EQ(datum, c.datum) << "case " << &c - cases;
    }
  }
}

TEST(DatePickerStart, TodayInARangeOfTodayWithTheDayMarked) {
  const TDateTime today = D(2024, 3, 15);
  TDatePickerModel fresh(kGerman, today);
  EXPECT_EQ(fresh.Text(), u"Fr, 15.03.2024 ");
  EXPECT_EQ(fresh.MarkiereNr(), dtTag);
  EXPECT_EQ(fresh.SelStart(), 4);
  EXPECT_EQ(fresh.SelLength(), 2);
  EXPECT_EQ(fresh.Gemerkt(), u"15");
  EXPECT_EQ(fresh.MinDatum(), today);
  EXPECT_EQ(fresh.MaxDatum(), today);
}

TEST_F(DatePicker, WritingKeepsTheDayInsideTheRange) {
  picker.SetDatum(D(2024, 3, 15) + 0.75);
  EXPECT_EQ(picker.Datum(), D(2024, 3, 15));
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
  picker.SetDatum(ProgMinDatum - 30);
  EXPECT_EQ(picker.Text(), u"Mo, 01.01.1900 ");
  picker.SetDatum(ProgMaxDatum + 1);
  EXPECT_EQ(picker.Text(), u"Fr, 31.12.2500 ");
  picker.SetDatum(std::nan(""));
  EXPECT_EQ(picker.Datum(), ProgMinDatum);
}

TEST_F(DatePicker, WritingMarksAndRemembersTheMarkedPartAgain) {
  picker.SetMarkiereNr(dtJahr);
  picker.SetDatum(D(2031, 8, 9));
  EXPECT_EQ(picker.MarkiereNr(), dtJahr);
  EXPECT_EQ(Selected(), u"2031");
  EXPECT_EQ(picker.Gemerkt(), u"2031");
}

TEST_F(DatePicker, TypedDigitsAdvanceThroughDayMonthAndYear) {
  Show(D(2023, 7, 1));
  Type(u"1");
  EXPECT_EQ(picker.Text(), u"Sa, 1_.07.2023 ");
  EXPECT_EQ(picker.SelStart(), 5);
  EXPECT_EQ(picker.SelLength(), 0);
  Type(u"5");
  EXPECT_EQ(picker.MarkiereNr(), dtMonat);
  EXPECT_EQ(Selected(), u"07");
  EXPECT_EQ(picker.Text(), u"Sa, 15.07.2023 ");
  EXPECT_EQ(Type(u"03"), TDatumFeedback::None);
  EXPECT_EQ(picker.MarkiereNr(), dtJahr);
  Type(u"2");
  EXPECT_EQ(picker.Text(), u"Mi, 15.03.2___ ");
  EXPECT_EQ(Type(u"024"), TDatumFeedback::None);
  EXPECT_EQ(picker.MarkiereNr(), dtJahr);  // the year stays marked after its fourth digit
  EXPECT_EQ(picker.Datum(), D(2024, 3, 15));
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
}

TEST_F(DatePicker, FifthYearDigitBeepsAndChangesNothing) {
  picker.SetMarkiereNr(dtJahr);
  Type(u"2024");
  const std::u16string before = picker.Text();
  EXPECT_EQ(Type(u"5"), TDatumFeedback::Beep);
  EXPECT_EQ(picker.Text(), before);
  EXPECT_EQ(picker.MarkiereNr(), dtJahr);
}

TEST_F(DatePicker, LeavingAPartRepairsIt) {
  struct Case {
    int teil;
    const char16_t* typed;
    const char16_t* text;  // after leaving the part to the left
  };
  const Case cases[] = {
      {dtTag, u"4", u"Mo, 04.03.2024 "},   // padded
      {dtTag, u"0", u"Fr, 15.03.2024 "},   // zero: the remembered day comes back
      {dtTag, u"\b", u"Fr, 15.03.2024 "},  // cleared: the same
      {dtMonat, u"0", u"Fr, 15.03.2024 "},
      {dtJahr, u"2", u"Do, 15.03.1900 "},     // below the first year
      {dtJahr, u"2600", u"Mo, 15.03.2500 "},  // above the last year
      {dtJahr, u"0000", u"Fr, 15.03.2024 "},
      {dtJahr, u"\b", u"Fr, 15.03.2024 "},
  };
  for (const Case& c : cases) {
    Show(D(2024, 3, 15), c.teil);
    Type(c.typed);
    picker.KeyDown(TDatumKey::Left);
    EXPECT_EQ(picker.Text(), c.text) << "case " << &c - cases;
  }
}

TEST_F(DatePicker, DayAboveThirtyOneBecomesThirtyOne) {
  Type(u"45");  // the second digit leaves the day
  EXPECT_EQ(picker.Text(), u"So, 31.03.2024 ");
  EXPECT_EQ(picker.MarkiereNr(), dtMonat);
  Type(u"19");
  EXPECT_EQ(picker.Text(), u"Di, 31.12.2024 ");
}

TEST_F(DatePicker, BackspaceClearsToPlaceholdersAndKeepsThePartSelected) {
  Type(u"\b");
  EXPECT_EQ(picker.Text(), u"Fr, __.03.2024 ");
  EXPECT_EQ(Selected(), u"__");
  picker.SetMarkiereNr(dtJahr);
  Type(u"\b");
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.____ ");
  EXPECT_EQ(Selected(), u"____");
  picker.SetMarkiereNr(dtWochentag);
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
  Type(u"\b7");
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
}

TEST_F(DatePicker, DayTheMonthLacksStaysAndReadsAsTheMonthsEnd) {
  Type(u"31042024");
  // The day was checked while March was shown (a Sunday); April 31 refreshes nothing.
  EXPECT_EQ(picker.Text(), u"So, 31.04.2024 ");
  EXPECT_FALSE(IsValidDialogDate(picker));
  EXPECT_EQ(picker.Datum(), D(2024, 4, 30));
  EXPECT_EQ(picker.Text(), u"So, 31.04.2024 ");

  Show(D(2024, 3, 15));
  Type(u"3002");
  EXPECT_EQ(picker.Datum(), D(2024, 2, 28));  // February counts 28, leap year or not
  Show(D(2024, 2, 29));
  EXPECT_TRUE(IsValidDialogDate(picker));
}

TEST_F(DatePicker, ValidDialogDateChecksTheMarkedPartFirst) {
  picker.SetMarkiereNr(dtJahr);
  Type(u"2");  // "2___" would not read as a date unchecked
  EXPECT_TRUE(IsValidDialogDate(picker));
  EXPECT_EQ(picker.Text(), u"Do, 15.03.1900 ");
}

TEST_F(DatePicker, SubstituteDateStaysInsideTheControlsRange) {
  picker.SetMinDatum(D(2024, 5, 10));
  picker.SetMaxDatum(D(2024, 12, 31));
  Show(D(2024, 6, 1));
  Type(u"3104");
  EXPECT_EQ(picker.Datum(), D(2024, 5, 10));
}

TEST_F(DatePicker, SteppingTheMarkedPart) {
  struct Case {
    TDateTime start;
    int teil;
    TDatumKey key;
    TDateTime result;
  };
  const Case cases[] = {
      {D(2024, 1, 31), dtTag, TDatumKey::Up, D(2024, 1, 31)},
      {D(2024, 3, 28), dtTag, TDatumKey::PageUp, D(2024, 4, 4)},
      {D(2024, 5, 1), dtTag, TDatumKey::Down, D(2024, 5, 1)},
      {D(2024, 5, 3), dtTag, TDatumKey::PageDown, D(2024, 4, 26)},
      {D(2024, 12, 9), dtMonat, TDatumKey::Up, D(2024, 12, 9)},
      {D(2024, 1, 31), dtMonat, TDatumKey::Up, D(2024, 2, 29)},
      {D(2024, 1, 31), dtMonat, TDatumKey::Down, D(2024, 1, 31)},
      {D(2024, 3, 31), dtMonat, TDatumKey::PageUp, D(2024, 10, 31)},
      {D(2024, 11, 30), dtMonat, TDatumKey::PageDown, D(2024, 4, 30)},
      {D(2500, 6, 15), dtJahr, TDatumKey::Up, D(2500, 12, 31)},
      {D(1900, 6, 15), dtJahr, TDatumKey::Down, D(1900, 1, 1)},
      {D(2024, 2, 29), dtJahr, TDatumKey::Up, D(2025, 2, 28)},
      {D(2024, 2, 29), dtJahr, TDatumKey::PageDown, D(2023, 2, 28)},
      {D(2024, 3, 15), dtWochentag, TDatumKey::Up, D(2024, 3, 16)},
      {D(2024, 3, 15), dtWochentag, TDatumKey::PageDown, D(2024, 3, 8)},
      {D(1900, 1, 3), dtWochentag, TDatumKey::PageDown, D(1900, 1, 1)},
  };
  for (const Case& c : cases) {
    Show(c.start, c.teil);
    picker.KeyDown(c.key);
    EXPECT_EQ(picker.Datum(), c.result) << c.start << " part " << c.teil;
    EXPECT_EQ(picker.MarkiereNr(), c.teil);
    EXPECT_EQ(picker.Gemerkt(), Selected());
  }
}

TEST_F(DatePicker, DayAndMonthStopAtTheControlsOwnBounds) {
  picker.SetMinDatum(D(2024, 3, 10));
  picker.SetMaxDatum(D(2024, 8, 20));
  Show(D(2024, 3, 10));
  picker.KeyDown(TDatumKey::Down);
  EXPECT_EQ(picker.Datum(), D(2024, 3, 10));
  Show(D(2024, 3, 12));
  picker.KeyDown(TDatumKey::PageDown);  // would be March 5: held at the first day
  EXPECT_EQ(picker.Datum(), D(2024, 3, 10));
  Show(D(2024, 8, 15), dtMonat);
  picker.KeyDown(TDatumKey::Up);
  EXPECT_EQ(picker.Datum(), D(2024, 8, 15));
  Show(D(2024, 7, 31), dtMonat);
  picker.KeyDown(TDatumKey::Up);
  EXPECT_EQ(picker.Datum(), D(2024, 8, 20));
}

TEST_F(DatePicker, StepChecksTypingFirst) {
  Type(u"2");  // "2_" becomes 02 before stepping
  picker.ArrowClicked(true);
  EXPECT_EQ(picker.Datum(), D(2024, 3, 3));
}

TEST_F(DatePicker, MovingTheMark) {
  struct Case {
    int from;
    TDatumKey key;
    int to;
  };
  const Case cases[] = {
      {dtTag, TDatumKey::Left, dtWochentag},   {dtWochentag, TDatumKey::Left, dtWochentag},
      {dtTag, TDatumKey::Right, dtMonat},      {dtJahr, TDatumKey::Right, dtJahr},
      {dtMonat, TDatumKey::Home, dtWochentag}, {dtTag, TDatumKey::End, dtJahr},
  };
  for (const Case& c : cases) {
    Show(D(2024, 3, 15), c.from);
    picker.KeyDown(c.key);
    EXPECT_EQ(picker.MarkiereNr(), c.to);
    EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
    EXPECT_EQ(Selected(), picker.Gemerkt());
  }
  EXPECT_EQ(picker.KeyDown(TDatumKey::Delete), TDatumFeedback::None);
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
}

TEST_F(DatePicker, RemarkingTheSamePartLeavesTheSelection) {
  picker.SetSelection(5, 0);
  picker.Enter();  // the day is marked already
  EXPECT_EQ(picker.SelStart(), 5);
  EXPECT_EQ(picker.SelLength(), 0);
}

TEST_F(DatePicker, MouseReleaseMarksThePartUnderTheCaret) {
  struct Case {
    int caret, teil;
  };
  const Case cases[] = {{8, dtMonat}, {3, dtWochentag}, {0, dtWochentag}, {4, dtTag},
                        {6, dtTag},   {9, dtMonat},     {10, dtJahr},     {15, dtJahr}};
  for (const Case& c : cases) {
    Show(D(2024, 3, 15), c.teil == dtTag ? dtMonat : dtTag);
    picker.SetSelection(c.caret, 0);
    picker.MouseReleased();
    EXPECT_EQ(picker.MarkiereNr(), c.teil) << c.caret;
  }
  // Leaving the day by a click checks it.
  Show(D(2024, 3, 15));
  Type(u"7");
  picker.SetSelection(12, 0);
  picker.MouseReleased();
  EXPECT_EQ(picker.Text(), u"Do, 07.03.2024 ");
  EXPECT_EQ(Selected(), u"2024");
}

TEST_F(DatePicker, DigitWithTheCaretInsideAFullPartIsDroppedAndTheNextPartMarked) {
  picker.SetSelection(5, 0);
  EXPECT_EQ(Type(u"7"), TDatumFeedback::None);
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
  EXPECT_EQ(picker.MarkiereNr(), dtMonat);
}

TEST_F(DatePicker, SelectionDraggedAcrossPartsDoesNotCorruptTheText) {
  picker.SetSelection(4, 6);  // "15.03."
  picker.KeyDown(TDatumKey::Right);
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
  EXPECT_EQ(picker.MarkiereNr(), dtMonat);
  picker.SetSelection(6, 5);
  Type(u"1");
  EXPECT_EQ(picker.Text(), u"Fr, 15.1_.2024 ");
}

TEST_F(DatePicker, ReadOnlyBeepsAtEveryChangeAndStillMovesTheMark) {
  picker.ReadOnly = true;
  for (char16_t c : std::u16string(u"5\bx")) EXPECT_EQ(picker.CharTyped(c), TDatumFeedback::Beep);
  for (TDatumKey key :
       {TDatumKey::PageUp, TDatumKey::PageDown, TDatumKey::Delete, TDatumKey::Up, TDatumKey::Down})
    EXPECT_EQ(picker.KeyDown(key), TDatumFeedback::Beep);
  EXPECT_EQ(picker.ArrowClicked(true), TDatumFeedback::Beep);
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
  EXPECT_EQ(picker.KeyDown(TDatumKey::Right), TDatumFeedback::None);
  EXPECT_EQ(picker.MarkiereNr(), dtMonat);
}

TEST_F(DatePicker, OtherCharactersAreConsumedWithoutEffect) {
  Type(u"a.- ");
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
  EXPECT_EQ(Selected(), u"15");
}

TEST_F(DatePicker, NarrowingTheRangeMovesTheDate) {
  picker.SetMinDatum(D(2024, 6, 1));
  EXPECT_EQ(picker.Datum(), D(2024, 6, 1));
  picker.SetMaxDatum(D(2024, 6, 20));
  EXPECT_EQ(picker.Datum(), D(2024, 6, 1));
  picker.SetDatum(D(2024, 6, 15));
  picker.SetMaxDatum(D(2024, 6, 10));
  EXPECT_EQ(picker.Datum(), D(2024, 6, 10));
  // Widening leaves the date alone.
  picker.SetMinDatum(ProgMinDatum);
  EXPECT_EQ(picker.Datum(), D(2024, 6, 10));
}

TEST_F(DatePicker, ShowingAgainDropsUnreadTyping) {
  Type(u"2");
  picker.ShowDatumAgain();
  EXPECT_EQ(picker.Text(), u"Fr, 15.03.2024 ");
  EXPECT_EQ(Selected(), u"15");
}

}  // namespace
}  // namespace tvn
