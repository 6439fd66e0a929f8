#include "winui/Form.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "winui/Modal.h"
#include "winui/OwnClass.h"
#include "winui/Win32Util.h"

namespace winui {

namespace {

HHOOK g_messageFilter = nullptr;
// The key message checked last: the dialog loop, the main loop and Wine's IsDialogMessageW
// may each offer the same message; it is checked once.
MSG g_lastChecked{};

bool IsModifier(WPARAM key) {
  return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LWIN ||
         key == VK_RWIN || key == VK_CAPITAL;
}

TCustomForm* FormOfWindow(HWND window) {
  if (!window) return nullptr;
  TControl* root = TControl::FromHandle(GetAncestor(window, GA_ROOT));
  return root ? root->AsForm() : nullptr;
}

bool CheckShortCut(const MSG& msg) {
  if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || IsModifier(msg.wParam)) {
    return false;
  }
  TCustomForm* form = FormOfWindow(msg.hwnd);
  if (!form) return false;
  const bool seen = msg.hwnd == g_lastChecked.hwnd && msg.message == g_lastChecked.message &&
                    msg.wParam == g_lastChecked.wParam && msg.lParam == g_lastChecked.lParam &&
                    msg.time == g_lastChecked.time;
  if (seen) return false;  // a shortcut would not have been offered again
  g_lastChecked = msg;
  bool consumed = false;
  Guarded([&] {
    consumed = form->IsShortCut(
        TShortCut{static_cast<std::uint16_t>(msg.wParam), KeyboardShiftState()});
  });
  return consumed;
}

// Keys in the dialog manager's own loop (modal dialogs) pass here before it handles them.
LRESULT CALLBACK MessageFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && lParam) {
    if (CheckShortCut(*reinterpret_cast<const MSG*>(lParam))) return TRUE;
  }
  return CallNextHookEx(g_messageFilter, code, wParam, lParam);
}

void EnsureMessageFilter() {
  if (!g_messageFilter) {
    g_messageFilter =
        SetWindowsHookExW(WH_MSGFILTER, MessageFilterProc, nullptr, GetCurrentThreadId());
  }
}

SIZE FrameSize(const TCreateParams& params, bool menu) {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, params.Style & 0xFFFF0000u, menu, params.ExStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// Focus as the dialog manager gives it on Tab: edit fields get their text selected.
void FocusTabTarget(HWND target) {
  SetFocus(target);
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    SendMessageW(target, EM_SETSEL, 0, -1);
  }
}

bool CanTakeFocus(HWND window, HWND form) {
  return window && IsWindow(window) && IsChild(form, window) && IsWindowVisible(window) &&
         IsWindowEnabled(window);
}

}  // namespace

// ---- TCustomForm -------------------------------------------------------------------

TCustomForm::TCustomForm(TCustomForm* AOwner) : TControl(nullptr), FOwner(AOwner) {
  SetVisible(false);
}

TCustomForm::~TCustomForm() { DestroyHandle(); }

int TCustomForm::ClientWidth() const {
  if (HandleAllocated()) return TControl::ClientWidth();
  const SIZE frame = FrameSize(const_cast<TCustomForm*>(this)->CreateParams(), FMenu != nullptr);
  return std::max<int>(Width() - frame.cx, 0);
}

int TCustomForm::ClientHeight() const {
  if (HandleAllocated()) return TControl::ClientHeight();
  const SIZE frame = FrameSize(const_cast<TCustomForm*>(this)->CreateParams(), FMenu != nullptr);
  return std::max<int>(Height() - frame.cy, 0);
}

void TCustomForm::SetClientSize(int AWidth, int AHeight) {
  int frameW = 0, frameH = 0;
  if (HandleAllocated()) {
    RECT outer{}, client{};
    GetWindowRect(Handle(), &outer);
    GetClientRect(Handle(), &client);
    frameW = (outer.right - outer.left) - client.right;
    frameH = (outer.bottom - outer.top) - client.bottom;
  } else {
    const SIZE frame = FrameSize(CreateParams(), FMenu != nullptr);
    frameW = frame.cx;
    frameH = frame.cy;
  }
  SetBounds(Left(), Top(), AWidth + frameW, AHeight + frameH);
}

