#include "layout/TvnLayout.h"

#include <windows.h>

#include <algorithm>

#include "winui/FontCache.h"
#include "winui/StatusBar.h"
#include "winui/Win32Util.h"

namespace tvn {
namespace {

TLayoutRect FromRect(const RECT& r) {
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void ApplyBounds(winui::TControl& control, const TLayoutRect& r) {
  control.SetBounds(r.Left, r.Top, r.Width, r.Height);
}

// A form gets its window only when it is shown; before that its bounds tell the monitor.
TLayoutRect WorkAreaOf(const winui::TCustomForm& form) {
  HMONITOR monitor = nullptr;
  if (form.HandleAllocated()) {
    monitor = MonitorFromWindow(form.Handle(), MONITOR_DEFAULTTONEAREST);
  } else {
    const RECT bounds = form.Bounds();
    monitor = MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST);
  }
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor && GetMonitorInfoW(monitor, &info)) return FromRect(info.rcWork);
  return FromRect(winui::MonitorWorkArea(nullptr));
}

std::vector<std::u16string> Captions(const std::vector<winui::TButton*>& buttons) {
  std::vector<std::u16string> captions;
  for (const winui::TButton* button : buttons) captions.push_back(button->Caption());
  return captions;
}

// The kinds that live in a dialog's content box.
bool BelongsIntoContent(winui::TControl& control) {
  return dynamic_cast<winui::TLabel*>(&control) || dynamic_cast<winui::TCustomEdit*>(&control) ||
         dynamic_cast<winui::TCheckBox*>(&control) || dynamic_cast<winui::TRadioGroup*>(&control);
}

void MoveIntoContent(winui::TCustomForm& form, winui::TScrollBox& content) {
  // A copy: moving changes the form's list. Tab order is kept because the controls are
  // appended in the order they had. A date control takes its arrows along.
  const std::vector<winui::TControl*> children = form.Controls();
  for (winui::TControl* child : children) {
    if (!BelongsIntoContent(*child)) continue;
    if (auto* picker = dynamic_cast<TDatePicker*>(child))
      picker->MoveInto(&content);
    else
      child->SetParent(&content);
  }
}

// Restores the area's automatic range and scrolling also when arranging throws.
class TArrangeScope {
 public:
  explicit TArrangeScope(winui::TScrollBox& box) : FBox(box) { FBox.BeginArrange(); }
  ~TArrangeScope() { FBox.EndArrange(); }
  TArrangeScope(const TArrangeScope&) = delete;
  TArrangeScope& operator=(const TArrangeScope&) = delete;

 private:
  winui::TScrollBox& FBox;
};

}  // namespace

TFontMeasure::TFontMeasure(const winui::TFont& font) : FFont(winui::FontHandle(font)) {}

int TFontMeasure::TextHeight() const {
  return winui::FontTextHeight(FFont);
}

int TFontMeasure::TextWidth(std::u16string_view text) const {
  return text.empty() ? 0 : static_cast<int>(winui::TextExtent(FFont, text).cx);
}

int TFontMeasure::WrappedTextHeight(std::u16string_view text, int width) const {
  return static_cast<int>(winui::WrappedTextExtent(FFont, text, width, false).cy);
}

const winui::TFont& FontOrDefault(const winui::TFont* font) {
  return font ? *font : winui::IconTitleFont();
}

int FontTextHeight(const winui::TFont& font) {
  return TFontMeasure(font).TextHeight();
}

int FontTextWidth(const winui::TFont& font, std::u16string_view text) {
  return TFontMeasure(font).TextWidth(text);
}

int PaddedTextWidth(const winui::TFont& font, std::u16string_view text) {
  return PaddedTextWidth(TFontMeasure(font), text);
}

TControlKind ControlKindOf(const winui::TControl& control) {
  if (dynamic_cast<const TDatePicker*>(&control)) return TControlKind::DatePicker;
  if (dynamic_cast<const winui::TEdit*>(&control)) return TControlKind::Edit;
  if (dynamic_cast<const winui::TButton*>(&control)) return TControlKind::Button;
  if (dynamic_cast<const winui::TStatusBar*>(&control)) return TControlKind::StatusBar;
  if (dynamic_cast<const winui::TRadioGroup*>(&control)) return TControlKind::RadioGroup;
  if (dynamic_cast<const winui::TCheckBox*>(&control)) return TControlKind::CheckBox;
  if (dynamic_cast<const winui::TLabel*>(&control)) return TControlKind::Label;
  return TControlKind::Other;
}

int ControlHeightForFont(const winui::TFont& font, const winui::TControl& control) {
  return ControlHeightForFont(TFontMeasure(font), ControlKindOf(control));
}

