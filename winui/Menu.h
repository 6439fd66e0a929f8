// Menus: the menu bar of a form, popup menus and their items. Items are plain objects
// (usually fields of the form) linked into a tree; the HMENUs follow every change.
// Shortcut keys are checked by the form itself (TCustomForm::IsShortCut), so a key runs
// its item only when the item is enabled at that moment.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "winui/ShortCut.h"

namespace winui {

class TControl;
class TMenu;

class TMenuItem {
 public:
  // Caption "-" makes a separator.
  explicit TMenuItem(std::u16string ACaption = {}, TShortCut AShortCut = {});
  ~TMenuItem();
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(const std::u16string& ACaption);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut AShortCut);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool AEnabled);
  bool Checked() const { return FChecked; }
  void SetChecked(bool AChecked);
  // Shown with a radio mark when checked.
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool ARadioItem);
  bool Visible() const { return FVisible; }
  void SetVisible(bool AVisible);
  bool IsSeparator() const { return FCaption == u"-"; }
  int Tag = 0;

  // Sub-items (not owned).
  void Add(TMenuItem& item);
  void Insert(int index, TMenuItem& item);
  void Remove(TMenuItem& item);
  // An owned separator at the end.
  void AddSeparator();
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem& operator[](int index) const { return *FItems[index]; }
  TMenuItem* Parent() const { return FParent; }
  // Enabled here and in every parent item.
  bool EnabledInTree() const;
  TMenuItem* FindShortCut(TShortCut key);

  // Runs OnClick as a menu choice does (only when enabled in the tree).
  void Click();
  std::function<void()> OnClick;
  // This item's submenu is about to open (WM_INITMENUPOPUP).
  std::function<void()> OnPopup;

  int Command() const { return FCommand; }
  HMENU SubMenuHandle() const { return FSubMenu; }
  static TMenuItem* FromCommand(int command);
  static TMenuItem* FromSubMenu(HMENU menu);

 private:
  friend class TMenu;
  void EnsureSubMenu();
  void RebuildSubMenu();
  void UpdateInParent();
  MENUITEMINFOW ItemInfo(std::u16string& textBuffer) const;
  HMENU ParentHandle() const;
  std::u16string FCaption;
  TShortCut FShortCut;
  bool FEnabled = true, FChecked = false, FRadioItem = false, FVisible = true;
  TMenuItem* FParent = nullptr;
  TMenu* FOwnerMenu = nullptr;  // for the top-level items of a menu
  std::vector<TMenuItem*> FItems;
  std::vector<std::unique_ptr<TMenuItem>> FOwned;
  HMENU FSubMenu = nullptr;
  int FCommand;
};

// A menu bar or a popup menu: a root item whose sub-items are the menu.
class TMenu {
 public:
  TMenu(const TMenu&) = delete;
  TMenu& operator=(const TMenu&) = delete;
  virtual ~TMenu();
  TMenuItem Items;
  HMENU Handle();
  TMenuItem* FindShortCut(TShortCut key) { return Items.FindShortCut(key); }
  // The window whose menu bar this is (set by TCustomForm::SetMenu).
  void SetWindow(HWND window) { FWindow = window; }

 protected:
  explicit TMenu(bool popup);
  void Changed();
  bool FPopup;
  HMENU FHandle = nullptr;
  HWND FWindow = nullptr;
  friend class TMenuItem;
};

class TMainMenu : public TMenu {
 public:
  TMainMenu() : TMenu(false) {}
};

class TPopupMenu : public TMenu {
 public:
  TPopupMenu() : TMenu(true) {}
  // The control the menu opened on.
  TControl* PopupComponent() const { return FPopupComponent; }
  // Opens at a screen point and runs the chosen item; owner receives the menu messages.
  void Popup(TControl& owner, POINT screenPoint);
  std::function<void()> OnPopup;  // before it opens

 private:
  TControl* FPopupComponent = nullptr;
};

}  // namespace winui
