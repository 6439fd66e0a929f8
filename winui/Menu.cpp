#include "winui/Menu.h"

#include <algorithm>
#include <map>

#include "winui/Control.h"
#include "winui/Form.h"
#include "winui/Win32Util.h"

namespace winui {

namespace {

TShortCutFormatter g_formatter;

// Menu commands: 0x8000..0xEFFF (controls use the ids below; 0xF000 up are the system's).
std::map<int, TMenuItem*>& Commands() {
  static std::map<int, TMenuItem*> commands;
  return commands;
}

int AllocateCommand(TMenuItem* item) {
  static int next = 0x8000;
  auto& commands = Commands();
  while (commands.count(next)) next = next >= 0xEFFF ? 0x8000 : next + 1;
  const int command = next;
  commands[command] = item;
  next = next >= 0xEFFF ? 0x8000 : next + 1;
  return command;
}

}  // namespace

void SetShortCutFormatter(TShortCutFormatter formatter) { g_formatter = std::move(formatter); }

std::u16string FormatShortCut(TShortCut shortCut) {
  return shortCut && g_formatter ? g_formatter(shortCut) : std::u16string();
}

// ---- TMenuItem ---------------------------------------------------------------------

TMenuItem::TMenuItem(std::u16string ACaption, TShortCut AShortCut)
    : FCaption(std::move(ACaption)), FShortCut(AShortCut), FCommand(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(*this);
  for (TMenuItem* child : FItems) child->FParent = nullptr;
  if (FSubMenu) {
    // Our children's submenus are their own; take them out before destroying ours.
    while (GetMenuItemCount(FSubMenu) > 0) RemoveMenu(FSubMenu, 0, MF_BYPOSITION);
    if (!FOwnerMenu) DestroyMenu(FSubMenu);
  }
  Commands().erase(FCommand);
}

TMenuItem* TMenuItem::FromCommand(int command) {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

TMenuItem* TMenuItem::FromSubMenu(HMENU menu) {
  if (!menu) return nullptr;
  for (auto& [command, item] : Commands()) {
    if (item->FSubMenu == menu) return item;
  }
  return nullptr;
}

MENUITEMINFOW TMenuItem::ItemInfo(std::u16string& textBuffer) const {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  info.wID = static_cast<UINT>(FCommand);
  info.hSubMenu = FSubMenu;
  if (IsSeparator()) {
    info.fMask = MIIM_FTYPE | MIIM_ID;
    info.fType = MFT_SEPARATOR;
    return info;
  }
  info.fType = FRadioItem ? MFT_RADIOCHECK : MFT_STRING;
  info.fState = (FEnabled ? MFS_ENABLED : MFS_DISABLED) | (FChecked ? MFS_CHECKED : MFS_UNCHECKED);
  textBuffer = FCaption;
  const std::u16string keys = FormatShortCut(FShortCut);
  if (!keys.empty()) textBuffer += u"\t" + keys;
  info.dwTypeData = const_cast<wchar_t*>(W(textBuffer));
  return info;
}

HMENU TMenuItem::ParentHandle() const { return FParent ? FParent->FSubMenu : nullptr; }

void TMenuItem::EnsureSubMenu() {
  if (FSubMenu) return;
  FSubMenu = FOwnerMenu && !FOwnerMenu->FPopup ? CreateMenu() : CreatePopupMenu();
  if (FOwnerMenu) FOwnerMenu->FHandle = FSubMenu;
  RebuildSubMenu();
}

void TMenuItem::RebuildSubMenu() {
  if (!FSubMenu) return;
  while (GetMenuItemCount(FSubMenu) > 0) RemoveMenu(FSubMenu, 0, MF_BYPOSITION);
  UINT position = 0;
  for (TMenuItem* child : FItems) {
    if (!child->FVisible) continue;
    if (!child->FItems.empty()) child->EnsureSubMenu();
    std::u16string text;
    MENUITEMINFOW info = child->ItemInfo(text);
    InsertMenuItemW(FSubMenu, position++, TRUE, &info);
  }
  if (FOwnerMenu) FOwnerMenu->Changed();
}

void TMenuItem::UpdateInParent() {
  HMENU parent = ParentHandle();
  if (!parent || !FVisible) return;
  if (!FItems.empty()) EnsureSubMenu();
  std::u16string text;
  MENUITEMINFOW info = ItemInfo(text);
  SetMenuItemInfoW(parent, static_cast<UINT>(FCommand), FALSE, &info);
  if (FParent->FOwnerMenu) FParent->FOwnerMenu->Changed();
}

void TMenuItem::SetCaption(const std::u16string& ACaption) {
  FCaption = ACaption;
  UpdateInParent();
}

void TMenuItem::SetShortCut(TShortCut AShortCut) {
  FShortCut = AShortCut;
  UpdateInParent();
}

void TMenuItem::SetEnabled(bool AEnabled) {
  if (FEnabled == AEnabled) return;
  FEnabled = AEnabled;
  UpdateInParent();
}

void TMenuItem::SetChecked(bool AChecked) {
  if (FChecked == AChecked) return;
  FChecked = AChecked;
  UpdateInParent();
}

void TMenuItem::SetRadioItem(bool ARadioItem) {
  FRadioItem = ARadioItem;
  UpdateInParent();
}

void TMenuItem::SetVisible(bool AVisible) {
  if (FVisible == AVisible) return;
  FVisible = AVisible;
  if (FParent) FParent->RebuildSubMenu();
}

void TMenuItem::Add(TMenuItem& item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem& item) {
  if (item.FParent) item.FParent->Remove(item);
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, &item);
  item.FParent = this;
  if (FSubMenu) {
    RebuildSubMenu();
  } else if (FParent && FParent->FSubMenu) {
    FParent->RebuildSubMenu();  // an item that gets its first child needs a submenu
  }
}

void TMenuItem::Remove(TMenuItem& item) {
  auto it = std::find(FItems.begin(), FItems.end(), &item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item.FParent = nullptr;
  if (FSubMenu) RemoveMenu(FSubMenu, static_cast<UINT>(item.FCommand), MF_BYCOMMAND);
  FOwned.erase(std::remove_if(FOwned.begin(), FOwned.end(),
                              [&item](const std::unique_ptr<TMenuItem>& p) {
                                return p.get() == &item;
                              }),
               FOwned.end());
  if (FOwnerMenu) FOwnerMenu->Changed();
}

void TMenuItem::AddSeparator() {
  FOwned.push_back(std::make_unique<TMenuItem>(u"-"));
  Add(*FOwned.back());
}

bool TMenuItem::EnabledInTree() const {
  for (const TMenuItem* item = this; item; item = item->FParent) {
    if (!item->FEnabled || !item->FVisible) return false;
  }
  return true;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut key) {
  for (TMenuItem* child : FItems) {
    if (!child->FVisible) continue;
    if (child->FShortCut && child->FShortCut == key) return child;
    if (TMenuItem* found = child->FindShortCut(key)) return found;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (!EnabledInTree()) return;
  // A copy, so that the handler may delete this item (recent-file items rebuild their menu).
  const std::function<void()> handler = OnClick;
  if (handler) handler();
}

// ---- TMenu -------------------------------------------------------------------------

TMenu::TMenu(bool popup) : FPopup(popup) { Items.FOwnerMenu = this; }

TMenu::~TMenu() {
  if (FWindow && IsWindow(FWindow) && GetMenu(FWindow) == FHandle) SetMenu(FWindow, nullptr);
  Items.FOwnerMenu = nullptr;  // the root item's destructor destroys the HMENU
}

HMENU TMenu::Handle() {
  Items.EnsureSubMenu();
  return FHandle;
}

void TMenu::Changed() {
  if (!FPopup && FWindow && IsWindow(FWindow)) DrawMenuBar(FWindow);
}

void TPopupMenu::Popup(TControl& owner, POINT screenPoint) {
  FPopupComponent = &owner;
  if (OnPopup) OnPopup();
  HWND window = owner.Handle();
  if (TCustomForm* form = owner.Form(); form && form->HandleAllocated()) window = form->Handle();
  const UINT command = static_cast<UINT>(TrackPopupMenuEx(
      Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, screenPoint.x,
      screenPoint.y, window, nullptr));
  if (TMenuItem* item = command ? TMenuItem::FromCommand(static_cast<int>(command)) : nullptr) {
    item->Click();
  }
}

}  // namespace winui
