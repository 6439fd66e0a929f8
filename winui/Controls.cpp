#include "winui/Controls.h"

#include <commctrl.h>
#include <richedit.h>
#include <uxtheme.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "winui/FontCache.h"
#include "winui/Form.h"
#include "winui/OwnClass.h"
#include "winui/Win32Util.h"

namespace winui {

namespace {

// Themed buttons draw their text in the theme's colour; the program's colours need the
// classic look.
void UseClassicLook(HWND window) { SetWindowTheme(window, L"", L""); }

std::u16string WithoutPrefixes(const std::u16string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;  // "&&" shows one "&"
    else if (text[i] == u'&') continue;
    out += text[i];
  }
  return out;
}

void FillBackground(HWND window, HDC dc, TColor color) {
  RECT r{};
  GetClientRect(window, &r);
  FillRect(dc, &r, color == clDefault ? GetSysColorBrush(COLOR_BTNFACE) : SolidBrush(color));
}

}  // namespace

// ---- TLabel ------------------------------------------------------------------------

TLabel::TLabel(TControl* AParent) : TControl(AParent) {}

TCreateParams TLabel::CreateParams() { return {L"STATIC", SS_LEFT, 0}; }

void TLabel::AdjustSize() {
  if (!AutoSize) return;
  const std::u16string shown = WithoutPrefixes(Text());
  const SIZE size = TextExtent(FontHandle(), shown);
  SetBounds(Left(), Top(), size.cx, FontTextHeight(FontHandle()));
}

// ---- TCustomEdit -------------------------------------------------------------------

TCustomEdit::TCustomEdit(TControl* AParent) : TControl(AParent) { SetTabStop(true); }

void TCustomEdit::SetMaxLength(int AMaxLength) {
  FMaxLength = std::max(AMaxLength, 0);
  if (HandleAllocated()) ApplyMaxLength();
}

void TCustomEdit::ApplyMaxLength() { SendMessageW(Handle(), EM_LIMITTEXT, FMaxLength, 0); }

void TCustomEdit::SetReadOnly(bool AReadOnly) {
  FReadOnly = AReadOnly;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, AReadOnly, 0);
}

void TCustomEdit::AfterCreateHandle() {
  ApplyMaxLength();
  if (FReadOnly) SendMessageW(Handle(), EM_SETREADONLY, TRUE, 0);
}

namespace {
// Start and end of an edit field's selection.
std::pair<int, int> Selection(HWND edit) {
  DWORD start = 0, end = 0;
  if (edit) {
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  }
  return {static_cast<int>(start), static_cast<int>(end)};
}
}  // namespace

int TCustomEdit::SelStart() const { return Selection(Handle()).first; }

int TCustomEdit::SelLength() const {
  const auto [start, end] = Selection(Handle());
  return end - start;
}

void TCustomEdit::SetSelection(int start, int length) {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, start, start + length);
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

std::u16string TCustomEdit::SelText() const {
  const std::u16string text = Text();
  const size_t start = std::min(static_cast<size_t>(SelStart()), text.size());
  return text.substr(start, static_cast<size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const std::u16string& text) {
  if (HandleAllocated()) {
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(W(text)));
  }
}

bool TCustomEdit::CanUndo() const {
  return HandleAllocated() && SendMessageW(Handle(), EM_CANUNDO, 0, 0) != 0;
}
void TCustomEdit::Undo() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_UNDO, 0, 0);
}
void TCustomEdit::ClearUndo() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
}
void TCustomEdit::CopyToClipboard() {
  if (HandleAllocated()) SendMessageW(Handle(), WM_COPY, 0, 0);
}
void TCustomEdit::CutToClipboard() {
  if (HandleAllocated()) SendMessageW(Handle(), WM_CUT, 0, 0);
}
void TCustomEdit::PasteFromClipboard() {
  if (HandleAllocated()) SendMessageW(Handle(), WM_PASTE, 0, 0);
}
void TCustomEdit::ClearSelection() {
  if (HandleAllocated()) SendMessageW(Handle(), WM_CLEAR, 0, 0);
}
bool TCustomEdit::Modified() const {
  return HandleAllocated() && SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

bool TCustomEdit::HandleCommand(WORD code) {
  if (code == EN_CHANGE) {
    if (OnChange) OnChange();
    return true;
  }
  return false;
}

bool TCustomEdit::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_GETDLGCODE && !AutoSelect) {
    result = DefaultHandler(msg, wParam, lParam) & ~DLGC_HASSETSEL;
    return true;
  }
  return TControl::HandleMessage(msg, wParam, lParam, result);
}

