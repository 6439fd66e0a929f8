// The standard controls of the program's windows: label, single-line edit, plain-text
// RichEdit, push button, check box, radio group, drop-down list, up/down arrows and the
// borderless scroll box that holds and scrolls other controls.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "winui/Control.h"

namespace winui {

enum TModalResult : int {
  mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
  mrNo = 7, mrClose = 8
};

// A static text. Its "&" letter (Alt+letter) focuses FocusControl; the label always sits
// right before that control in the Tab order. Sizes itself to its text and font.
class TLabel : public TControl {
 public:
  explicit TLabel(TControl* AParent);
  TControl* FocusControl = nullptr;
  bool AutoSize = true;
  bool IsAttachedLabelOf(const TControl* c) const override { return c && c == FocusControl; }

 protected:
  TCreateParams CreateParams() override;
  void AdjustSize() override;
};

// Text and selection operations shared by the two edit kinds.
class TCustomEdit : public TControl {
 public:
  explicit TCustomEdit(TControl* AParent);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int AMaxLength);  // 0: no limit of ours
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool AReadOnly);
  int SelStart() const;
  int SelLength() const;
  void SetSelection(int start, int length);
  void SelectAll();
  virtual std::u16string SelText() const;
  void SetSelText(const std::u16string& text);  // replaces the selection (undoable)
  bool CanUndo() const;
  void Undo();
  void ClearUndo();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void ClearSelection();
  bool Modified() const;
  // Tabbing into the field selects its whole text.
  bool AutoSelect = true;
  std::function<void()> OnChange;  // the text changed (EN_CHANGE)

 protected:
  bool HandleCommand(WORD code) override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void AfterCreateHandle() override;
  virtual void ApplyMaxLength();
  int FMaxLength = 0;
  bool FReadOnly = false;
};

// Single-line edit field; its height follows its font (text height + 8).
class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TControl* AParent);
  bool AutoSize = true;

 protected:
  TCreateParams CreateParams() override;
  void AdjustSize() override;
};

// Multi-line RichEdit in plain-text mode with a vertical scroll bar. Enter starts a new
// line; Tab and Esc stay with the dialog. Text() has CR LF line breaks.
class TRichEdit : public TCustomEdit {
 public:
  explicit TRichEdit(TControl* AParent);
  std::u16string Text() const override;
  void SetText(const std::u16string& AText) override;
  std::u16string SelText() const override;
  void SetFont(const TFont& AFont) override;
  void SetColor(TColor AColor) override;
  bool WordWrap = true;  // before the window is made
  // Loads Msftedit.dll once; false when it is missing.
  static bool LoadLibraryOnce();

 protected:
  TCreateParams CreateParams() override;
  void AfterCreateHandle() override;
  void ApplyMaxLength() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void ApplyFormat();
};

// Push button. Default: Enter presses it; Cancel: Esc presses it. A ModalResult other
// than mrNone closes its dialog with that result after OnClick.
class TButton : public TControl {
 public:
  explicit TButton(TControl* AParent);
  bool Default() const { return FDefault; }
  void SetDefault(bool ADefault);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool ACancel);
  TModalResult ModalResult = mrNone;
  void SetWordWrap(bool AWordWrap);
  void SetColor(TColor) override {}  // buttons keep the system colours
  // Runs the click as a user click does (OnClick, then ModalResult).
  void Click();
  std::function<void()> OnClick;

 protected:
  TCreateParams CreateParams() override;
  bool HandleCommand(WORD code) override;
  HBRUSH HandleCtlColor(HDC, UINT) override { return nullptr; }

 private:
  bool FDefault = false;
  bool FCancel = false;
  bool FWordWrap = false;
};

class TCheckBox : public TControl {
 public:
  explicit TCheckBox(TControl* AParent);
  bool Checked() const;
  void SetChecked(bool AChecked);  // does not run OnClick
  void SetWordWrap(bool AWordWrap);
  bool WordWrap() const { return FWordWrap; }
  std::function<void()> OnClick;

 protected:
  TCreateParams CreateParams() override;
  void AfterCreateHandle() override;
  void BeforeDestroyHandle() override;
  bool HandleCommand(WORD code) override;

 private:
  bool FChecked = false;
  bool FWordWrap = false;
};

