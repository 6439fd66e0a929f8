#include "startup/KxRegistryWin.h"

#include <memory>
#include <optional>
#include <vector>

#include "startup/Handover.h"
#include "startup/ProgramWindow.h"

namespace tvn {

namespace {

const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

class TRegKey {
 public:
  TRegKey() = default;
  ~TRegKey() {
    if (FKey) RegCloseKey(FKey);
  }
  TRegKey(const TRegKey&) = delete;
  TRegKey& operator=(const TRegKey&) = delete;
  HKEY* Out() { return &FKey; }
  HKEY Get() const { return FKey; }
  void Close() {
    if (FKey) RegCloseKey(FKey);
    FKey = nullptr;
  }

 private:
  HKEY FKey = nullptr;
};

// The key path below HKEY_CURRENT_USER; empty would name HKEY_CURRENT_USER itself.
std::optional<std::u16string> KeyPath(std::u16string_view keyName) {
  std::u16string path = CommandKeyPath(keyName);
  if (path.empty()) return std::nullopt;
  return path;
}

bool WriteString(HKEY key, const std::u16string& name, const std::u16string& value) {
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(char16_t));
  return RegSetValueExW(key, W(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        bytes) == ERROR_SUCCESS;
}

// NotAString: a value of another type, which no command can be.
enum class TReadResult { Absent, Read, NotAString, Failed };

bool IsStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ;
}

// A string value, cut at its first NUL (the stored data need not end with one).
TReadResult ReadString(HKEY key, const std::u16string& name, std::u16string& value) {
  DWORD type = 0;
  DWORD bytes = 0;
  LSTATUS status = RegQueryValueExW(key, W(name), nullptr, &type, nullptr, &bytes);
  if (status == ERROR_FILE_NOT_FOUND) return TReadResult::Absent;
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return TReadResult::Failed;
    if (!IsStringType(type)) return TReadResult::NotAString;
    // Room for an odd last byte and a NUL of our own.
    std::vector<char16_t> buffer((bytes + 1) / sizeof(char16_t) + 1, u'\0');
    DWORD size = static_cast<DWORD>((buffer.size() - 1) * sizeof(char16_t));
    status = RegQueryValueExW(key, W(name), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                              &size);
    if (status == ERROR_SUCCESS) {
      if (!IsStringType(type)) return TReadResult::NotAString;
      value.assign(buffer.data(), size / sizeof(char16_t));
      if (const size_t nul = value.find(u'\0'); nul != std::u16string::npos) value.resize(nul);
      return TReadResult::Read;
    }
    bytes = size;  // grew between the two calls
  }
  return TReadResult::Failed;
}

bool HasNoValues(HKEY key) {
  DWORD values = 0;
  return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         values == 0;
}

struct TValueField {
  std::u16string_view Name;
  std::u16string TRegistrySettings::*Field;
};
constexpr TValueField kValueFields[] = {
    {kValueParameters, &TRegistrySettings::Parameters},
    {kValueSetFocus, &TRegistrySettings::SetFocus},
    {kValueClose, &TRegistrySettings::Close},
};

}  // namespace

bool WriteRegistrySettings(std::u16string_view AKeyName, const TRegistrySettings& ASettings) {
  if (ASettings.Empty()) return true;
  const std::optional<std::u16string> path = KeyPath(AKeyName);
  if (!path) return false;
  TRegKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, W(*path), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      key.Out(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  for (const TValueField& value : kValueFields) {
    const std::u16string& text = ASettings.*value.Field;
    if (!text.empty() && !WriteString(key.Get(), std::u16string(value.Name), text)) return false;
  }
  return true;
}

bool ReadRegistrySettings(std::u16string_view AKeyName, TRegistrySettings& ASettings) {
  ASettings = TRegistrySettings();
  const std::optional<std::u16string> path = KeyPath(AKeyName);
  if (!path) return false;
  TRegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, W(*path), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Out()) !=
      ERROR_SUCCESS) {
    return false;
  }
  TRegistrySettings read;
  bool found = false;
  // One value that fails must not cost the others: each is taken or left on its own.
  for (const TValueField& value : kValueFields) {
    const std::u16string name(value.Name);
    std::u16string text;
    switch (ReadString(key.Get(), name, text)) {
      case TReadResult::Absent:
      case TReadResult::Failed:  // stays for the next poll
        break;
      case TReadResult::NotAString:
        // It would fail every later poll the same way.
        RegDeleteValueW(key.Get(), W(name));
        break;
      case TReadResult::Read:
        // A value that cannot be deleted would run again; it waits for the next poll.
        if (RegDeleteValueW(key.Get(), W(name)) != ERROR_SUCCESS) break;
        read.*value.Field = std::move(text);
        found = true;
        break;
    }
  }
  if (HasNoValues(key.Get())) {
    key.Close();
    // Another process may have written a value meanwhile; then the key stays.
    RegDeleteKeyW(HKEY_CURRENT_USER, W(*path));
  }
  ASettings = read;
  return found;
}