// ---- TEdit -------------------------------------------------------------------------

TEdit::TEdit(TControl* AParent) : TCustomEdit(AParent) {
  InitSize(0, FontTextHeight(FontHandle()) + 8);
}

TCreateParams TEdit::CreateParams() {
  return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
}

void TEdit::AdjustSize() {
  if (AutoSize) SetBounds(Left(), Top(), Width(), FontTextHeight(FontHandle()) + 8);
}

// ---- TRichEdit ---------------------------------------------------------------------

TRichEdit::TRichEdit(TControl* AParent) : TCustomEdit(AParent) {}

bool TRichEdit::LoadLibraryOnce() {
  static const bool loaded = LoadLibraryW(L"Msftedit.dll") != nullptr;
  return loaded;
}

TCreateParams TRichEdit::CreateParams() {
  LoadLibraryOnce();
  DWORD style = ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL;
  if (!WordWrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  return {MSFTEDIT_CLASS, style, WS_EX_CLIENTEDGE};
}

void TRichEdit::AfterCreateHandle() {
  HWND h = Handle();
  // Plain-text mode can only be set while the control is empty.
  SetWindowTextW(h, L"");
  SendMessageW(h, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageW(h, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
  SendMessageW(h, EM_SETEVENTMASK, 0, ENM_CHANGE);
  TCustomEdit::AfterCreateHandle();
  ApplyFormat();
  SetWindowTextU(h, CachedText());
  SendMessageW(h, EM_EMPTYUNDOBUFFER, 0, 0);
}

void TRichEdit::ApplyMaxLength() {
  SendMessageW(Handle(), EM_EXLIMITTEXT, 0, FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE);
}

std::u16string TRichEdit::Text() const {
  if (!HandleAllocated()) return CachedText();
  GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
  const LRESULT n = SendMessageW(Handle(), EM_GETTEXTLENGTHEX,
                                 reinterpret_cast<WPARAM>(&length), 0);
  if (n <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1);
  GETTEXTEX get{};
  get.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  get.flags = GT_USECRLF;
  get.codepage = 1200;
  const LRESULT got = SendMessageW(Handle(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                   reinterpret_cast<LPARAM>(buffer.data()));
  return U16(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void TRichEdit::SetText(const std::u16string& AText) {
  SetCachedText(AText);
  if (HandleAllocated()) SetWindowTextU(Handle(), AText);
}

std::u16string TRichEdit::SelText() const {
  if (!HandleAllocated()) return {};
  CHARRANGE range{};
  SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  if (range.cpMax <= range.cpMin) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(range.cpMax - range.cpMin) + 1);
  const LRESULT got =
      SendMessageW(Handle(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
  return U16(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void TRichEdit::SetFont(const TFont& AFont) {
  TCustomEdit::SetFont(AFont);
  if (HandleAllocated()) ApplyFormat();
}

void TRichEdit::SetColor(TColor AColor) {
  TCustomEdit::SetColor(AColor);
  if (HandleAllocated()) ApplyFormat();
}

void TRichEdit::ApplyFormat() {
  HWND h = Handle();
  const TFont& font = Font();
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_COLOR | CFM_CHARSET;
  format.dwEffects = font.Bold ? CFE_BOLD : 0;
  format.yHeight = font.Size * 20;  // twips
  format.crTextColor = font.Color;
  format.bCharSet = static_cast<BYTE>(font.CharSet);
  lstrcpynW(format.szFaceName, W(font.Name), LF_FACESIZE);
  SendMessageW(h, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageW(h, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  if (Color() == clDefault) {
    SendMessageW(h, EM_SETBKGNDCOLOR, TRUE, 0);
  } else {
    SendMessageW(h, EM_SETBKGNDCOLOR, FALSE, Color());
  }
}

bool TRichEdit::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_GETDLGCODE) {
    // Enter makes a new line; Tab moves on and Esc cancels, as in every other field.
    result = DefaultHandler(msg, wParam, lParam) & ~DLGC_WANTTAB;
    if (!AutoSelect) result &= ~DLGC_HASSETSEL;
    const MSG* m = reinterpret_cast<const MSG*>(lParam);
    if (m && (m->message == WM_KEYDOWN || m->message == WM_CHAR) &&
        (m->wParam == VK_TAB || m->wParam == VK_ESCAPE)) {
      result &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTCHARS);
    }
    return true;
  }
  return TCustomEdit::HandleMessage(msg, wParam, lParam, result);
}

// ---- TButton -----------------------------------------------------------------------

TButton::TButton(TControl* AParent) : TControl(AParent) { SetTabStop(true); }

TCreateParams TButton::CreateParams() {
  DWORD style = FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (FWordWrap) style |= BS_MULTILINE;
  return {L"BUTTON", style, 0};
}

void TButton::SetDefault(bool ADefault) {
  FDefault = ADefault;
  TCustomForm* form = Form();
  if (form) {
    if (ADefault) {
      if (form->FDefaultButton && form->FDefaultButton != this) {
        form->FDefaultButton->SetDefault(false);
      }
      form->FDefaultButton = this;
    } else if (form->FDefaultButton == this) {
      form->FDefaultButton = nullptr;
    }
  }
  if (HandleAllocated()) {
    SendMessageW(Handle(), BM_SETSTYLE, ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (ADefault && form && form->HandleAllocated()) {
      SendMessageW(form->Handle(), DM_SETDEFID, ControlId(), 0);
    }
  }
}

void TButton::SetCancel(bool ACancel) {
  FCancel = ACancel;
  if (TCustomForm* form = Form()) {
    if (ACancel) {
      if (form->FCancelButton && form->FCancelButton != this) form->FCancelButton->FCancel = false;
      form->FCancelButton = this;
    } else if (form->FCancelButton == this) {
      form->FCancelButton = nullptr;
    }
  }
}

void TButton::SetWordWrap(bool AWordWrap) {
  FWordWrap = AWordWrap;
  SetStyleBit(BS_MULTILINE, AWordWrap);
}

void TButton::Click() {
  // The result first, so that OnClick can still take it back (SetModalResult(mrNone)).
  if (ModalResult != mrNone) {
    if (auto* dialog = dynamic_cast<TDialogForm*>(Form())) dialog->SetModalResult(ModalResult);
  }
  if (OnClick) OnClick();
}

bool TButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  // The dialog manager also sends clicks for Enter; a disabled button does nothing.
  if (HandleAllocated() && IsWindowEnabled(Handle())) Click();
  return true;
}

// ---- TCheckBox ---------------------------------------------------------------------

TCheckBox::TCheckBox(TControl* AParent) : TControl(AParent) { SetTabStop(true); }

TCreateParams TCheckBox::CreateParams() {
  return {L"BUTTON", static_cast<DWORD>(BS_AUTOCHECKBOX | (FWordWrap ? BS_MULTILINE : 0)), 0};
}

void TCheckBox::AfterCreateHandle() {
  UseClassicLook(Handle());
  SendMessageW(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::BeforeDestroyHandle() { FChecked = Checked(); }

bool TCheckBox::Checked() const {
  return HandleAllocated() ? SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED : FChecked;
}

void TCheckBox::SetChecked(bool AChecked) {
  FChecked = AChecked;
  if (HandleAllocated()) {
    SendMessageW(Handle(), BM_SETCHECK, AChecked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void TCheckBox::SetWordWrap(bool AWordWrap) {
  FWordWrap = AWordWrap;
  SetStyleBit(BS_MULTILINE, AWordWrap);
}

bool TCheckBox::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  FChecked = Checked();
  if (OnClick) OnClick();
  return true;
}

// ---- TRadioGroup -------------------------------------------------------------------

class TRadioGroup::TFrame : public TControl {
 public:
  explicit TFrame(TRadioGroup* group) : TControl(group) {}

 protected:
  TCreateParams CreateParams() override { return {L"BUTTON", BS_GROUPBOX | WS_GROUP, 0}; }
  void AfterCreateHandle() override { UseClassicLook(Handle()); }
};

class TRadioGroup::TRadio : public TControl {
 public:
  TRadio(TRadioGroup* group, int index) : TControl(group), FGroup(group), FIndex(index) {}

 protected:
  TCreateParams CreateParams() override {
    return {L"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | (FIndex == 0 ? WS_GROUP : 0)), 0};
  }
  void AfterCreateHandle() override {
    UseClassicLook(Handle());
    SendMessageW(Handle(), BM_SETCHECK, FGroup->FItemIndex == FIndex ? BST_CHECKED : 0, 0);
  }
  bool HandleCommand(WORD code) override {
    if (code != BN_CLICKED) return false;
    FGroup->ButtonClicked(FIndex);
    return true;
  }

 private:
  TRadioGroup* FGroup;
  int FIndex;
};

TRadioGroup::TRadioGroup(TControl* AParent)
    : TControl(AParent), FFrame(std::make_unique<TFrame>(this)) {}

TRadioGroup::~TRadioGroup() = default;

TCreateParams TRadioGroup::CreateParams() {
  RegisterOwnClasses();
  return {kWindowClass, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
}

void TRadioGroup::SetItems(const std::vector<std::u16string>& AItems) {
  FItems = AItems;
  FRadios.clear();
  for (size_t i = 0; i < FItems.size(); ++i) {
    auto radio = std::make_unique<TRadio>(this, static_cast<int>(i));
    radio->SetText(FItems[i]);
    radio->SetFont(Font());
    radio->SetColor(Color());
    FRadios.push_back(std::move(radio));
  }
  // The frame lies below the buttons, so they paint over it.
  FFrame->SetTabOrder(static_cast<int>(FRadios.size()));
  if (FItemIndex >= static_cast<int>(FItems.size())) FItemIndex = -1;
  UpdateTabStops();
  if (HandleAllocated()) {
    for (auto& radio : FRadios) radio->CreateHandle();
    ApplyZOrder();
  }
  Arrange();
}

void TRadioGroup::SetItemIndex(int AItemIndex) {
  FItemIndex = AItemIndex >= 0 && AItemIndex < static_cast<int>(FItems.size()) ? AItemIndex : -1;
  for (size_t i = 0; i < FRadios.size(); ++i) {
    if (FRadios[i]->HandleAllocated()) {
      SendMessageW(FRadios[i]->Handle(), BM_SETCHECK,
                   static_cast<int>(i) == FItemIndex ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
  UpdateTabStops();
}

void TRadioGroup::ButtonClicked(int index) {
  if (index == FItemIndex) return;
  FItemIndex = index;
  UpdateTabStops();
  if (OnClick) OnClick();
}

// Tab enters the group at the checked button (the first when none is checked).
void TRadioGroup::UpdateTabStops() {
  const int stop = FItemIndex >= 0 ? FItemIndex : 0;
  for (size_t i = 0; i < FRadios.size(); ++i) FRadios[i]->SetTabStop(static_cast<int>(i) == stop);
}

void TRadioGroup::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  Arrange();
}

void TRadioGroup::SetFont(const TFont& AFont) {
  TControl::SetFont(AFont);
  FFrame->SetFont(AFont);
  for (auto& radio : FRadios) radio->SetFont(AFont);
  Arrange();
}

void TRadioGroup::SetColor(TColor AColor) {
  TControl::SetColor(AColor);
  FFrame->SetColor(AColor);
  for (auto& radio : FRadios) radio->SetColor(AColor);
}

void TRadioGroup::SetText(const std::u16string& AText) {
  TControl::SetText(AText);
  FFrame->SetText(AText);
}

void TRadioGroup::Arrange() {
  const int w = Width(), h = Height();
  FFrame->SetBounds(0, 0, w, h);
  if (FRadios.empty()) return;
  const int header = FontTextHeight(FontHandle());
  const int n = static_cast<int>(FRadios.size());
  const int itemHeight = std::max((h - header - 4) / n, 1);
  for (int i = 0; i < n; ++i) {
    FRadios[i]->SetBounds(8, header + i * itemHeight, std::max(w - 16, 1), itemHeight);
  }
}

bool TRadioGroup::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_ERASEBKGND) {
    FillBackground(Handle(), reinterpret_cast<HDC>(wParam), Color());
    result = TRUE;
    return true;
  }
  return TControl::HandleMessage(msg, wParam, lParam, result);
}

// ---- TComboBox ---------------------------------------------------------------------

TComboBox::TComboBox(TControl* AParent) : TControl(AParent) { SetTabStop(true); }

TCreateParams TComboBox::CreateParams() {
  return {WC_COMBOBOXW, CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL, 0};
}

int TComboBox::WindowHeightFor(int height) const {
  return height + std::max(DropDownCount, 1) * (FontTextHeight(FontHandle()) + 2) + 2;
}

void TComboBox::AfterCreateHandle() {
  for (const std::u16string& item : FItems) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(item)));
  }
  SendMessageW(Handle(), CB_SETCURSEL, FItemIndex, 0);
}

void TComboBox::BeforeDestroyHandle() { FItemIndex = ItemIndex(); }

void TComboBox::SetItems(const std::vector<std::u16string>& AItems) {
  FItems = AItems;
  if (FItemIndex >= static_cast<int>(FItems.size())) FItemIndex = -1;
  if (HandleAllocated()) {
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    AfterCreateHandle();
  }
}

int TComboBox::ItemIndex() const {
  if (!HandleAllocated()) return FItemIndex;
  return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int AItemIndex) {
  FItemIndex = AItemIndex >= 0 && AItemIndex < static_cast<int>(FItems.size()) ? AItemIndex : -1;
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETCURSEL, FItemIndex, 0);
}

std::u16string TComboBox::Text() const {
  const int index = ItemIndex();
  return index >= 0 && index < static_cast<int>(FItems.size()) ? FItems[index] : std::u16string();
}

bool TComboBox::HandleCommand(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  FItemIndex = ItemIndex();
  if (OnChange) OnChange();
  return true;
}

// ---- TUpDown -----------------------------------------------------------------------

TUpDown::TUpDown(TControl* AParent) : TControl(AParent) {}

TCreateParams TUpDown::CreateParams() {
  DWORD style = 0;
  if (Wrap) style |= UDS_WRAP;
  if (!Thousands) style |= UDS_NOTHOUSANDS;
  if (ArrowKeys) style |= UDS_ARROWKEYS;
  if (AlignRight) style |= UDS_ALIGNRIGHT;
  return {UPDOWN_CLASSW, style, 0};
}

void TUpDown::AfterCreateHandle() {
  SendMessageW(Handle(), UDM_SETRANGE32, FMin, FMax);
  SendMessageW(Handle(), UDM_SETPOS32, 0, FPosition);
  if (FBuddy && FBuddy->HandleAllocated()) {
    SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(FBuddy->Handle()), 0);
  }
}

void TUpDown::BeforeDestroyHandle() { FPosition = Position(); }

void TUpDown::SetRange(int AMin, int AMax) {
  FMin = AMin;
  FMax = AMax;
  if (HandleAllocated()) SendMessageW(Handle(), UDM_SETRANGE32, FMin, FMax);
}

int TUpDown::Position() const {
  if (!HandleAllocated()) return FPosition;
  return static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0));
}

void TUpDown::SetPosition(int APosition) {
  FPosition = APosition;
  if (HandleAllocated()) SendMessageW(Handle(), UDM_SETPOS32, 0, APosition);
}

void TUpDown::Associate(TControl* ABuddy) {
  FBuddy = ABuddy;
  if (HandleAllocated()) {
    SendMessageW(Handle(), UDM_SETBUDDY,
                 reinterpret_cast<WPARAM>(ABuddy ? ABuddy->Handle() : nullptr), 0);
  }
}

bool TUpDown::HandleNotify(NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS) return false;
  const auto& change = reinterpret_cast<NMUPDOWN&>(header);
  const bool allow = OnChanging ? OnChanging(change.iDelta > 0 ? 1 : -1) : true;
  result = allow ? 0 : 1;
  return true;
}

// ---- TScrollBox --------------------------------------------------------------------

TScrollBox::TScrollBox(TControl* AParent) : TControl(AParent) {}

TCreateParams TScrollBox::CreateParams() {
  RegisterOwnClasses();
  return {kWindowClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
}

void TScrollBox::AfterCreateHandle() {
  FScroll = POINT{0, 0};
  UpdateScrollRange();
}

void TScrollBox::BeforeDestroyHandle() {
  // The next window starts unscrolled; the children keep their unscrolled places.
  for (TControl* child : Controls()) OffsetRect(&child->FBounds, FScroll.x, FScroll.y);
  FScroll = POINT{0, 0};
}

int TScrollBox::ClientWidth() const { return TControl::ClientWidth(); }
int TScrollBox::ClientHeight() const { return TControl::ClientHeight(); }

SIZE TScrollBox::ContentSize() const {
  SIZE size{0, 0};
  for (const TControl* child : Controls()) {
    if (!child->Visible()) continue;
    const RECT r = child->Bounds();
    size.cx = std::max<LONG>(size.cx, r.right + FScroll.x);
    size.cy = std::max<LONG>(size.cy, r.bottom + FScroll.y);
  }
  return size;
}

void TScrollBox::BeginArrange() { ++FArranging; }

void TScrollBox::EndArrange() {
  if (FArranging > 0 && --FArranging == 0) UpdateScrollRange();
}

void TScrollBox::ChildBoundsChanged() { UpdateScrollRange(); }

void TScrollBox::SetHorzScrollBarVisible(bool AVisible) {
  FHorzBar = AVisible;
  UpdateScrollRange();
}

void TScrollBox::UpdateScrollRange() {
  if (!HandleAllocated() || FArranging > 0 || FUpdatingRange) return;
  FUpdatingRange = true;
  const SIZE content = ContentSize();
  const int outerW = Width(), outerH = Height();
  const int barW = GetSystemMetrics(SM_CXVSCROLL), barH = GetSystemMetrics(SM_CYHSCROLL);
  bool needV = content.cy > outerH;
  const bool needH = FHorzBar && content.cx > outerW - (needV ? barW : 0);
  if (needH && !needV) needV = content.cy > outerH - barH;
  const int clientW = std::max(outerW - (needV ? barW : 0), 0);
  const int clientH = std::max(outerH - (needH ? barH : 0), 0);

  auto setBar = [this](int bar, bool need, int contentLength, int page, LONG pos) {
    ShowScrollBar(Handle(), bar, need);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = need ? contentLength - 1 : 0;
    info.nPage = need ? static_cast<UINT>(page) : 0;
    info.nPos = need ? pos : 0;
    SetScrollInfo(Handle(), bar, &info, TRUE);
  };
  setBar(SB_VERT, needV, content.cy, clientH, FScroll.y);
  setBar(SB_HORZ, needH, content.cx, clientW, FScroll.x);
  FUpdatingRange = false;
  // Contents that shrank must not stay scrolled past their end.
  const LONG maxX = needH ? std::max<LONG>(content.cx - clientW, 0) : 0;
  const LONG maxY = needV ? std::max<LONG>(content.cy - clientH, 0) : 0;
  if (FScroll.x > maxX || FScroll.y > maxY) {
    ScrollTo(std::min(FScroll.x, maxX), std::min(FScroll.y, maxY));
  }
}

void TScrollBox::ScrollTo(int x, int y) {
  const SIZE content = ContentSize();
  x = std::clamp(x, 0, std::max<int>(content.cx - ClientWidth(), 0));
  y = std::clamp(y, 0, std::max<int>(content.cy - ClientHeight(), 0));
  const int dx = FScroll.x - x, dy = FScroll.y - y;
  if (dx == 0 && dy == 0) return;
  FScroll = POINT{x, y};
  if (HandleAllocated()) {
    ScrollWindowEx(Handle(), dx, dy, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    SetScrollPos(Handle(), SB_HORZ, x, TRUE);
    SetScrollPos(Handle(), SB_VERT, y, TRUE);
    for (TControl* child : Controls()) {
      if (child->HandleAllocated()) child->FBounds = WindowRectInParent(child->Handle());
    }
  } else {
    for (TControl* child : Controls()) OffsetRect(&child->FBounds, dx, dy);
  }
}

void TScrollBox::ScrollControlIntoView(const TControl& control) {
  if (!control.IsInside(this) || &control == this) return;
  RECT r = control.Bounds();
  for (const TControl* p = control.Parent(); p && p != this; p = p->Parent()) {
    OffsetRect(&r, p->Left(), p->Top());
  }
  const int clientW = ClientWidth(), clientH = ClientHeight();
  int x = FScroll.x, y = FScroll.y;
  if (r.bottom > clientH) y += std::min<int>(r.bottom - clientH, r.top);
  else if (r.top < 0) y += r.top;
  if (r.right > clientW) x += std::min<int>(r.right - clientW, r.left);
  else if (r.left < 0) x += r.left;
  ScrollTo(x, y);
}

void TScrollBox::ScrollBar(int bar, WORD request) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &info);
  const int line = std::max(FontTextHeight(FontHandle()), 8);
  int pos = info.nPos;
  switch (request) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = info.nMax; break;
    default: return;
  }
  if (bar == SB_VERT) ScrollTo(FScroll.x, pos);
  else ScrollTo(pos, FScroll.y);
}

bool TScrollBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lParam == 0) {
        ScrollBar(msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        result = 0;
        return true;
      }
      break;
    case WM_MOUSEWHEEL: {
      const int steps = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      const int line = std::max(FontTextHeight(FontHandle()), 8);
      ScrollTo(FScroll.x, FScroll.y - steps * 3 * line);
      result = 0;
      return true;
    }
    case WM_SIZE:
      result = DefaultHandler(msg, wParam, lParam);
      UpdateScrollRange();
      return true;
    case WM_ERASEBKGND:
      FillBackground(Handle(), reinterpret_cast<HDC>(wParam), Color());
      result = TRUE;
      return true;
    default:
      break;
  }
  return TControl::HandleMessage(msg, wParam, lParam, result);
}

}  // namespace winui
