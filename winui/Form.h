// Forms: TMainForm is a real top-level window with its own message loop helpers;
// TDialogForm is shown modally through the Windows dialog manager (Tab order, Enter =
// default button, Esc = cancel button, label accelerators, owner disabled meanwhile).
// Both track the focused control and fire the controls' OnEnter/OnExit, check shortcut
// keys themselves and route menu commands to the items.
// A form whose window exists calls DestroyHandle() in its own destructor, so that no message
// reaches it while its controls are destroyed.
#pragma once

#include <functional>
#include <map>

#include "winui/Controls.h"
#include "winui/Menu.h"

namespace winui {

class TCustomForm : public TControl {
 public:
  explicit TCustomForm(TCustomForm* AOwner);
  ~TCustomForm() override;
  TCustomForm* AsForm() override { return this; }
  TCustomForm* OwnerForm() const { return FOwner; }

  // The events of a form; derived forms override them.
  virtual void FormShow() {}
  virtual void FormCloseQuery(bool& /*CanClose*/) {}
  virtual void FormClose() {}
  virtual void FormResize() {}

  // Outer bounds are Left/Top/Width/Height; the client size follows from the frame.
  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientSize(int AWidth, int AHeight);

  // The control that has (or last had) the focus in this form. SetActiveControl(null)
  // forgets it, so that focusing the same control again runs its OnEnter.
  TControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TControl* AControl);

  TButton* DefaultButton() const { return FDefaultButton; }
  TButton* CancelButton() const { return FCancelButton; }

  void SetMenu(TMainMenu* AMenu);
  TMainMenu* Menu() const { return FMenu; }
  // Runs for every key press before the shortcuts are looked up; true = consumed.
  std::function<bool(TShortCut Key)> OnBeforeShortCut;
  // A menu of this form is about to open (after the item's own OnPopup).
  std::function<void(TMenuItem& Item)> OnMenuOpening;
  // OnBeforeShortCut, then the popup menus of the focused control and its parents, then
  // the menu bar: an enabled item with this shortcut runs and the key is consumed; a
  // disabled one does nothing and the key goes on to the control.
  virtual bool IsShortCut(TShortCut key);

  // Extra window messages (WM_COPYDATA, private WM_APP messages ...).
  using TMessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;
  void SetMessageHandler(UINT msg, TMessageHandler handler);

  // Asks FormCloseQuery; when allowed runs FormClose and closes the window.
  virtual void Close() = 0;
  bool IsShown() const;

  // Keys and dialog navigation for the form the message is meant for; true = handled.
  // The main message loop calls it; dialogs get it through a message filter hook.
  static bool PreTranslateMessage(MSG& msg);

 protected:
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  HBRUSH HandleCtlColor(HDC, UINT) override { return nullptr; }
  // A WM_COMMAND that no child took: menus, the default and cancel buttons.
  virtual bool FormCommand(WORD id, WORD code);
  // Tries to close with the result; false when FormCloseQuery refused.
  bool QueryClose();
  // The window went; forget the focus so that the next showing runs OnEnter again.
  void FormWindowGone();
  TCustomForm* FOwner;
  TMainMenu* FMenu = nullptr;

 private:
  friend class TControl;
  friend class TButton;
  void FocusChanged(TControl* focused);
  void ControlGone(TControl* control);
  bool MenuPopup(HMENU menu);
  TControl* FindById(int id) const;
  TControl* FActiveControl = nullptr;
  TButton* FDefaultButton = nullptr;
  TButton* FCancelButton = nullptr;
  std::map<UINT, TMessageHandler> FMessageHandlers;
};

enum class TWindowState { Normal, Minimized, Maximized };

class TMainForm : public TCustomForm {
 public:
  explicit TMainForm(TCustomForm* AOwner = nullptr);
  ~TMainForm() override;
  // Makes the window (hidden) and its controls, then runs FormCreate.
  void Create();
  virtual void FormCreate() {}
  // Closing the main form ends the message loop.
  bool IsMainForm = true;
  void Show();
  void Hide();
  void Close() override;
  // Windows asks before the user logs off or shuts down (WM_QUERYENDSESSION); CanEnd false
  // keeps the session.
  virtual void FormQueryEndSession(bool& /*CanEnd*/) {}
  // The session ends now (Ending) or goes on after all (WM_ENDSESSION). After an ending
  // the process may be stopped at any moment.
  virtual void FormEndSession(bool /*Ending*/) {}
  TWindowState WindowState() const;
  void SetWindowState(TWindowState AState);
  // Limits for sizing by the user (0: none).
  void SetSizeLimits(int minWidth, int minHeight, int maxWidth = 0, int maxHeight = 0);
  bool Resizable = true;  // before Create

  // GetMessage loop until WM_QUIT; returns its exit code.
  static int RunMessageLoop();
  // Handles the messages waiting now; false once WM_QUIT was seen.
  static bool ProcessMessages();

 protected:
  TCreateParams CreateParams() override;
  void AfterCreateHandle() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void RestoreFocus();
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
  TWindowState FWindowState = TWindowState::Normal;
  HWND FFocusBeforeDeactivate = nullptr;
};

class TDialogForm : public TCustomForm {
 public:
  explicit TDialogForm(TCustomForm* AOwner = nullptr);
  ~TDialogForm() override;
  // Runs FormCreate (no window exists yet; dialogs get a window at every showing).
  void Create();
  virtual void FormCreate() {}
  // Shows the dialog modally over the active window (or the owner form) and returns how
  // it was closed. The focused control of the owner gets the focus back afterwards.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  // While shown: closes after the current event handler, unless FormCloseQuery refuses.
  void SetModalResult(TModalResult AResult);
  void Close() override;

 protected:
  TCreateParams CreateParams() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool FormCommand(WORD id, WORD code) override;

 private:
  friend INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
  void InitDialog(HWND window);
  void TryEndModal();
  TModalResult FModalResult = mrNone;
  bool FInModal = false;
};

}  // namespace winui