// A group box with one column of radio buttons; ItemIndex is the checked one (-1: none).
// Tab enters the group at the checked button, the arrow keys move inside it.
class TRadioGroup : public TControl {
 public:
  explicit TRadioGroup(TControl* AParent);
  ~TRadioGroup() override;
  void SetItems(const std::vector<std::u16string>& AItems);
  const std::vector<std::u16string>& Items() const { return FItems; }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int AItemIndex);  // does not run OnClick
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetFont(const TFont& AFont) override;
  void SetColor(TColor AColor) override;
  void SetText(const std::u16string& AText) override;
  std::function<void()> OnClick;  // the user checked another button

 protected:
  TCreateParams CreateParams() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  class TFrame;
  class TRadio;
  friend class TRadio;
  void Arrange();
  void UpdateTabStops();
  void ButtonClicked(int index);
  std::vector<std::u16string> FItems;
  int FItemIndex = -1;
  std::unique_ptr<TFrame> FFrame;
  std::vector<std::unique_ptr<TRadio>> FRadios;
};

// Drop-down list (no typing).
class TComboBox : public TControl {
 public:
  explicit TComboBox(TControl* AParent);
  void SetItems(const std::vector<std::u16string>& AItems);
  const std::vector<std::u16string>& Items() const { return FItems; }
  int ItemIndex() const;
  void SetItemIndex(int AItemIndex);
  int DropDownCount = 12;
  std::u16string Text() const override;
  std::function<void()> OnChange;  // the user chose another item

 protected:
  TCreateParams CreateParams() override;
  void AfterCreateHandle() override;
  void BeforeDestroyHandle() override;
  bool HandleCommand(WORD code) override;
  int WindowHeightFor(int height) const override;

 private:
  std::vector<std::u16string> FItems;
  int FItemIndex = -1;
};

// Up/down arrows, optionally attached to a buddy control (UDM_SETBUDDY).
class TUpDown : public TControl {
 public:
  explicit TUpDown(TControl* AParent);
  void SetRange(int AMin, int AMax);
  int Position() const;
  void SetPosition(int APosition);
  bool Wrap = false;        // before the window is made
  bool Thousands = true;    // before the window is made
  bool ArrowKeys = false;   // the arrows follow the buddy's Up and Down keys
  bool AlignRight = false;  // sit at the buddy's right edge (UDS_ALIGNRIGHT)
  void Associate(TControl* ABuddy);
  TControl* Buddy() const { return FBuddy; }
  // A step was asked for (delta +1 up, -1 down). Return false to refuse the change of
  // Position; the step is still reported.
  std::function<bool(int Delta)> OnChanging;

 protected:
  TCreateParams CreateParams() override;
  void AfterCreateHandle() override;
  void BeforeDestroyHandle() override;
  bool HandleNotify(NMHDR& header, LRESULT& result) override;

 private:
  int FMin = 0, FMax = 100, FPosition = 0;
  TControl* FBuddy = nullptr;
};

// A borderless box that holds other controls and scrolls them when they do not fit.
// Children's bounds are in the box's client coordinates at the current scroll position.
class TScrollBox : public TControl {
 public:
  explicit TScrollBox(TControl* AParent);
  POINT ScrollPosition() const { return FScroll; }
  void ScrollTo(int x, int y);
  // Scrolls so that the control (a descendant) is fully visible where it fits.
  void ScrollControlIntoView(const TControl& control);
  void SetHorzScrollBarVisible(bool AVisible);
  bool HorzScrollBarVisible() const { return FHorzBar; }
  // While arranging: no range updates; EndArrange recomputes them once.
  void BeginArrange();
  void EndArrange();
  // Extent of the children (at scroll position 0).
  SIZE ContentSize() const;
  int ClientWidth() const override;
  int ClientHeight() const override;

 protected:
  TCreateParams CreateParams() override;
  void AfterCreateHandle() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void ChildBoundsChanged() override;
  void BeforeDestroyHandle() override;

 private:
  void UpdateScrollRange();
  void ScrollBar(int bar, WORD request);
  POINT FScroll{0, 0};
  bool FHorzBar = true;
  int FArranging = 0;
  bool FUpdatingRange = false;
};

}  // namespace winui
