// Reads windows of another program as a screen reader does: for each window handle given
// on the command line, its client object through Active Accessibility. Prints one line per
// window: the name, a tab and the role; a window without an object prints "-". UTF-8, exit
// code 0.
#include <windows.h>
// After windows.h, whose types it uses.
#include <oleacc.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::string Utf8(const wchar_t* text, int length) {
  if (length <= 0) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
  return out;
}

std::string Reading(HWND window) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))) ||
      !object) {
    return "-";
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::string line;
  if (SUCCEEDED(object->get_accName(self, &name)) && name) {
    line = Utf8(name, static_cast<int>(SysStringLen(name)));
  }
  SysFreeString(name);
  VARIANT role;
  VariantInit(&role);
  object->get_accRole(self, &role);
  line += "\t" + std::to_string(role.vt == VT_I4 ? role.lVal : 0);
  object->Release();
  return line;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 1;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::string out;
  for (int i = 1; i < argc; ++i) {
    const auto window =
        reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[i], nullptr, 10)));
    out += Reading(window) + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
  CoUninitialize();
  LocalFree(argv);
  return 0;
}
