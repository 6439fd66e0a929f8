#include "winui/Control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "platform/Utf16.h"
#include "winui/AccessibleName.h"
#include "winui/FontCache.h"
#include "winui/Form.h"
#include "winui/ListView.h"
#include "winui/OwnClass.h"
#include "winui/Prompt.h"
#include "winui/Win32Util.h"

namespace winui {

namespace {

const wchar_t kControlProp[] = L"TvnWinUiControl";
constexpr UINT_PTR kSubclassId = 0x54564E;  // "TVN"

// Control ids: 100..0x7FFF; menu commands use the range above.
int NextControlId() {
  static int next = 100;
  const int id = next;
  next = next >= 0x7FFF ? 100 : next + 1;
  return id;
}

std::function<void(const char*)> g_exceptionHandler;

void DefaultExceptionHandler(const char* what) {
  static bool showing = false;
  if (showing) return;  // a failure while the box is up must not stack boxes
  showing = true;
  try {
    MessageDlg(tvn::FromUtf8(what ? what : "Unbekannter Fehler"), TMsgKind::Error, mbOK);
  } catch (...) {
  }
  showing = false;
}

void ReportException(const char* what) {
  try {
    if (g_exceptionHandler) {
      g_exceptionHandler(what);
    } else {
      DefaultExceptionHandler(what);
    }
  } catch (...) {
  }
}

bool IsModifierKey(WPARAM key) {
  return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LWIN ||
         key == VK_RWIN || key == VK_CAPITAL;
}

}  // namespace

void SetExceptionHandler(std::function<void(const char*)> handler) {
  g_exceptionHandler = std::move(handler);
}

void Guarded(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    ReportException(e.what());
  } catch (...) {
    ReportException(nullptr);
  }
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

// ---- window procedures -------------------------------------------------------------

// One message for an object; handled tells whether the default processing is still due.
LRESULT Dispatch(TControl* control, HWND, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  LRESULT result = 0;
  handled = false;
  try {
    handled = control->HandleMessage(msg, wParam, lParam, result);
  } catch (const std::exception& e) {
    ReportException(e.what());
  } catch (...) {
    ReportException(nullptr);
  }
  return result;
}

LRESULT CALLBACK OwnWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TControl* control = nullptr;
  if (msg == WM_NCCREATE) {
    control = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (control) {
      control->FHandle = window;
      control->FOwnClass = true;
      SetPropW(window, kControlProp, control);
    }
  } else {
    control = TControl::FromHandle(window);
  }
  if (!control) return DefWindowProcW(window, msg, wParam, lParam);
  bool handled = false;
  LRESULT result = Dispatch(control, window, msg, wParam, lParam, handled);
  if (!handled) result = DefWindowProcW(window, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) control->Detach();
  return result;
}

LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR refData) {
  auto* control = reinterpret_cast<TControl*>(refData);
  bool handled = false;
  LRESULT result = Dispatch(control, window, msg, wParam, lParam, handled);
  if (!handled) result = DefSubclassProc(window, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) control->Detach();
  return result;
}

void RegisterOwnClasses() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = OwnWindowProc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.hIcon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(1));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
    return true;
  }();
  (void)registered;
}

bool IsOwnClass(const wchar_t* className) {
  return className && (lstrcmpW(className, kWindowClass) == 0 || lstrcmpW(className, kFormClass) == 0);
}

void InitControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);
    RegisterOwnClasses();
    return true;
  }();
  (void)done;
}

// ---- TControl ----------------------------------------------------------------------

TControl::TControl(TControl* AParent) : FId(NextControlId()) {
  if (AParent) AParent->AddChild(this);
}

TControl::~TControl() {
  if (!AsForm()) {
    if (TCustomForm* form = Form()) form->ControlGone(this);
  }
  DestroyHandle();
  for (TControl* child : FControls) child->FParent = nullptr;
  if (FParent) FParent->RemoveChild(this);
}

TControl* TControl::FromHandle(HWND window) {
  return window ? static_cast<TControl*>(GetPropW(window, kControlProp)) : nullptr;
}

void TControl::AddChild(TControl* child) {
  child->FParent = this;
  FControls.push_back(child);
}

void TControl::RemoveChild(TControl* child) {
  FControls.erase(std::remove(FControls.begin(), FControls.end(), child), FControls.end());
  child->FParent = nullptr;
}

TCustomForm* TControl::Form() const {
  for (const TControl* c = this; c; c = c->FParent) {
    if (TCustomForm* f = const_cast<TControl*>(c)->AsForm()) return f;
  }
  return nullptr;
}

bool TControl::IsInside(const TControl* ancestor) const {
  for (const TControl* c = this; c; c = c->FParent) {
    if (c == ancestor) return true;
  }
  return false;
}

