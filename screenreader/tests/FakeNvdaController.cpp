// Stand-in for NVDA's controller client library, for tests. Each call is appended to the file
// named by TVN_NVDA_LOG as one line "function<TAB>text" (UTF-8). A function named in the
// comma-separated list TVN_NVDA_FAIL answers with an error instead of 0.
#include <windows.h>

#include <string>

namespace {

constexpr unsigned long kFailure = 1717;  // what the real client gives when NVDA cannot be reached

std::wstring Environment(const wchar_t* name) {
  wchar_t buffer[1024];
  const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
  return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

std::string Utf8(const wchar_t* text) {
  if (!text || !*text) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  return out;
}

void Log(const char* function, const wchar_t* text) {
  const std::wstring path = Environment(L"TVN_NVDA_LOG");
  if (path.empty()) return;
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string line = std::string(function) + "\t" + Utf8(text) + "\n";
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

bool Fails(const char* function) {
  const std::wstring list = L"," + Environment(L"TVN_NVDA_FAIL") + L",";
  const std::string name(function);
  return list.find(L"," + std::wstring(name.begin(), name.end()) + L",") != std::wstring::npos;
}

unsigned long Answer(const char* function, const wchar_t* text) {
  Log(function, text);
  return Fails(function) ? kFailure : 0;
}

}  // namespace

extern "C" {

__declspec(dllexport) unsigned long __stdcall nvdaController_speakText(const wchar_t* text) {
  return Answer("speakText", text);
}

__declspec(dllexport) unsigned long __stdcall nvdaController_brailleMessage(
    const wchar_t* message) {
  return Answer("brailleMessage", message);
}

__declspec(dllexport) unsigned long __stdcall nvdaController_cancelSpeech() {
  return Answer("cancelSpeech", nullptr);
}

__declspec(dllexport) unsigned long __stdcall nvdaController_testIfRunning() {
  return Answer("testIfRunning", nullptr);
}

}  // extern "C"
