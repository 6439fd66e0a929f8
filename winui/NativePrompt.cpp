// The prompt seam with the real Windows boxes and dialogs.
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>
#include <shellapi.h>
#include <winspool.h>

#include <vector>

#include "winui/Prompt.h"
#include "winui/Win32Util.h"

namespace winui {

namespace {

const wchar_t kRenamedProp[] = L"TvnGermanButtons";
thread_local HHOOK t_cbtHook = nullptr;

// Message boxes speak the language of Windows; the program's buttons are German.
LRESULT CALLBACK GermanButtonsHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    if (ClassNameOf(box) == u"#32770" && !GetPropW(box, kRenamedProp)) {
      SetPropW(box, kRenamedProp, box);
      const std::pair<int, TMsgButton> buttons[] = {
          {IDYES, mbYes}, {IDNO, mbNo}, {IDOK, mbOK}, {IDCANCEL, mbCancel}};
      for (const auto& [id, button] : buttons) {
        if (HWND item = GetDlgItem(box, id)) {
          SetWindowTextW(item, reinterpret_cast<const wchar_t*>(MsgButtonCaption(button).data()));
        }
      }
    }
  }
  return CallNextHookEx(t_cbtHook, code, wParam, lParam);
}

UINT BoxType(const TMessageRequest& r) {
  const TMsgButtons b = r.Buttons;
  UINT type = MB_OK;
  int count = 1;
  if ((b & mbYes) && (b & mbNo) && (b & mbCancel)) {
    type = MB_YESNOCANCEL;
    count = 3;
  } else if ((b & mbYes) && (b & mbNo)) {
    type = MB_YESNO;
    count = 2;
  } else if ((b & mbOK) && (b & mbCancel)) {
    type = MB_OKCANCEL;
    count = 2;
  }
  switch (r.Kind) {
    case TMsgKind::Warning: type |= MB_ICONWARNING; break;
    case TMsgKind::Error: type |= MB_ICONERROR; break;
    case TMsgKind::Information: type |= MB_ICONINFORMATION; break;
    case TMsgKind::Confirmation: type |= MB_ICONQUESTION; break;
  }
  // The default button by its position in the box.
  const TMsgButton order[] = {mbYes, mbOK, mbNo, mbCancel};
  int position = 0;
  for (TMsgButton button : order) {
    if (!(b & button)) continue;
    if (button == r.DefaultButton && position < count) {
      type |= position == 1 ? MB_DEFBUTTON2 : position == 2 ? MB_DEFBUTTON3 : MB_DEFBUTTON1;
    }
    ++position;
  }
  return type;
}

// "description|pattern|..." to the double-NUL-terminated list of the common dialogs.
std::vector<wchar_t> FilterList(const std::u16string& filter) {
  std::vector<wchar_t> list;
  for (char16_t c : filter) list.push_back(c == u'|' ? L'\0' : static_cast<wchar_t>(c));
  if (list.empty() || list.back() != L'\0') list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

UINT_PTR CALLBACK FileDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
    if (notify->hdr.code == CDN_TYPECHANGE) {
      auto* settings = reinterpret_cast<TFileDialog*>(notify->lpOFN->lCustData);
      settings->FilterIndex = static_cast<int>(notify->lpOFN->nFilterIndex);
      if (settings->OnTypeChange) {
        settings->OnTypeChange(*settings);
        SendMessageW(GetParent(dialog), CDM_SETDEFEXT, 0,
                     reinterpret_cast<LPARAM>(W(settings->DefaultExt)));
      }
    }
  }
  return 0;
}

class TNativePrompt : public IPrompt {
 public:
  TModalResult ShowMessageBox(const TMessageRequest& request) override {
    HWND owner = ModalOwnerWindow();
    UINT type = BoxType(request);
    if (!owner) type |= MB_TASKMODAL;
    const std::u16string title(MsgKindTitle(request.Kind));
    HHOOK previous = t_cbtHook;
    t_cbtHook = SetWindowsHookExW(WH_CBT, GermanButtonsHook, nullptr, GetCurrentThreadId());
    const int pressed = MessageBoxW(owner, W(request.Text), W(title), type);
    if (t_cbtHook) UnhookWindowsHookEx(t_cbtHook);
    t_cbtHook = previous;
    switch (pressed) {
      case IDYES: return mrYes;
      case IDNO: return mrNo;
      case IDOK: return mrOk;
      default: return mrCancel;
    }
  }

  bool FileDialog(TFileDialog& dialog) override {
    std::vector<wchar_t> name(32768, L'\0');
    const std::vector<wchar_t> filter = FilterList(dialog.Filter);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = ModalOwnerWindow();
    ofn.lpstrFilter = dialog.Filter.empty() ? nullptr : filter.data();
    ofn.nFilterIndex = static_cast<DWORD>(dialog.FilterIndex > 0 ? dialog.FilterIndex : 1);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = dialog.InitialDir.empty() ? nullptr : W(dialog.InitialDir);
    ofn.lpstrTitle = dialog.Title.empty() ? nullptr : W(dialog.Title);
    ofn.lpstrDefExt = dialog.DefaultExt.empty() ? nullptr : W(dialog.DefaultExt);
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (dialog.OverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (dialog.FileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (dialog.PathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (dialog.NoReadOnlyReturn) ofn.Flags |= OFN_NOREADONLYRETURN;
    if (dialog.HideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (dialog.EnableSizing) ofn.Flags |= OFN_ENABLESIZING;
    if (dialog.OnTypeChange) {
      ofn.Flags |= OFN_ENABLEHOOK;
      ofn.lpfnHook = FileDialogHook;
      ofn.lCustData = reinterpret_cast<LPARAM>(&dialog);
    }
    for (bool withName : {true, false}) {
      std::fill(name.begin(), name.end(), L'\0');
      if (withName) {
        const size_t n = std::min(dialog.FileName.size(), name.size() - 1);
        std::copy_n(dialog.FileName.data(), n, reinterpret_cast<char16_t*>(name.data()));
      }
      const BOOL ok = dialog.Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
      if (ok) {
        dialog.FileName = U16(name.data());
        dialog.FilterIndex = static_cast<int>(ofn.nFilterIndex);
        return true;
      }
      // A proposed name the dialog refuses: show it once more without one.
      if (CommDlgExtendedError() != FNERR_INVALIDFILENAME) break;
    }
    return false;
  }

  bool PrintDialog(HDC& printerDC) override {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = ModalOwnerWindow();
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    const BOOL ok = PrintDlgW(&pd);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    printerDC = ok ? pd.hDC : nullptr;
    return ok && pd.hDC;
  }

  bool PrinterInstalled() override {
    DWORD needed = 0, returned = 0;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &returned);
    if (needed == 0) return false;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &returned)) return false;
    return returned > 0;
  }

  bool ShellOpen(const TShellRequest& request) override {
    const HINSTANCE result = ShellExecuteW(
        ModalOwnerWindow(), L"open", W(request.File),
        request.Parameters.empty() ? nullptr : W(request.Parameters),
        request.Directory.empty() ? nullptr : W(request.Directory), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
  }
};

}  // namespace

IPrompt& NativePrompt() {
  static TNativePrompt prompt;
  return prompt;
}

}  // namespace winui
