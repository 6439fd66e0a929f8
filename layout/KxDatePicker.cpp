#include "layout/KxDatePicker.h"

#include <windows.h>

#include <algorithm>
#include <type_traits>

#include "platform/Platform.h"
#include "winui/Win32Util.h"

namespace tvn {
namespace {

std::function<void()>& BeepHook() {
  static std::function<void()> beep;
  return beep;
}

void SystemBeep() {
  if (BeepHook())
    BeepHook()();
  else
    MessageBeep(MB_OK);
}

bool ToDatumKey(WPARAM key, TDatumKey& datumKey) {
  static constexpr struct {
    WPARAM key;
    TDatumKey datumKey;
  } kKeys[] = {
      {VK_LEFT, TDatumKey::Left},     {VK_RIGHT, TDatumKey::Right},  {VK_HOME, TDatumKey::Home},
      {VK_END, TDatumKey::End},       {VK_PRIOR, TDatumKey::PageUp}, {VK_NEXT, TDatumKey::PageDown},
      {VK_DELETE, TDatumKey::Delete}, {VK_UP, TDatumKey::Up},        {VK_DOWN, TDatumKey::Down}};
  for (const auto& k : kKeys) {
    if (k.key != key) continue;
    datumKey = k.datumKey;
    return true;
  }
  return false;
}

int ArrowWidth() {
  return winui::VerticalScrollBarWidth();
}

std::u16string LocaleText(const wchar_t* localeName, LCTYPE type) {
  wchar_t buffer[80];
  const int n = GetLocaleInfoEx(localeName ? localeName : LOCALE_NAME_USER_DEFAULT, type, buffer,
                                static_cast<int>(std::size(buffer)));
  return n > 1 ? winui::U16(buffer, static_cast<size_t>(n - 1)) : std::u16string();
}

void TakeLocaleText(std::u16string& name, const wchar_t* localeName, LCTYPE type) {
  std::u16string text = LocaleText(localeName, type);
  if (!text.empty()) name = std::move(text);
}

}  // namespace

void SetDatePickerBeep(std::function<void()> beep) {
  BeepHook() = std::move(beep);
}

TLocaleNames ReadLocaleNames(const wchar_t* localeName) {
  TLocaleNames names = ProgramLocaleNames();
  // Windows counts the weekdays from Monday, the program from Sunday.
  for (int i = 0; i < 7; ++i)
    TakeLocaleText(names.ShortDayNames[static_cast<size_t>((i + 1) % 7)], localeName,
                   LOCALE_SABBREVDAYNAME1 + i);
  for (int i = 0; i < 12; ++i) {
    TakeLocaleText(names.ShortMonthNames[static_cast<size_t>(i)], localeName,
                   LOCALE_SABBREVMONTHNAME1 + i);
    TakeLocaleText(names.LongMonthNames[static_cast<size_t>(i)], localeName,
                   LOCALE_SMONTHNAME1 + i);
  }
  return names;
}

void AdjustLocaleNames() {
  TLocaleNames names = ReadLocaleNames(nullptr);
  AdjustLocaleNames(names);
  SetProgramLocaleNames(names);
}

template <class Operation>
auto TDatePicker::Act(Operation operation) {
  TakeSelectionFromField();
  FModel.ReadOnly = ReadOnly();
  if constexpr (std::is_void_v<decltype(operation())>) {
    operation();
    ShowModel();
  } else {
    const auto answer = operation();
    ShowModel();
    return answer;
  }
}

TDatePicker::TDatePicker(winui::TControl* AOwner)
    : winui::TEdit(AOwner),
      FModel(ProgramLocaleNames().ShortDayNames, platform::Today()),
      FUpDown(std::make_unique<winui::TUpDown>(AOwner)) {
  AutoSelect = false;
  SetTabStop(true);
  FUpDown->Wrap = true;
  FUpDown->Thousands = false;
  FUpDown->SetRange(0, 1);
  FUpDown->SetTabStop(false);
  // The arrows never move: every step they ask for is refused and steps the date instead.
  FUpDown->OnChanging = [this](int delta) {
    Answer(Act([&] { return FModel.ArrowClicked(delta > 0); }));
    return false;
  };
  FUpDown->Associate(this);
  PlaceArrows();
  OnEnter = [this] { SetMarkiereNr(dtTag); };
  OnExit = [this] { CheckEingabe(); };
  ShowModel();
}

TDatePicker::~TDatePicker() {
  FUpDown->Associate(nullptr);
  FUpDown.reset();
}

void TDatePicker::TakeSelectionFromField() {
  if (HandleAllocated()) FModel.SetSelection(SelStart(), SelLength());
}

// Past SetText on purpose: its size adjustment would come back through SetBounds, which
// shows FDatum again and would drop what is being typed.
void TDatePicker::ShowModel() {
  SetCachedText(FModel.Text());
  if (!HandleAllocated()) return;
  if (winui::WindowText(Handle()) != FModel.Text()) winui::SetWindowTextU(Handle(), FModel.Text());
  SetSelection(FModel.SelStart(), FModel.SelLength());
}

void TDatePicker::PlaceArrows() {
  if (!FUpDown) return;
  FUpDown->SetBounds(Left() + winui::TEdit::Width(), Top(), ArrowWidth(), Height());
  FUpDown->Associate(this);
}

void TDatePicker::Answer(TDatumFeedback feedback) {
  if (feedback == TDatumFeedback::Beep) SystemBeep();
}

TDateTime TDatePicker::Datum() {
  return Act([&] { return FModel.Datum(); });
}
void TDatePicker::SetDatum(TDateTime ADatum) {
  Act([&] { FModel.SetDatum(ADatum); });
}
void TDatePicker::SetMinDatum(TDateTime ADatum) {
  Act([&] { FModel.SetMinDatum(ADatum); });
}
void TDatePicker::SetMaxDatum(TDateTime ADatum) {
  Act([&] { FModel.SetMaxDatum(ADatum); });
}
void TDatePicker::SetMarkiereNr(int ANr) {
  Act([&] { FModel.SetMarkiereNr(ANr); });
}
void TDatePicker::Markiere(bool MerkeS) {
  Act([&] { FModel.Markiere(MerkeS); });
}
void TDatePicker::CheckEingabe() {
  Act([&] { FModel.CheckEingabe(); });
}
void TDatePicker::StepDatum(bool Up, int Count) {
  Act([&] { FModel.StepDatum(Up, Count); });
}

std::u16string TDatePicker::CheckedText() {
  CheckEingabe();
  return FModel.Text();
}

int TDatePicker::Width() const {
  return winui::TEdit::Width() + FUpDown->Width();
}

void TDatePicker::SetWidth(int AWidth) {
  SetBounds(Left(), Top(), std::max(AWidth - ArrowWidth(), 0), Height());
}
void TDatePicker::SetLeft(int ALeft) {
  SetBounds(ALeft, Top(), winui::TEdit::Width(), Height());
}
void TDatePicker::SetTop(int ATop) {
  SetBounds(Left(), ATop, winui::TEdit::Width(), Height());
}

void TDatePicker::Bounds(int ATop, int ALeft, int AWidth) {
  SetTop(ATop);
  SetLeft(ALeft);
  SetWidth(AWidth);
  SetMarkiereNr(dtTag);
}

void TDatePicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  winui::TEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceArrows();
  if (HandleAllocated()) {
    // A field that was narrower when its text came keeps the text scrolled sideways.
    SendMessageW(Handle(), EM_SETSEL, 0, 0);
    SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
  }
  Act([&] { FModel.ShowDatumAgain(); });
}