void TControl::CreateHandle() {
  if (FHandle) return;
  HWND parentWindow = nullptr;
  if (FParent) {
    parentWindow = FParent->FHandle;
    if (!parentWindow) return;  // made together with the parent
  } else if (TCustomForm* form = const_cast<TControl*>(this)->AsForm()) {
    if (form->OwnerForm()) parentWindow = form->OwnerForm()->Handle();
  }
  InitControlsOnce();
  CreateWnd(parentWindow);
  SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  AfterCreateHandle();
  CreateChildHandles();
}

void TControl::CreateWnd(HWND parentWindow) {
  const TCreateParams params = CreateParams();
  const bool child = FParent != nullptr;
  DWORD style = params.Style;
  if (child) {
    style |= WS_CHILD;
    if (FVisible) style |= WS_VISIBLE;
    if (FTabStop) style |= WS_TABSTOP;
  }
  if (!FEnabled) style |= WS_DISABLED;
  const bool own = IsOwnClass(params.ClassName);
  const RECT b = FBounds;
  const bool sized = b.right > b.left || b.bottom > b.top;
  HMENU menuOrId = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(FId)) : nullptr;
  if (!child) {
    if (TCustomForm* form = AsForm(); form && form->Menu()) menuOrId = form->Menu()->Handle();
  }
  HWND window = CreateWindowExW(params.ExStyle, params.ClassName, W(FText), style,
                                sized || child ? b.left : CW_USEDEFAULT,
                                sized || child ? b.top : CW_USEDEFAULT,
                                sized || child ? b.right - b.left : CW_USEDEFAULT,
                                sized || child ? WindowHeightFor(b.bottom - b.top) : CW_USEDEFAULT,
                                parentWindow, menuOrId, ModuleInstance(), own ? this : nullptr);
  if (!window) {
    throw std::runtime_error("Das Fenster konnte nicht erzeugt werden: " +
                             tvn::ToUtf8(LastErrorText()));
  }
  if (!own) AttachHandle(window, true);
  FBounds = WindowRectInParent(window);
}

