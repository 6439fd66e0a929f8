// TControl: the C++ object behind one window. It owns its HWND, keeps its properties
// while no window exists (dialogs get new windows at every showing, the objects stay),
// and receives its own notifications: the parent hands WM_COMMAND, WM_NOTIFY,
// WM_CTLCOLOR* and WM_DRAWITEM back to the child's object. Window classes of our own
// bind at WM_NCCREATE, standard controls are hooked with SetWindowSubclass. No
// exception leaves a window procedure (see SetExceptionHandler).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "winui/Appearance.h"
#include "winui/ShortCut.h"

namespace winui {

class TCustomForm;
class TPopupMenu;

struct TCreateParams {
  const wchar_t* ClassName = nullptr;
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

// Where an exception thrown by an event handler goes instead of into Windows. The
// default shows its text in an error box.
void SetExceptionHandler(std::function<void(const char* what)> handler);
// Runs fn and hands any exception to the exception handler.
void Guarded(const std::function<void()>& fn);

// Shift, Ctrl and Alt as they are held now.
TShiftState KeyboardShiftState();

class TControl {
 public:
  explicit TControl(TControl* AParent);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // The control for a window made by this layer, or null.
  static TControl* FromHandle(HWND window);

  HWND Handle() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Makes this window (the parent's must exist) and then the windows of its children.
  // Controls of a form get theirs with the form; one added later gets it at its first
  // SetBounds, SetVisible or SetFocus.
  void CreateHandle();
  void DestroyHandle();

  TControl* Parent() const { return FParent; }
  // Moves the control into another parent, at the end of its tab order.
  void SetParent(TControl* AParent);
  // Children in tab order.
  const std::vector<TControl*>& Controls() const { return FControls; }
  // The form the control lives on (itself for a form).
  TCustomForm* Form() const;
  virtual TCustomForm* AsForm() { return nullptr; }
  bool IsInside(const TControl* ancestor) const;  // itself or below ancestor

  // Bounds in the parent's client coordinates (screen coordinates for forms).
  int Left() const { return Bounds().left; }
  int Top() const { return Bounds().top; }
  int Width() const;
  int Height() const;
  RECT Bounds() const;
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  virtual int ClientWidth() const;
  virtual int ClientHeight() const;

  bool Visible() const { return FVisible; }
  void SetVisible(bool AVisible);
  // Visible here and in every parent, with a window.
  bool Showing() const;
  bool Enabled() const;
  void SetEnabled(bool AEnabled);

  // Caption or text of the control.
  virtual std::u16string Text() const;
  virtual void SetText(const std::u16string& AText);
  std::u16string Caption() const { return Text(); }
  void SetCaption(const std::u16string& ACaption) { SetText(ACaption); }

  // The font (the system message font until one is set) and the background colour
  // (clDefault: the system colour of the kind). The text colour is Font().Color.
  const TFont& Font() const;
  virtual void SetFont(const TFont& AFont);
  TColor Color() const { return FColor; }
  virtual void SetColor(TColor AColor);
  HFONT FontHandle() const;

  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool ATabStop);
  // Position among the parent's children in the Tab order (and the z-order Windows
  // navigates by). A label whose FocusControl is set always sits right before that
  // control, so its accelerator and the screen reader's name find the field.
  int TabOrder() const;
  void SetTabOrder(int ATabOrder);

  bool CanFocus() const;
  bool Focused() const;
  void SetFocus();

  // The name screen readers read for the control (see AccessibleName.h); empty: the one
  // Windows finds itself.
  const std::u16string& AccessibleName() const { return FAccessibleName; }
  void SetAccessibleName(const std::u16string& AName);

  // Opens on right click and on the context-menu key.
  TPopupMenu* PopupMenu = nullptr;
  int Tag = 0;

  std::function<void()> OnEnter;  // focus came into this control (or its children)
  std::function<void()> OnExit;   // focus left it for another control of the form
  // Key 0 after the handler: consumed.
  std::function<void(WORD& Key, TShiftState Shift)> OnKeyDown;
  std::function<void(char16_t& Key)> OnKeyPress;

  // The id Windows sends in WM_COMMAND; unique in the process.
  int ControlId() const { return FId; }

  // Used by the layer: a label attached to this control.
  virtual bool IsAttachedLabelOf(const TControl*) const { return false; }

 protected:
  virtual TCreateParams CreateParams() = 0;
  // Pushes the kept properties into a new window / reads them back before it goes.
  virtual void AfterCreateHandle() {}
  virtual void BeforeDestroyHandle() {}
  // One message for this window. Return true when handled (result in result);
  // call DefaultHandler for the default processing when needed.
  virtual bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Reflected from the parent: BN_CLICKED, EN_CHANGE, CBN_SELCHANGE ...
  virtual bool HandleCommand(WORD /*code*/) { return false; }
  virtual bool HandleNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  // A brush for the background, or null for the default; set text colours on dc.
  virtual HBRUSH HandleCtlColor(HDC dc, UINT msg);
  virtual bool HandleDrawItem(DRAWITEMSTRUCT& /*item*/) { return false; }
  // Shows the popup menu at a screen point ((-1,-1): keyboard, below the control).
  virtual bool ShowPopupMenu(POINT screenPoint);
  // Where the context-menu key opens the popup menu.
  virtual POINT KeyboardPopupPoint() const;
  // After SetText / SetFont (labels and edits follow their text and font).
  virtual void AdjustSize() {}
  // A child moved or changed size (the scroll box follows its contents).
  virtual void ChildBoundsChanged() {}
  // The height given to Windows for a height of the control (a drop-down list adds its
  // list).
  virtual int WindowHeightFor(int height) const { return height; }
  virtual void DoEnter();
  virtual void DoExit();

  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
  // Makes the window (CreateWindowExW, subclassed when the class is not ours).
  virtual void CreateWnd(HWND parentWindow);
  // Binds a window made elsewhere (a dialog the dialog manager made).
  void AttachHandle(HWND window, bool subclass);
  void CreateChildHandles();
  // Applies the Tab order to the windows of the children.
  void ApplyZOrder();
  DWORD CurrentStyle() const;
  void SetStyleBit(DWORD bit, bool on);
  // Size before any window exists (constructors must not make windows).
  void InitSize(int AWidth, int AHeight);
  // A control added after its parent's window was made gets its own window here.
  void EnsureHandle();
  // Keeps the cached text equal to the window's (before the window goes).
  void SetCachedText(const std::u16string& t) { FText = t; }
  const std::u16string& CachedText() const { return FText; }
  bool FOwnClass = false;  // a class of this layer: DefWindowProc is the default
  bool FIsDialog = false;  // made by the dialog manager: the default is "not handled"

 private:
  friend class TCustomForm;
  friend class TScrollBox;
  friend LRESULT CALLBACK OwnWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  friend INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT Dispatch(TControl*, HWND, UINT, WPARAM, LPARAM, bool&);

  bool BaseMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Detach();
  void AddChild(TControl* child);
  void RemoveChild(TControl* child);
  std::vector<TControl*> ZOrder() const;
  void NotifyBoundsChanged();

  HWND FHandle = nullptr;
  bool FSubclassed = false;
  TControl* FParent = nullptr;
  std::vector<TControl*> FControls;
  RECT FBounds{0, 0, 0, 0};
  bool FVisible = true;
  bool FEnabled = true;
  bool FTabStop = false;
  std::u16string FText;
  std::u16string FAccessibleName;
  std::optional<TFont> FFont;
  TColor FColor = clDefault;
  int FId;
  bool FInDestroy = false;
};

}  // namespace winui