int FitCheckBox(winui::TCheckBox& box, int left, int top, int width) {
  box.SetWordWrap(true);
  const int height = FitCheckBoxHeight(TFontMeasure(winui::AktFont), box.Caption(), width,
                                       winui::CheckMarkWidth());
  box.SetBounds(left, top, std::max(width, 1), height);
  return height;
}

TLayoutSize MeasureButtons(const std::vector<winui::TButton*>& buttons, int maxWidth) {
  for (winui::TButton* button : buttons) button->SetWordWrap(true);
  return MeasureButtons(TFontMeasure(winui::AktFont), Captions(buttons), maxWidth);
}

TLayoutRect GetMonitorWorkArea(const winui::TCustomForm& form) {
  const winui::TCustomForm* owner = form.OwnerForm();
  return WorkAreaOf(owner ? *owner : form);
}

TLayoutRect GetDialogArea(const winui::TCustomForm& form) {
  const TLayoutRect work = GetMonitorWorkArea(form);
  const winui::TCustomForm* owner = form.OwnerForm();
  if (!owner) return work;
  const TLayoutRect ownerBounds = FromRect(owner->Bounds());
  return DialogArea(work, &ownerBounds);
}

void CenterInDialogArea(winui::TCustomForm& form) {
  ApplyBounds(form, CenterInArea(GetDialogArea(form), {form.Width(), form.Height()}));
}

TButtonScrollBox::TButtonScrollBox(winui::TControl* AParent) : winui::TScrollBox(AParent) {
  SetTabStop(false);
  SetHorzScrollBarVisible(false);
}

void TButtonScrollBox::ButtonEnter(winui::TControl* Sender) {
  if (Sender) ScrollControlIntoView(*Sender);
}

int ArrangeButtonArea(winui::TCustomForm& form, std::unique_ptr<TButtonScrollBox>& buttonArea,
                      const std::vector<winui::TButton*>& buttons, int top, int bottom) {
  if (!buttonArea) {
    buttonArea = std::make_unique<TButtonScrollBox>(&form);
    buttonArea->SetTabOrder(1);
    TButtonScrollBox* area = buttonArea.get();
    for (size_t i = 0; i < buttons.size(); ++i) {
      winui::TButton* button = buttons[i];
      button->SetParent(area);
      button->SetTabOrder(static_cast<int>(i));
      button->OnEnter = [area, button] { area->ButtonEnter(button); };
    }
  }
  TButtonScrollBox& area = *buttonArea;
  TArrangeScope arranging(area);
  area.ScrollTo(0, 0);

  const int clientWidth = form.ClientWidth();
  const int availWidth = ButtonAreaAvailWidth(clientWidth, winui::VerticalScrollBarWidth());
  const TLayoutSize size = MeasureButtons(buttons, availWidth);
  const TButtonAreaLayout layout =
      ArrangeButtons(clientWidth, form.ClientHeight(), top, bottom, availWidth, size,
                     static_cast<int>(buttons.size()));
  ApplyBounds(area, layout.Area);
  for (size_t i = 0; i < buttons.size(); ++i) ApplyBounds(*buttons[i], layout.Buttons[i]);

  winui::TControl* active = form.ActiveControl();
  if (active && active != &area && active->IsInside(&area)) area.ScrollControlIntoView(*active);
  return layout.Area.Top;
}

void SetupDialogLayout(winui::TCustomForm& form, std::unique_ptr<winui::TScrollBox>& content,
                       std::unique_ptr<TButtonScrollBox>& buttonArea,
                       const std::vector<winui::TButton*>& buttons, int maxClientWidth,
                       int maxClientHeight) {
  const TLayoutSize frame{form.Width() - form.ClientWidth(), form.Height() - form.ClientHeight()};
  const TDialogSizes sizes =
      DialogSizes(GetDialogArea(form), frame, maxClientWidth, maxClientHeight);
  form.SetBounds(form.Left(), form.Top(), sizes.Outer.Width, sizes.Outer.Height);

  if (!content) {
    content = std::make_unique<winui::TScrollBox>(&form);
    content->SetTabOrder(0);
    MoveIntoContent(form, *content);
  }
  content->ScrollTo(0, 0);

  const int clientHeight = form.ClientHeight();
  const int areaTop =
      ArrangeButtonArea(form, buttonArea, buttons, kOuterMargin, clientHeight - kOuterMargin);
  ApplyBounds(*content, ContentBoxBounds(form.ClientWidth(), areaTop));
  CenterInDialogArea(form);
}

void ScrollControlIntoView(winui::TScrollBox* content, winui::TControl& control) {
  if (content) content->ScrollControlIntoView(control);
}

bool IsValidDialogDate(TDatePicker& picker) {
  return IsValidDialogDateText(picker.CheckedText());
}

void SetDatePickerEnabled(TDatePicker& picker, bool enabled) {
  picker.SetEnabled(enabled);
  picker.UpDown().SetEnabled(enabled);
}

}  // namespace tvn