bool TCustomForm::IsShown() const { return HandleAllocated() && IsWindowVisible(Handle()); }

void TCustomForm::FocusChanged(TControl* focused) {
  if (focused == FActiveControl) return;
  TControl* old = FActiveControl;
  FActiveControl = focused;
  auto chain = [this](TControl* c) {
    std::vector<TControl*> list;  // innermost first
    for (; c && c != this; c = c->Parent()) list.push_back(c);
    return list;
  };
  const std::vector<TControl*> oldChain = chain(old), newChain = chain(focused);
  auto contains = [](const std::vector<TControl*>& list, TControl* c) {
    return std::find(list.begin(), list.end(), c) != list.end();
  };
  for (TControl* c : oldChain) {
    if (contains(newChain, c)) continue;
    c->DoExit();
    if (FActiveControl != focused) return;  // a handler moved the focus on
  }
  for (auto it = newChain.rbegin(); it != newChain.rend(); ++it) {
    if (contains(oldChain, *it)) continue;
    (*it)->DoEnter();
    if (FActiveControl != focused) return;
  }
}

void TCustomForm::SetActiveControl(TControl* AControl) {
  if (!AControl) {
    TControl* old = FActiveControl;
    FActiveControl = nullptr;
    for (TControl* c = old; c && c != this; c = c->Parent()) c->DoExit();
    return;
  }
  if (AControl->CanFocus()) AControl->SetFocus();
}

void TCustomForm::ControlGone(TControl* control) {
  if (FActiveControl && FActiveControl->IsInside(control)) FActiveControl = nullptr;
  if (FDefaultButton && FDefaultButton->IsInside(control)) FDefaultButton = nullptr;
  if (FCancelButton && FCancelButton->IsInside(control)) FCancelButton = nullptr;
}

void TCustomForm::FormWindowGone() { FActiveControl = nullptr; }

void TCustomForm::SetMenu(TMainMenu* AMenu) {
  FMenu = AMenu;
  if (HandleAllocated()) {
    ::SetMenu(Handle(), AMenu ? AMenu->Handle() : nullptr);
    if (AMenu) AMenu->SetWindow(Handle());
  }
}

void TCustomForm::SetMessageHandler(UINT msg, TMessageHandler handler) {
  if (handler) {
    FMessageHandlers[msg] = std::move(handler);
  } else {
    FMessageHandlers.erase(msg);
  }
}

bool TCustomForm::IsShortCut(TShortCut key) {
  if (OnBeforeShortCut && OnBeforeShortCut(key)) return true;
  auto run = [](TMenuItem* item) {
    if (!item->EnabledInTree()) return false;  // the key goes on to the control
    item->Click();
    return true;
  };
  for (TControl* c = FActiveControl; c; c = c->Parent()) {
    if (c->PopupMenu) {
      if (TMenuItem* item = c->PopupMenu->FindShortCut(key)) return run(item);
    }
  }
  if (FMenu) {
    if (TMenuItem* item = FMenu->FindShortCut(key)) return run(item);
  }
  return false;
}

bool TCustomForm::PreTranslateMessage(MSG& msg) {
  if (CheckShortCut(msg)) return true;
  TCustomForm* form = FormOfWindow(msg.hwnd);
  if (form && dynamic_cast<TMainForm*>(form) && form->HandleAllocated()) {
    return IsDialogMessageW(form->Handle(), &msg) != FALSE;
  }
  return false;
}

TControl* TCustomForm::FindById(int id) const {
  std::vector<const TControl*> pending{this};
  while (!pending.empty()) {
    const TControl* c = pending.back();
    pending.pop_back();
    if (c != this && c->ControlId() == id) return const_cast<TControl*>(c);
    for (const TControl* child : c->Controls()) pending.push_back(child);
  }
  return nullptr;
}

bool TCustomForm::MenuPopup(HMENU menu) {
  TMenuItem* item = TMenuItem::FromSubMenu(menu);
  if (!item) return false;
  if (item->OnPopup) item->OnPopup();
  if (OnMenuOpening) OnMenuOpening(*item);
  return true;
}

