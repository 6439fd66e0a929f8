#include "dialogs/NamedAccessible.h"

#include <commctrl.h>
#include <oleacc.h>

namespace tvn {
namespace {

// Not IID_IAccessible: MinGW's oleacc import library has a code stub of that name, which
// wins over the real one from uuid whenever it comes first on the link line.
constexpr IID kIAccessible = __uuidof(IAccessible);
constexpr UINT_PTR kSubclassId = 0x4E414D45;  // "NAME"
// The name of a window already named, so that naming it again only changes the text.
constexpr wchar_t kNameProperty[] = L"TvnAccessibleName";

// The window's standard accessible object; every call but the name goes to it.
class TNamedAccessible final : public IAccessible {
 public:
  TNamedAccessible(IAccessible* inner, std::u16string name)
      : FInner(inner), FName(std::move(name)) {}
  ~TNamedAccessible() { FInner->Release(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, kIAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return FInner->QueryInterface(riid, object);  // IEnumVARIANT, IOleWindow ...
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&FRefs); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG refs = InterlockedDecrement(&FRefs);
    if (refs == 0) delete this;
    return refs;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return FInner->get_accName(child, name);
    if (!name) return E_POINTER;
    *name = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(FName.data()),
                              static_cast<UINT>(FName.size()));
    return *name ? S_OK : E_OUTOFMEMORY;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return FInner->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return FInner->GetTypeInfo(index, lcid, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override {
    return FInner->GetIDsOfNames(riid, names, count, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                                   UINT* argErr) override {
    return FInner->Invoke(id, riid, lcid, flags, params, result, excep, argErr);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return FInner->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return FInner->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** result) override {
    return FInner->get_accChild(child, result);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return FInner->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return FInner->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return FInner->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return FInner->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return FInner->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return FInner->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* key) override {
    return FInner->get_accKeyboardShortcut(child, key);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return FInner->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return FInner->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return FInner->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return FInner->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return FInner->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) override {
    return FInner->accNavigate(dir, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    return FInner->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return FInner->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return FInner->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return FInner->put_accValue(child, value);
  }

 private:
  IAccessible* FInner;
  std::u16string FName;
  LONG FRefs = 1;
};

LRESULT CALLBACK NameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
  auto* name = reinterpret_cast<std::u16string*>(data);
  if (msg == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    IAccessible* inner = nullptr;
    if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, kIAccessible,
                                            reinterpret_cast<void**>(&inner)))) {
      auto* named = new TNamedAccessible(inner, *name);
      const LRESULT result = LresultFromObject(kIAccessible, wParam, named);
      named->Release();  // the result holds its own reference
      return result;
    }
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(window, NameProc, kSubclassId);
    RemovePropW(window, kNameProperty);
    delete name;
  }
  return DefSubclassProc(window, msg, wParam, lParam);
}

}  // namespace

void SetAccessibleName(HWND window, const std::u16string& name) {
  if (!window) return;
  if (auto* kept = static_cast<std::u16string*>(GetPropW(window, kNameProperty))) {
    *kept = name;
    return;
  }
  auto* kept = new std::u16string(name);
  if (!SetWindowSubclass(window, NameProc, kSubclassId, reinterpret_cast<DWORD_PTR>(kept))) {
    delete kept;
    return;
  }
  SetPropW(window, kNameProperty, kept);
}

}  // namespace tvn
