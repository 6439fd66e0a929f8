// Reads the accessible names of windows of another process, as a screen reader does:
//   tvn_accessible_name_probe OUTFILE HWND...   (window handles in hexadecimal)
// writes one UTF-8 line per window: its name, or "(no accessible object)" / "(no name)".
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring NameOf(HWND window) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&accessible))) ||
      !accessible)
    return L"(no accessible object)";
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::wstring result = L"(no name)";
  if (accessible->get_accName(self, &name) == S_OK && name) {
    result.assign(name, SysStringLen(name));
    SysFreeString(name);
  }
  accessible->Release();
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  FILE* out = _wfopen(argv[1], L"wb");
  if (!out) return 2;
  CoInitialize(nullptr);
  for (int i = 2; i < argc; ++i) {
    const HWND window =
        reinterpret_cast<HWND>(static_cast<INT_PTR>(wcstoull(argv[i], nullptr, 16)));
    const std::wstring name = NameOf(window);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    std::fprintf(out, "%s\n", utf8.c_str());
  }
  CoUninitialize();
  std::fclose(out);
  return 0;
}
