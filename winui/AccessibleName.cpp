#include "winui/AccessibleName.h"

#include <oleacc.h>

#include "winui/Win32Util.h"

// __uuidof rather than IID_IAccessible: the import library of oleacc defines a symbol of
// that name too, and which one a program gets depends on the order of its libraries.
namespace winui {
namespace {

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The standard accessible object of a window with another name for the window itself.
// Names of children (list rows) stay the standard object's.
class TNamedAccessible final : public IAccessible {
 public:
  TNamedAccessible(IAccessible* inner, const std::u16string& name)
      : FInner(inner), FName(SysAllocStringLen(W(name), static_cast<UINT>(name.size()))) {}
  TNamedAccessible(const TNamedAccessible&) = delete;
  TNamedAccessible& operator=(const TNamedAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // Screen readers walk the children and find the window through these.
    if (iid == __uuidof(IEnumVARIANT) || iid == __uuidof(IOleWindow))
      return FInner->QueryInterface(iid, object);
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&FRefs));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG refs = InterlockedDecrement(&FRefs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return FInner->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return FInner->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return FInner->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argError) override {
    return FInner->Invoke(id, iid, locale, flags, params, result, exception, argError);
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return FInner->get_accName(child, name);
    if (!name) return E_POINTER;
    *name = SysAllocString(FName);
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return FInner->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return FInner->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return FInner->get_accChild(child, object);
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
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return FInner->accNavigate(direction, start, end);
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
  ~TNamedAccessible() {
    SysFreeString(FName);
    FInner->Release();
  }
  IAccessible* FInner;  // owned: one reference
  BSTR FName;
  LONG FRefs = 1;
};

}  // namespace

bool AnswerAccessibleName(HWND window, WPARAM wParam, LPARAM lParam, const std::u16string& name,
                          LRESULT& result) {
  // lParam holds a 32-bit object id; senders differ in whether they extend its sign.
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard))) ||
      !standard) {
    return false;
  }
  auto* named = new TNamedAccessible(standard, name);
  const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, named);
  named->Release();              // LresultFromObject holds its own reference
  if (answer < 0) return false;  // a COM error
  result = answer;
  return true;
}

void NotifyAccessibleNameChange(HWND window) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace winui