bool TCustomForm::FormCommand(WORD id, WORD code) {
  if (code == 0 || code == 1) {
    if (TMenuItem* item = TMenuItem::FromCommand(id)) {
      item->Click();
      return true;
    }
  }
  if (id == IDCANCEL) {
    if (FCancelButton && FCancelButton->HandleAllocated() &&
        IsWindowEnabled(FCancelButton->Handle())) {
      FCancelButton->Click();
    }
    return true;
  }
  if (code == BN_CLICKED) {
    // Enter on a default button that is not a direct child of the form: the dialog
    // manager finds no window for the id.
    if (auto* button = dynamic_cast<TButton*>(FindById(id))) {
      if (button->HandleAllocated() && IsWindowEnabled(button->Handle())) button->Click();
      return true;
    }
  }
  return false;
}

bool TCustomForm::QueryClose() {
  bool canClose = true;
  FormCloseQuery(canClose);
  return canClose;
}

bool TCustomForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (auto it = FMessageHandlers.find(msg); it != FMessageHandlers.end()) {
    result = it->second(wParam, lParam);
    return true;
  }
  switch (msg) {
    case WM_COMMAND:
      if (TControl::HandleMessage(msg, wParam, lParam, result)) return true;
      if (lParam == 0 || !FromHandle(reinterpret_cast<HWND>(lParam))) {
        if (FormCommand(LOWORD(wParam), HIWORD(wParam))) {
          result = 0;
          return true;
        }
      }
      return false;
    case DM_GETDEFID: {
      // A focused push button is the one Enter presses; otherwise the default button.
      auto* button = dynamic_cast<TButton*>(FromHandle(GetFocus()));
      if (!button || !button->IsInside(this)) button = FDefaultButton;
      if (button && button->HandleAllocated()) {
        result = MAKELONG(button->ControlId(), DC_HASDEFID);
        return true;
      }
      break;
    }
    case WM_INITMENUPOPUP:
      if (MenuPopup(reinterpret_cast<HMENU>(wParam))) {
        result = 0;
        return true;
      }
      break;
    default:
      break;
  }
  return TControl::HandleMessage(msg, wParam, lParam, result);
}

// ---- TMainForm ---------------------------------------------------------------------

TMainForm::TMainForm(TCustomForm* AOwner) : TCustomForm(AOwner) {}

TMainForm::~TMainForm() { DestroyHandle(); }

TCreateParams TMainForm::CreateParams() {
  RegisterOwnClasses();
  const DWORD style = Resizable ? WS_OVERLAPPEDWINDOW
                                : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  return {kFormClass, style | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT | WS_EX_APPWINDOW};
}

void TMainForm::AfterCreateHandle() {
  if (FMenu) FMenu->SetWindow(Handle());
}

void TMainForm::Create() {
  CreateHandle();
  FormCreate();
}

void TMainForm::Show() {
  if (!HandleAllocated()) CreateHandle();
  const bool wasVisible = IsWindowVisible(Handle()) != FALSE;
  SetVisible(true);
  if (!wasVisible) FormShow();
  int command = SW_SHOW;
  if (FWindowState == TWindowState::Maximized) command = SW_SHOWMAXIMIZED;
  if (FWindowState == TWindowState::Minimized) command = SW_SHOWMINIMIZED;
  ShowWindow(Handle(), command);
  if (!wasVisible) RestoreFocus();
}