void TControl::AttachHandle(HWND window, bool subclass) {
  FHandle = window;
  SetPropW(window, kControlProp, this);
  if (subclass) {
    // Can fail under low memory; the control then works without its events.
    FSubclassed = SetWindowSubclass(window, SubclassProc, kSubclassId,
                                    reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  }
}

void TControl::Detach() {
  if (!FHandle) return;
  RemovePropW(FHandle, kControlProp);
  if (FSubclassed) RemoveWindowSubclass(FHandle, SubclassProc, kSubclassId);
  FSubclassed = false;
  FHandle = nullptr;
  if (TCustomForm* form = AsForm()) form->FormWindowGone();
}

void TControl::CreateChildHandles() {
  for (TControl* child : ZOrder()) child->CreateHandle();
  ApplyZOrder();
}

void TControl::EnsureHandle() {
  if (!FHandle && FParent && FParent->FHandle) {
    CreateHandle();
    FParent->ApplyZOrder();
  }
}

void TControl::InitSize(int AWidth, int AHeight) {
  FBounds.right = FBounds.left + AWidth;
  FBounds.bottom = FBounds.top + AHeight;
}

void TControl::DestroyHandle() {
  if (FHandle) DestroyWindow(FHandle);  // WM_NCDESTROY detaches
}

std::vector<TControl*> TControl::ZOrder() const {
  auto attachedToSibling = [this](const TControl* label) {
    return std::any_of(FControls.begin(), FControls.end(), [label](const TControl* c) {
      return c != label && label->IsAttachedLabelOf(c);
    });
  };
  std::vector<TControl*> order;
  for (TControl* c : FControls) {
    if (attachedToSibling(c)) continue;
    for (TControl* label : FControls) {
      if (label != c && label->IsAttachedLabelOf(c)) order.push_back(label);
    }
    order.push_back(c);
  }
  return order;
}

void TControl::ApplyZOrder() {
  if (!FHandle) return;
  HWND after = HWND_TOP;
  for (TControl* c : ZOrder()) {
    if (!c->FHandle) continue;
    SetWindowPos(c->FHandle, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = c->FHandle;
  }
}

void TControl::SetParent(TControl* AParent) {
  if (AParent == FParent) return;
  if (FParent) FParent->RemoveChild(this);
  if (AParent) AParent->AddChild(this);
  if (FHandle) {
    if (AParent && AParent->FHandle) {
      ::SetParent(FHandle, AParent->FHandle);
      AParent->ApplyZOrder();
    } else {
      DestroyHandle();
    }
  } else if (AParent && AParent->FHandle) {
    CreateHandle();
    AParent->ApplyZOrder();
  }
}

int TControl::TabOrder() const {
  if (!FParent) return -1;
  const std::vector<TControl*> order = FParent->ZOrder();
  int index = 0;
  for (TControl* c : order) {
    if (c == this) return index;
    if (!std::any_of(order.begin(), order.end(),
                     [c](const TControl* o) { return o != c && c->IsAttachedLabelOf(o); })) {
      ++index;
    }
  }
  return -1;
}

void TControl::SetTabOrder(int ATabOrder) {
  if (!FParent) return;
  std::vector<TControl*>& list = FParent->FControls;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  // This control's own label counts as attached too, though the control is out of the list.
  auto isAttached = [this, &list](const TControl* c) {
    return c->IsAttachedLabelOf(this) ||
           std::any_of(list.begin(), list.end(),
                       [c](const TControl* o) { return o != c && c->IsAttachedLabelOf(o); });
  };
  int index = 0;
  auto it = list.begin();
  for (; it != list.end(); ++it) {
    if (isAttached(*it)) continue;
    if (index == ATabOrder) break;
    ++index;
  }
  list.insert(it, this);
  FParent->ApplyZOrder();
}

int TControl::Width() const { return FBounds.right - FBounds.left; }
int TControl::Height() const { return FBounds.bottom - FBounds.top; }
RECT TControl::Bounds() const { return FBounds; }

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const RECT wanted{ALeft, ATop, ALeft + std::max(AWidth, 0), ATop + std::max(AHeight, 0)};
  const bool changed = !EqualRect(&wanted, &FBounds);
  FBounds = wanted;
  if (!FHandle) {
    EnsureHandle();
  } else {
    SetWindowPos(FHandle, nullptr, ALeft, ATop, std::max(AWidth, 0),
                 WindowHeightFor(std::max(AHeight, 0)), SWP_NOZORDER | SWP_NOACTIVATE);
    FBounds = WindowRectInParent(FHandle);
  }
  if (changed) NotifyBoundsChanged();
}

void TControl::NotifyBoundsChanged() {
  if (FParent) FParent->ChildBoundsChanged();
}

int TControl::ClientWidth() const {
  if (FHandle) {
    RECT r{};
    GetClientRect(FHandle, &r);
    return r.right - r.left;
  }
  return Width();
}

int TControl::ClientHeight() const {
  if (FHandle) {
    RECT r{};
    GetClientRect(FHandle, &r);
    return r.bottom - r.top;
  }
  return Height();
}

void TControl::SetVisible(bool AVisible) {
  FVisible = AVisible;
  if (!AsForm()) EnsureHandle();
  if (FHandle && FParent) ShowWindow(FHandle, AVisible ? SW_SHOWNA : SW_HIDE);
  NotifyBoundsChanged();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->FParent) {
    if (!c->FVisible || !c->FHandle) return false;
  }
  return FHandle && IsWindowVisible(FHandle);
}

bool TControl::Enabled() const { return FEnabled; }

void TControl::SetEnabled(bool AEnabled) {
  FEnabled = AEnabled;
  if (FHandle) EnableWindow(FHandle, AEnabled);
}

std::u16string TControl::Text() const { return FHandle ? WindowText(FHandle) : FText; }

void TControl::SetText(const std::u16string& AText) {
  FText = AText;
  if (FHandle && WindowText(FHandle) != AText) SetWindowTextU(FHandle, AText);
  AdjustSize();
}

const TFont& TControl::Font() const { return FFont ? *FFont : SystemMessageFont(); }

HFONT TControl::FontHandle() const { return winui::FontHandle(Font()); }

void TControl::SetFont(const TFont& AFont) {
  FFont = AFont;
  if (FHandle) {
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  AdjustSize();
}

void TControl::SetColor(TColor AColor) {
  FColor = AColor;
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TControl::SetTabStop(bool ATabStop) {
  FTabStop = ATabStop;
  SetStyleBit(WS_TABSTOP, ATabStop);
}

DWORD TControl::CurrentStyle() const {
  return FHandle ? static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_STYLE)) : 0;
}

void TControl::SetStyleBit(DWORD bit, bool on) {
  if (!FHandle) return;
  const DWORD style = CurrentStyle();
  const DWORD wanted = on ? (style | bit) : (style & ~bit);
  if (wanted == style) return;
  SetWindowLongPtrW(FHandle, GWL_STYLE, static_cast<LONG_PTR>(wanted));
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(FHandle, nullptr, TRUE);
}