// The queue ---------------------------------------------------------------------------

namespace {

constexpr UINT kWmRunQueuedCommand = WM_APP + 1;
constexpr wchar_t kQueueWindowClass[] = L"TvnRegistryCommandQueue";

struct TQueuedCommand {
  HWND AppHandle;
  TRegistrySettings Command;
};

}  // namespace

LRESULT CALLBACK CommandQueueWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kWmRunQueuedCommand) return DefWindowProcW(window, msg, wParam, lParam);
  std::unique_ptr<TQueuedCommand> queued(reinterpret_cast<TQueuedCommand*>(lParam));
  if (queued) RunRegistryCommand(queued->AppHandle, queued->Command);
  return 0;
}

namespace {

HWND CreateQueueWindow() {
  static const ATOM atom = [] {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = CommandQueueWindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = kQueueWindowClass;
    return RegisterClassExW(&cls);
  }();
  if (atom == 0) return nullptr;
  return CreateWindowExW(0, kQueueWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

void RunRegistryCommand(HWND AAppHandle, const TRegistrySettings& ACommand) {
  if (!IsWindow(AAppHandle)) return;
  switch (FirstCommand(ACommand)) {
    case TRegistryCommand::Parameters:
      SendParameters(AAppHandle, ACommand.Parameters);
      break;
    case TRegistryCommand::SetFocus:
      SendMessageW(AAppHandle, kWmProgramSetFocus, 0, 0);
      break;
    case TRegistryCommand::Close:
      SendMessageW(AAppHandle, kWmProgramClose, 0, 0);
      break;
    case TRegistryCommand::None:
      break;
  }
}

void QueueRegistryCommand(TWatchRegistrySettings& AThread, HWND AAppHandle,
                          std::u16string_view AParameters, std::u16string_view ASetFocus,
                          std::u16string_view AClose) {
  auto queued = std::make_unique<TQueuedCommand>();
  queued->AppHandle = AAppHandle;
  queued->Command.SetData(AParameters, ASetFocus, AClose);
  // The posted message owns the command from now on; a full queue drops it.
  if (PostMessageW(AThread.FQueueWindow, kWmRunQueuedCommand, 0,
                   reinterpret_cast<LPARAM>(queued.get()))) {
    queued.release();
  }
}

// The thread ----------------------------------------------------------------------------

TWatchRegistrySettings::TWatchRegistrySettings(HWND AAppHandle, std::u16string_view AAppName)
    : FAppHandle(AAppHandle), FAppName(AAppName) {
  FStopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  FQueueWindow = CreateQueueWindow();
  // Without either the thread could neither stop promptly nor hand anything on.
  if (FStopEvent && FQueueWindow) FThread = std::thread([this] { Execute(); });
}

TWatchRegistrySettings::~TWatchRegistrySettings() {
  Terminate();
  WaitFor();
  DropQueuedCommands();
  if (FQueueWindow) DestroyWindow(FQueueWindow);
  if (FStopEvent) CloseHandle(FStopEvent);
}

void TWatchRegistrySettings::Terminate() {
  if (FStopEvent) SetEvent(FStopEvent);
}

void TWatchRegistrySettings::WaitFor() {
  if (FThread.joinable()) FThread.join();
}

void TWatchRegistrySettings::DropQueuedCommands() {
  if (!FQueueWindow) return;
  MSG msg{};
  while (PeekMessageW(&msg, FQueueWindow, kWmRunQueuedCommand, kWmRunQueuedCommand, PM_REMOVE)) {
    delete reinterpret_cast<TQueuedCommand*>(msg.lParam);
  }
}

bool TWatchRegistrySettings::PauseOrStop() {
  for (int i = 0; i < 4; ++i) {
    if (WaitForSingleObject(FStopEvent, 25) != WAIT_TIMEOUT) return true;
  }
  return false;
}

void TWatchRegistrySettings::Execute() {
  TRegistrySettings settings;
  // Commands left from an earlier run are removed, not executed.
  ReadRegistrySettings(FAppName, settings);
  while (!PauseOrStop()) {
    if (!ReadRegistrySettings(FAppName, settings)) continue;
    const TRegistrySettings command = FirstCommandOnly(settings);
    if (!command.Empty()) {
      QueueRegistryCommand(*this, FAppHandle, command.Parameters, command.SetFocus, command.Close);
    }
    if (PauseOrStop()) break;
  }
}

}  // namespace tvn
