// The arithmetic of the font-driven dialog layout, on plain rectangles and measured
// sizes. The window side (TvnLayout) measures with the program font, calls these and
// only applies the rectangles; tests measure with fixed metrics.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvn {

inline constexpr int kOuterMargin = 10;     // client edge to content box / button area
inline constexpr int kLayoutGap = 10;       // between rows or columns of controls
inline constexpr int kLabelGap = 5;         // between a label and its field
inline constexpr int kButtonGap = 5;        // between buttons, both ways
inline constexpr int kScreenReserve = 50;   // a dialog is this much smaller than its area
inline constexpr int kMinDialogSize = 250;  // ... but not below this
inline constexpr int kFallbackTextHeight = 12;
inline constexpr char16_t kButtonCaptionPad[] = u"MM";
inline constexpr int kButtonTextInset = 16;
inline constexpr int kButtonHeightPad = 12;
inline constexpr int kCheckBoxTextInset = 12;  // plus the width of a check mark
inline constexpr int kCheckBoxHeightPad = 8;

struct TLayoutRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
  bool operator==(const TLayoutRect&) const = default;
};

struct TLayoutSize {
  int Width = 0, Height = 0;
  bool operator==(const TLayoutSize&) const = default;
};

// Text measuring in one font. The program measures on a screen device context; every
// function returns 0 when measuring fails.
class TTextMeasure {
 public:
  virtual ~TTextMeasure() = default;
  // Character cell height (ascent plus descent).
  virtual int TextHeight() const = 0;
  // Width on one line; 0 for an empty text.
  virtual int TextWidth(std::u16string_view text) const = 0;
  // Height of the text word-wrapped into width, "&" taken as a plain character.
  virtual int WrappedTextHeight(std::u16string_view text, int width) const = 0;
};

enum class TControlKind { Label, Edit, DatePicker, Button, StatusBar, RadioGroup, CheckBox, Other };

// "A&utor*:" -> "Autor*:"; every "&" goes, doubled ones too.
std::u16string StripAmpersands(std::u16string_view text);

// The text followed by one blank: every width derived from a text uses this form.
int PaddedTextWidth(const TTextMeasure& font, std::u16string_view text);

// Natural height of a control kind for a font of that text height (12 when the font
// reports none).
int ControlHeightForTextHeight(int textHeight, TControlKind kind);
int ControlHeightForFont(const TTextMeasure& font, TControlKind kind);

// Height of a word-wrapping check box of the given width.
int FitCheckBoxHeight(const TTextMeasure& font, std::u16string_view caption, int width,
                      int checkMarkWidth);

// One common size for a set of buttons, at most maxWidth wide (captions wrap).
TLayoutSize MeasureButtons(const TTextMeasure& font, const std::vector<std::u16string>& captions,
                           int maxWidth);

// The rectangle a dialog may occupy: the owner's bounds clipped to the work area, or,
// for an owner outside the work area, a rectangle of the owner's size centred in it.
// Without an owner the whole work area.
TLayoutRect DialogArea(const TLayoutRect& workArea, const TLayoutRect* owner);

// Outer bounds of a form of that outer size centred in the area, never larger than it.
TLayoutRect CenterInArea(const TLayoutRect& area, TLayoutSize outer);

// A dialog's outer size: its area less the screen reserve, not below the minimum dialog
// size unless the area itself is smaller.
TLayoutSize DialogOuterSize(const TLayoutRect& area);

// Outer and client size of a dialog. frame is outer size minus client size; a limit of 0
// means none.
struct TDialogSizes {
  TLayoutSize Outer, Client;
};
TDialogSizes DialogSizes(const TLayoutRect& area, TLayoutSize frame, int maxClientWidth,
                         int maxClientHeight);

// The content box above a button area that starts at areaTop.
TLayoutRect ContentBoxBounds(int clientWidth, int areaTop);

// Width the buttons may use: the room of a vertical scroll bar is always kept free.
int ButtonAreaAvailWidth(int clientWidth, int scrollBarWidth);

// The button area at the bottom of a form: its bounds in the client area and every
// button's bounds inside the area (in list order, before any scrolling).
struct TButtonAreaLayout {
  TLayoutRect Area;
  std::vector<TLayoutRect> Buttons;
  int Columns = 1;
  int NeededHeight = 0;  // more than Area.Height: the area scrolls
};
TButtonAreaLayout ArrangeButtons(int clientWidth, int clientHeight, int top, int bottom,
                                 int availWidth, TLayoutSize buttonSize, int buttonCount);

}  // namespace tvn