bool TControl::CanFocus() const {
  if (!FHandle || !IsWindowVisible(FHandle)) return false;
  for (HWND w = FHandle; w; w = GetParent(w)) {
    if (!IsWindowEnabled(w)) return false;
    if (!(GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return true;
}

bool TControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TControl::SetFocus() {
  EnsureHandle();
  if (!FHandle) return;
  if (GetFocus() == FHandle) {
    // Windows sends nothing for the window that has the focus already; the form must
    // still learn that this is its active control.
    if (TCustomForm* form = Form(); form && form != this) form->FocusChanged(this);
    return;
  }
  ::SetFocus(FHandle);
}

void TControl::DoEnter() {
  if (OnEnter) OnEnter();
}

void TControl::DoExit() {
  if (OnExit) OnExit();
}

LRESULT TControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!FHandle || FIsDialog) return 0;
  if (FSubclassed) return DefSubclassProc(FHandle, msg, wParam, lParam);
  if (FOwnClass) return DefWindowProcW(FHandle, msg, wParam, lParam);
  return CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(FHandle, GCLP_WNDPROC)),
                         FHandle, msg, wParam, lParam);
}

HBRUSH TControl::HandleCtlColor(HDC dc, UINT msg) {
  if (FColor == clDefault && !FFont) return nullptr;
  const bool inputKind = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  const TColor back =
      FColor != clDefault ? FColor : SystemColor(inputKind ? COLOR_WINDOW : COLOR_BTNFACE);
  SetTextColor(dc, FFont ? FFont->Color : SystemColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, back);
  return SolidBrush(back);
}

POINT TControl::KeyboardPopupPoint() const {
  RECT r{};
  if (FHandle) GetWindowRect(FHandle, &r);
  return POINT{r.left + 4, r.top + 4};
}

bool TControl::ShowPopupMenu(POINT screenPoint) {
  if (!PopupMenu) return false;
  if (screenPoint.x == -1 && screenPoint.y == -1) screenPoint = KeyboardPopupPoint();
  PopupMenu->Popup(*this, screenPoint);
  return true;
}

bool TControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return BaseMessage(msg, wParam, lParam, result);
}

void TControl::SetAccessibleName(const std::u16string& AName) {
  if (AName == FAccessibleName) return;
  FAccessibleName = AName;
  if (HandleAllocated()) NotifyAccessibleNameChange(FHandle);
}

bool TControl::BaseMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_GETOBJECT:
      if (!FAccessibleName.empty() &&
          AnswerAccessibleName(
              FHandle, wParam, lParam, FAccessibleName,
              [&] { return DefaultHandler(msg, wParam, lParam); }, result)) {
        return true;
      }
      break;
    case WM_COMMAND:
      if (lParam) {
        TControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
        if (child && child != this && child->HandleCommand(HIWORD(wParam))) {
          result = 0;
          return true;
        }
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (!header) break;
      TControl* child = FromHandle(header->hwndFrom);
      if (child && child != this) {
        if (child->HandleNotify(*header, result)) return true;
      } else if (!child) {
        // The column header of a list view: its notifications reach the list view's
        // parent too (on Windows).
        auto* list = dynamic_cast<TListView*>(FromHandle(GetParent(header->hwndFrom)));
        if (list && list != this && list->HeaderNotify(*header, result, true)) return true;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
      TControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
      // A window of ours that is not a control (a combo box's list) colours like us.
      if (!child && !AsForm()) child = this;
      if (child) {
        if (HBRUSH brush = child->HandleCtlColor(reinterpret_cast<HDC>(wParam), msg)) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item && item->CtlType != ODT_MENU) {
        TControl* child = FromHandle(item->hwndItem);
        if (child && child != this && child->HandleDrawItem(*item)) {
          result = TRUE;
          return true;
        }
      }
      break;
    }
    case WM_SETFOCUS:
      if (!AsForm()) {
        result = DefaultHandler(msg, wParam, lParam);
        if (TCustomForm* form = Form()) form->FocusChanged(this);
        return true;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnKeyDown && !IsModifierKey(wParam)) {
        WORD key = static_cast<WORD>(wParam);
        OnKeyDown(key, KeyboardShiftState());
        if (key == 0) return true;
        if (key != wParam) {
          result = DefaultHandler(msg, key, lParam);
          return true;
        }
      }
      break;
    case WM_CHAR:
      if (OnKeyPress) {
        char16_t key = static_cast<char16_t>(wParam);
        OnKeyPress(key);
        if (key == 0) return true;
        if (key != wParam) {
          result = DefaultHandler(msg, key, lParam);
          return true;
        }
      }
      break;
    case WM_CONTEXTMENU:
      if (PopupMenu) {
        if (ShowPopupMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return true;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (FHandle) FBounds = WindowRectInParent(FHandle);
      break;
    case WM_DESTROY:
      if (FHandle) {
        FText = Text();
        BeforeDestroyHandle();
      }
      break;
    default:
      break;
  }
  return false;
}

}  // namespace winui