void TDatePicker::MoveInto(winui::TControl* AParent) {
  SetParent(AParent);
  FUpDown->SetParent(AParent);
  PlaceArrows();
}

void TDatePicker::AfterCreateHandle() {
  winui::TEdit::AfterCreateHandle();
  ShowModel();
}

bool TDatePicker::KeyDown(WPARAM key) {
  // Shift+Insert pastes inside the edit field, without a WM_PASTE.
  if (key == VK_INSERT && (GetKeyState(VK_SHIFT) & 0x8000)) return true;
  TDatumKey datumKey;
  if (!ToDatumKey(key, datumKey)) return false;
  Answer(Act([&] { return FModel.KeyDown(datumKey); }));
  return true;
}

bool TDatePicker::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_KEYDOWN:
      if (!KeyDown(wParam)) break;
      result = 0;
      return true;
    case WM_CHAR:
    case WM_IME_CHAR:
      // Every character is ours: the text only changes by the rules of the model.
      Answer(Act([&] { return FModel.CharTyped(static_cast<char16_t>(wParam)); }));
      result = 0;
      return true;
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
      // Alt+Backspace is the edit field's own undo.
      if (wParam != VK_BACK) break;
      result = 0;
      return true;
    case WM_LBUTTONUP:
      result = DefaultHandler(msg, wParam, lParam);
      Act([&] { FModel.MouseReleased(); });
      return true;
    case WM_CONTEXTMENU:
      result = 0;
      return true;
    // Paste, cut and undo by other keys (Shift+Delete), or sent by another program, would
    // bypass the rules and leave a text that no longer has the fixed form.
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
      result = 0;
      return true;
    default:
      break;
  }
  return winui::TEdit::HandleMessage(msg, wParam, lParam, result);
}

bool TDatePicker::HandleCommand(WORD code) {
  // Whatever else wrote into the field (a program setting its text, an input method) is
  // taken back: the field shows the text of the rules only.
  if (code == EN_CHANGE && HandleAllocated() && winui::WindowText(Handle()) != FModel.Text()) {
    ShowModel();
  }
  return winui::TEdit::HandleCommand(code);
}

}  // namespace tvn