void TMainForm::Hide() {
  SetVisible(false);
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void TMainForm::Close() {
  if (!QueryClose()) return;
  FormClose();
  Hide();
  if (IsMainForm) PostQuitMessage(0);
}

TWindowState TMainForm::WindowState() const {
  if (HandleAllocated() && IsWindowVisible(Handle())) {
    if (IsZoomed(Handle())) return TWindowState::Maximized;
    if (IsIconic(Handle())) return TWindowState::Minimized;
    return TWindowState::Normal;
  }
  return FWindowState;
}

void TMainForm::SetWindowState(TWindowState AState) {
  FWindowState = AState;
  if (HandleAllocated() && IsWindowVisible(Handle())) {
    ShowWindow(Handle(), AState == TWindowState::Maximized   ? SW_MAXIMIZE
                         : AState == TWindowState::Minimized ? SW_MINIMIZE
                                                             : SW_RESTORE);
  }
}

void TMainForm::SetSizeLimits(int minWidth, int minHeight, int maxWidth, int maxHeight) {
  FMinWidth = minWidth;
  FMinHeight = minHeight;
  FMaxWidth = maxWidth;
  FMaxHeight = maxHeight;
}

void TMainForm::RestoreFocus() {
  HWND target = FFocusBeforeDeactivate;
  if (!CanTakeFocus(target, Handle()) && ActiveControl() && ActiveControl()->HandleAllocated()) {
    target = ActiveControl()->Handle();
  }
  if (!CanTakeFocus(target, Handle())) target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
  if (CanTakeFocus(target, Handle()) && GetFocus() != target) ::SetFocus(target);
}

int TMainForm::RunMessageLoop() {
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!PreTranslateMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

bool TMainForm::ProcessMessages() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that waits for it
      return false;
    }
    if (!PreTranslateMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return true;
}

bool TMainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      result = 0;
      return true;
    case WM_QUERYENDSESSION: {
      // A handler that failed keeps the session: what it was about to save is not lost.
      bool canEnd = true, failed = true;
      Guarded([&] {
        FormQueryEndSession(canEnd);
        failed = false;
      });
      result = canEnd && !failed;
      return true;
    }
    case WM_ENDSESSION:
      FormEndSession(wParam != FALSE);
      result = 0;
      return true;
    case WM_SIZE:
      if (TCustomForm::HandleMessage(msg, wParam, lParam, result)) return true;
      result = DefaultHandler(msg, wParam, lParam);
      FormResize();
      return true;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (FMinWidth > 0) info->ptMinTrackSize.x = FMinWidth;
      if (FMinHeight > 0) info->ptMinTrackSize.y = FMinHeight;
      if (FMaxWidth > 0) info->ptMaxTrackSize.x = FMaxWidth;
      if (FMaxHeight > 0) info->ptMaxTrackSize.y = FMaxHeight;
      result = 0;
      return true;
    }
    case WM_ACTIVATE:
      // Windows gives a plain window's focus to the frame; give it back to the control.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) FFocusBeforeDeactivate = focus;
      } else if (!HIWORD(wParam)) {
        RestoreFocus();
      }
      result = 0;
      return true;
    case WM_NEXTDLGCTL: {
      // IsDialogMessage asks a plain window to move the focus on Tab.
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0);
      if (CanTakeFocus(target, Handle())) FocusTabTarget(target);
      result = 0;
      return true;
    }
    default:
      break;
  }
  return TCustomForm::HandleMessage(msg, wParam, lParam, result);
}

// ---- TDialogForm -------------------------------------------------------------------

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = WS_EX_CONTROLPARENT;

// An empty in-memory dialog template; the controls are made in WM_INITDIALOG.
std::vector<DWORD> DialogTemplate() {
  std::vector<DWORD> buffer(8, 0);
  auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
  const DWORD style = kDialogStyle, exStyle = kDialogExStyle;
  std::memcpy(bytes, &style, 4);
  std::memcpy(bytes + 4, &exStyle, 4);
  // cdit, x, y, cx, cy, then empty menu, class and title: all zero.
  return buffer;
}

}  // namespace

INT_PTR CALLBACK DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* form = reinterpret_cast<TDialogForm*>(lParam);
    form->FIsDialog = true;
    form->AttachHandle(window, false);
    Guarded([&] { form->InitDialog(window); });
    return FALSE;  // the form has set the focus
  }
  TControl* control = TControl::FromHandle(window);
  if (!control) return FALSE;
  bool handled = false;
  const LRESULT result = Dispatch(control, window, msg, wParam, lParam, handled);
  if (msg == WM_NCDESTROY) control->Detach();
  if (!handled) return FALSE;
  switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return static_cast<INT_PTR>(result);
    default:
      SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
      return TRUE;
  }
}

