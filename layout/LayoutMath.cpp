#include "layout/LayoutMath.h"

#include <algorithm>

namespace tvn {

std::u16string StripAmpersands(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text)
    if (c != u'&') out.push_back(c);
  return out;
}

int PaddedTextWidth(const TTextMeasure& font, std::u16string_view text) {
  std::u16string padded(text);
  padded.push_back(u' ');
  return font.TextWidth(padded);
}

int ControlHeightForTextHeight(int textHeight, TControlKind kind) {
  const int h = textHeight > 0 ? textHeight : kFallbackTextHeight;
  switch (kind) {
    case TControlKind::Edit:
    case TControlKind::DatePicker:
    case TControlKind::RadioGroup:
    case TControlKind::CheckBox:
      return h + 8;
    case TControlKind::Button:
      return h + 12;
    case TControlKind::StatusBar:
      return h + 6;
    case TControlKind::Label:
    case TControlKind::Other:
      break;
  }
  return h;
}

int ControlHeightForFont(const TTextMeasure& font, TControlKind kind) {
  return ControlHeightForTextHeight(font.TextHeight(), kind);
}

int FitCheckBoxHeight(const TTextMeasure& font, std::u16string_view caption, int width,
                      int checkMarkWidth) {
  const int textWidth = std::max(width - checkMarkWidth - kCheckBoxTextInset, 1);
  const int measured = font.WrappedTextHeight(StripAmpersands(caption), textWidth);
  return std::max(measured + kCheckBoxHeightPad,
                  ControlHeightForFont(font, TControlKind::CheckBox));
}

TLayoutSize MeasureButtons(const TTextMeasure& font, const std::vector<std::u16string>& captions,
                           int maxWidth) {
  int width = 1;
  for (const std::u16string& caption : captions)
    width = std::max(width, PaddedTextWidth(font, StripAmpersands(caption) + kButtonCaptionPad));
  width = std::min(width, std::max(maxWidth, 1));

  const int minHeight = ControlHeightForFont(font, TControlKind::Button);
  const int wrapWidth = std::max(width - kButtonTextInset, 1);
  int height = 1;
  for (const std::u16string& caption : captions) {
    const int measured = font.WrappedTextHeight(StripAmpersands(caption), wrapWidth);
    height = std::max(height, std::max(measured + kButtonHeightPad, minHeight));
  }
  return {width, height};
}

TLayoutRect DialogArea(const TLayoutRect& workArea, const TLayoutRect* owner) {
  if (!owner) return workArea;
  const TLayoutRect& w = workArea;
  const TLayoutRect& o = *owner;
  const int left = std::max(w.Left, o.Left);
  const int top = std::max(w.Top, o.Top);
  const int right = std::min(w.Right(), o.Right());
  const int bottom = std::min(w.Bottom(), o.Bottom());
  if (right - left > 0 && bottom - top > 0) return {left, top, right - left, bottom - top};
  // The owner lies outside the work area: keep its size, but inside the work area.
  const int width = std::min(std::max(o.Width, 1), w.Width);
  const int height = std::min(std::max(o.Height, 1), w.Height);
  return {w.Left + (w.Width - width) / 2, w.Top + (w.Height - height) / 2, width, height};
}

TLayoutRect CenterInArea(const TLayoutRect& area, TLayoutSize outer) {
  const int width = std::min(std::max(area.Width, 1), outer.Width);
  const int height = std::min(std::max(area.Height, 1), outer.Height);
  return {area.Left + (area.Width - width) / 2, area.Top + (area.Height - height) / 2, width,
          height};
}

namespace {
int OuterLength(int areaLength) {
  return std::min(std::max(areaLength, 1), std::max(areaLength - kScreenReserve, kMinDialogSize));
}
}  // namespace

TLayoutSize DialogOuterSize(const TLayoutRect& area) {
  return {OuterLength(area.Width), OuterLength(area.Height)};
}

TDialogSizes DialogSizes(const TLayoutRect& area, TLayoutSize frame, int maxClientWidth,
                         int maxClientHeight) {
  TDialogSizes s;
  s.Outer = DialogOuterSize(area);
  s.Client = {std::max(s.Outer.Width - frame.Width, 0), std::max(s.Outer.Height - frame.Height, 0)};
  if (maxClientWidth > 0 && s.Client.Width > maxClientWidth) {
    s.Client.Width = maxClientWidth;
    s.Outer.Width = maxClientWidth + frame.Width;
  }
  if (maxClientHeight > 0 && s.Client.Height > maxClientHeight) {
    s.Client.Height = maxClientHeight;
    s.Outer.Height = maxClientHeight + frame.Height;
  }
  return s;
}

TLayoutRect ContentBoxBounds(int clientWidth, int areaTop) {
  return {kOuterMargin, kOuterMargin, std::max(clientWidth - 2 * kOuterMargin, 1),
          std::max(areaTop - 2 * kOuterMargin, 1)};
}

int ButtonAreaAvailWidth(int clientWidth, int scrollBarWidth) {
  return std::max(clientWidth - 2 * kOuterMargin - scrollBarWidth, 1);
}

TButtonAreaLayout ArrangeButtons(int clientWidth, int clientHeight, int top, int bottom,
                                 int availWidth, TLayoutSize buttonSize, int buttonCount) {
  TButtonAreaLayout result;
  const int n = std::max(buttonCount, 0);
  const int bw = std::max(buttonSize.Width, 1);
  const int bh = std::max(buttonSize.Height, 1);
  const int columns = std::clamp((availWidth + kButtonGap) / (bw + kButtonGap), 1, std::max(n, 1));
  const int rows = (n + columns - 1) / columns;
  result.Columns = columns;
  result.NeededHeight = std::max(rows * (bh + kButtonGap) - kButtonGap, 0);

  top = std::clamp(top, 0, std::max(clientHeight - 1, 0));
  bottom = std::clamp(bottom, top + 1, std::max(clientHeight, 1));
  // Never more than half of the room between the limits; beyond that the area scrolls.
  const int height = std::min(std::max((bottom - top) / 2, 1), result.NeededHeight);
  result.Area = {kOuterMargin, bottom - height, std::max(clientWidth - 2 * kOuterMargin, 1),
                 height};

  for (int first = 0, row = 0; first < n; first += columns, ++row) {
    const int inRow = std::min(columns, n - first);
    int x = std::max((availWidth - inRow * bw - (inRow - 1) * kButtonGap) / 2, 0);
    for (int i = 0; i < inRow; ++i, x += bw + kButtonGap)
      result.Buttons.push_back({x, row * (bh + kButtonGap), bw, bh});
  }
  return result;
}

}  // namespace tvn
