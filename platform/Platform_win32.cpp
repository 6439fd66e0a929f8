// Win32 version of the platform layer.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>

#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn::platform {
namespace {

FileStep g_failAt = FileStep::None;

bool ShouldFail(FileStep step) {
  if (g_failAt != step) return false;
  g_failAt = FileStep::None;
  return true;
}

const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

std::u16string SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text;
  if (n != 0 && buffer) {
    text.assign(reinterpret_cast<const char16_t*>(buffer), n);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' '))
      text.pop_back();
  }
  if (buffer) LocalFree(buffer);
  return text;
}

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using Handle = std::unique_ptr<void, HandleCloser>;

}  // namespace

namespace {

// Case mapping may change the length in rare scripts: then the size is asked for first.
std::u16string MapCase(std::u16string_view text, DWORD flags) {
  if (text.empty()) return {};
  std::u16string out(text.size(), u'\0');
  const auto* src = reinterpret_cast<const wchar_t*>(text.data());
  int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, src, static_cast<int>(text.size()),
                        reinterpret_cast<wchar_t*>(out.data()), static_cast<int>(out.size()),
                        nullptr, nullptr, 0);
  if (n == static_cast<int>(out.size())) return out;
  n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, src, static_cast<int>(text.size()), nullptr,
                    0, nullptr, nullptr, 0);
  if (n <= 0) return std::u16string(text);
  out.assign(static_cast<size_t>(n), u'\0');
  LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, src, static_cast<int>(text.size()),
                reinterpret_cast<wchar_t*>(out.data()), n, nullptr, nullptr, 0);
  return out;
}

}  // namespace

std::u16string LowerCaseLocale(std::u16string_view text) {
  return MapCase(text, LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING);
}

std::u16string UpperCaseLocale(std::u16string_view text) {
  return MapCase(text, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING);
}

char16_t LowerCaseChar(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c < 0x80) return c;
  wchar_t w = static_cast<wchar_t>(c);
  CharLowerBuffW(&w, 1);
  return static_cast<char16_t>(w);
}

double Today() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  ULARGE_INTEGER t;
  t.LowPart = ft.dwLowDateTime;
  t.HighPart = ft.dwHighDateTime;
  // FILETIME counts 100 ns from 1601-01-01, which is day -109205 from 1899-12-30.
  return static_cast<double>(t.QuadPart / 864000000000ULL) - 109205.0;
}

TFileBuffer::~TFileBuffer() {
  if (data_) VirtualFree(data_, 0, MEM_RELEASE);
}

bool TFileBuffer::Read(const std::u16string& path, std::u16string& error) {
  Handle file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size)) {
    error = u"Datei " + path + u" kann nicht geöffnet werden. " + SystemMessage(GetLastError());
    return false;
  }
  capacity_ = static_cast<size_t>(size.QuadPart) + 1;
  data_ = static_cast<char*>(VirtualAlloc(nullptr, capacity_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  if (!data_) {
    error = u"Datei " + path + u" kann nicht geöffnet werden. " + SystemMessage(GetLastError());
    return false;
  }
  size_ = 0;
  while (size_ < capacity_) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(capacity_ - size_, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file.get(), data_ + size_, chunk, &got, nullptr)) {
      error = u"Stream-Lesefehler";
      return false;
    }
    if (got == 0) break;
    size_ += got;
  }
  return true;
}

void TFileBuffer::ReleaseBefore(size_t offset) {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  const size_t page = info.dwPageSize;
  const size_t end = std::min(offset, size_) / page * page;
  if (end <= released_) return;
  VirtualFree(data_ + released_, end - released_, MEM_DECOMMIT);
  released_ = end;
}

std::string ToAnsiCodePage(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const DWORD flags = WC_NO_BEST_FIT_CHARS;
  const int size = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(std::max(size, 0)), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_ACP, flags, wide, length, bytes.data(), size, nullptr, nullptr);
  }
  return bytes;
}

bool ReplaceFileAtomically(const std::u16string& path, std::string_view content,
                           std::u16string& error) {
  const std::u16string absolute = AbsolutePath(path);
  const std::u16string dir = ExtractFileDir(absolute);
  wchar_t tempName[MAX_PATH + 1] = {};
  if (ShouldFail(FileStep::CreateTemp) || GetTempFileNameW(W(dir), L"TVN", 0, tempName) == 0) {
    error = SystemErrorText(GetLastError() ? GetLastError() : ERROR_DISK_FULL);
    return false;
  }
  const std::u16string temp = reinterpret_cast<const char16_t*>(tempName);
  // Only called once the temporary file is closed: an open file cannot be deleted.
  auto fail = [&](std::u16string text) {
    DeleteFileW(tempName);
    error = std::move(text);
    return false;
  };
  {
    Handle file(CreateFileW(tempName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
      std::u16string text = u"Datei \"" + temp + u"\" kann nicht erstellt werden. " +
                            SystemMessage(GetLastError());
      return fail(text);
    }
    size_t done = 0;
    bool ok = !ShouldFail(FileStep::Write);
    while (ok && done < content.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 30));
      DWORD written = 0;
      ok = WriteFile(file.get(), content.data() + done, chunk, &written, nullptr) && written > 0;
      done += written;
    }
    if (!ok) {
      file.reset();
      return fail(u"Stream-Schreibfehler");
    }
    if (ShouldFail(FileStep::Flush) || !FlushFileBuffers(file.get())) {
      const DWORD code = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
      file.reset();
      return fail(SystemErrorText(code));
    }
  }
  if (ShouldFail(FileStep::Move) ||
      !MoveFileExW(tempName, W(absolute), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return fail(SystemErrorText(GetLastError() ? GetLastError() : ERROR_ACCESS_DENIED));
  }
  return true;
}

std::u16string AbsolutePath(const std::u16string& path) {
  if (path.empty()) return path;
  DWORD n = GetFullPathNameW(W(path), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::u16string out(n, u'\0');
  n = GetFullPathNameW(W(path), n, reinterpret_cast<wchar_t*>(out.data()), nullptr);
  out.resize(n);
  return out;
}

bool FileExists(const std::u16string& path) {
  DWORD a = GetFileAttributesW(W(path));
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::u16string& path) {
  DWORD a = GetFileAttributesW(W(path));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const std::u16string& path) { return DeleteFileW(W(path)) != 0; }

char16_t PathSeparator() { return u'\\'; }
bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

void FailNextReplaceAt(FileStep step) { g_failAt = step; }

// The Windows heap needs no restart to serve large lists well.
void UseLargeHeapPages(char**) {}

std::vector<std::u16string> CommandLineArguments(int, char**) {
  std::vector<std::u16string> args;
  int n = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &n);
  for (int i = 1; argv && i < n; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
  if (argv) LocalFree(argv);
  return args;
}

std::u16string SystemErrorText(long code) {
  return u"Systemfehler.  Code: " + IntToText(code) + u".\r\n" +
         SystemMessage(static_cast<DWORD>(code));
}

}  // namespace tvn::platform