TDialogForm::TDialogForm(TCustomForm* AOwner) : TCustomForm(AOwner) {}

TDialogForm::~TDialogForm() = default;

TCreateParams TDialogForm::CreateParams() {
  return {L"#32770", kDialogStyle & 0xFFFF0000u, kDialogExStyle | WS_EX_DLGMODALFRAME};
}

void TDialogForm::Create() { FormCreate(); }

TModalResult TDialogForm::ShowModal() {
  if (FInModal) return mrNone;
  InitControlsOnce();
  EnsureMessageFilter();
  HWND owner = ModalOwnerWindow();
  if (!owner && FOwner && FOwner->HandleAllocated() && IsWindowVisible(FOwner->Handle())) {
    owner = FOwner->Handle();
  }
  if (owner) owner = GetAncestor(owner, GA_ROOT);
  HWND previousFocus = GetFocus();
  FModalResult = mrNone;
  FInModal = true;
  const std::vector<DWORD> dialogTemplate = DialogTemplate();
  INT_PTR ended = 0;
  {
    TModalScope modal;
    ended = DialogBoxIndirectParamW(ModuleInstance(),
                                    reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                    owner, DialogProc, reinterpret_cast<LPARAM>(this));
  }
  FInModal = false;
  FIsDialog = false;
  if (ended == -1) FModalResult = mrCancel;
  if (previousFocus && IsWindow(previousFocus) && IsWindowVisible(previousFocus) &&
      IsWindowEnabled(previousFocus) && GetFocus() != previousFocus) {
    ::SetFocus(previousFocus);
  }
  return FModalResult;
}

void TDialogForm::InitDialog(HWND window) {
  SetWindowTextU(window, CachedText());
  RECT b = Bounds();
  if (b.right - b.left <= 0 || b.bottom - b.top <= 0) {
    // No size given yet: a plain size centred over the owner.
    RECT area{};
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner) {
      GetWindowRect(owner, &area);
    } else {
      area = MonitorWorkArea(window);
    }
    const int w = 400, h = 300;
    b = RECT{area.left + (area.right - area.left - w) / 2, area.top + (area.bottom - area.top - h) / 2,
             0, 0};
    b.right = b.left + w;
    b.bottom = b.top + h;
  }
  SetWindowPos(window, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetBounds(b.left, b.top, b.right - b.left, b.bottom - b.top);
  CreateChildHandles();
  if (DefaultButton() && DefaultButton()->HandleAllocated()) {
    SendMessageW(window, DM_SETDEFID, DefaultButton()->ControlId(), 0);
  }
  FormShow();
  HWND focus = GetFocus();
  if (!focus || !IsChild(window, focus)) {
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) FocusTabTarget(first);
  }
}

void TDialogForm::SetModalResult(TModalResult AResult) {
  FModalResult = AResult;
  // Closes after the handler that set the result has finished, as a click handler
  // expects; FormCloseQuery may still refuse.
  if (AResult != mrNone && FInModal && HandleAllocated()) {
    PostMessageW(Handle(), WM_TVN_TRYCLOSE, 0, 0);
  }
}

void TDialogForm::Close() { SetModalResult(mrCancel); }

void TDialogForm::TryEndModal() {
  if (FModalResult == mrNone || !HandleAllocated()) return;
  if (!QueryClose()) {
    FModalResult = mrNone;
    return;
  }
  FormClose();
  EndDialog(Handle(), FModalResult);
}

bool TDialogForm::FormCommand(WORD id, WORD code) {
  if (id == IDCANCEL) {
    if (CancelButton() && CancelButton()->HandleAllocated()) {
      if (IsWindowEnabled(CancelButton()->Handle())) CancelButton()->Click();
    } else {
      SetModalResult(mrCancel);
    }
    return true;
  }
  return TCustomForm::FormCommand(id, code);
}

bool TDialogForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_TVN_TRYCLOSE:
      TryEndModal();
      result = 0;
      return true;
    case WM_CLOSE:
      SetModalResult(mrCancel);
      result = 0;
      return true;
    default:
      break;
  }
  return TCustomForm::HandleMessage(msg, wParam, lParam, result);
}

}  // namespace winui
