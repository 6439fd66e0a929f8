// The layout toolkit every window uses: measuring in the program font, natural control
// heights, word-wrapping check boxes, the button area at the bottom of a window, the
// scrolling content box above it and fitting a dialog over its owner. The arithmetic is
// in LayoutMath; this file measures real fonts and applies the rectangles to controls.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "layout/KxDatePicker.h"
#include "layout/LayoutMath.h"
#include "winui/Controls.h"
#include "winui/Form.h"

namespace tvn {

// Measures on a screen device context in one font.
class TFontMeasure : public TTextMeasure {
 public:
  explicit TFontMeasure(const winui::TFont& font);
  int TextHeight() const override;
  int TextWidth(std::u16string_view text) const override;
  int WrappedTextHeight(std::u16string_view text, int width) const override;

 private:
  HFONT FFont;
};

// The font itself, or the system's icon-title font when none is given.
const winui::TFont& FontOrDefault(const winui::TFont* font);
int FontTextHeight(const winui::TFont& font);
int FontTextWidth(const winui::TFont& font, std::u16string_view text);
int PaddedTextWidth(const winui::TFont& font, std::u16string_view text);
TControlKind ControlKindOf(const winui::TControl& control);
int ControlHeightForFont(const winui::TFont& font, const winui::TControl& control);

// Word wrap on, bounds (left, top, width, height for the caption in AktFont); the height.
int FitCheckBox(winui::TCheckBox& box, int left, int top, int width);
// Word wrap on for every button; one common size in AktFont, at most maxWidth wide.
TLayoutSize MeasureButtons(const std::vector<winui::TButton*>& buttons, int maxWidth);

// Work area of the monitor that shows the form's owner form (or the form itself).
TLayoutRect GetMonitorWorkArea(const winui::TCustomForm& form);
TLayoutRect GetDialogArea(const winui::TCustomForm& form);
void CenterInDialogArea(winui::TCustomForm& form);

// The box of a window's buttons: a button that gets the focus is scrolled into view.
class TButtonScrollBox : public winui::TScrollBox {
 public:
  explicit TButtonScrollBox(winui::TControl* AParent);
  void ButtonEnter(winui::TControl* Sender);
};

// Creates the button area on the first call (the buttons move into it, in list order)
// and arranges the buttons in centred rows at the bottom of the room between top and
// bottom; returns the area's top.
int ArrangeButtonArea(winui::TCustomForm& form, std::unique_ptr<TButtonScrollBox>& buttonArea,
                      const std::vector<winui::TButton*>& buttons, int top, int bottom);

// Sizes a dialog from its owner and the monitor, creates the content box on the first
// call (every label, edit, date control, check box and radio group of the form moves into
// it), arranges the buttons and centres the dialog. A maximum of 0 means no limit.
void SetupDialogLayout(winui::TCustomForm& form, std::unique_ptr<winui::TScrollBox>& content,
                       std::unique_ptr<TButtonScrollBox>& buttonArea,
                       const std::vector<winui::TButton*>& buttons, int maxClientWidth,
                       int maxClientHeight);

// The focus handler of the controls in a content box: the control becomes fully visible.
void ScrollControlIntoView(winui::TScrollBox* content, winui::TControl& control);

// The control's text (its marked part checked first) is a date of the program's range.
bool IsValidDialogDate(TDatePicker& picker);
// The control and its arrows together.
void SetDatePickerEnabled(TDatePicker& picker, bool enabled);

}  // namespace tvn
