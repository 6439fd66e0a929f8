#include "mainwindow/AlteRegistryWin.h"

#include "startup/KxRegistryWin.h"
#include "winui/Win32Util.h"

namespace tvn {

namespace {

// "\Software\Tavorin" names a key below the root: the leading separator goes.
std::u16string SubKey(std::u16string_view key) {
  if (!key.empty() && key.front() == u'\\') key.remove_prefix(1);
  return std::u16string(key);
}

}  // namespace

bool TAlteRegistryWin::Open(std::u16string_view key, bool Aendern) {
  Close();
  const REGSAM access = KEY_READ | (Aendern ? KEY_SET_VALUE : 0);
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, winui::W(SubKey(key)), 0, access, &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  FKey = opened;
  return true;
}

bool TAlteRegistryWin::KeyExists(std::u16string_view key) {
  HKEY opened = nullptr;
  const LSTATUS status =
      RegOpenKeyExW(HKEY_CURRENT_USER, winui::W(SubKey(key)), 0, KEY_QUERY_VALUE, &opened);
  if (status == ERROR_SUCCESS) RegCloseKey(opened);
  // A key we may not even read exists all the same.
  return status == ERROR_SUCCESS || status == ERROR_ACCESS_DENIED;
}

void TAlteRegistryWin::Close() {
  if (FKey) RegCloseKey(FKey);
  FKey = nullptr;
}

std::optional<long long> TAlteRegistryWin::Integer(std::u16string_view name) {
  if (!FKey) return std::nullopt;
  DWORD type = 0, value = 0, size = sizeof(value);
  const std::u16string n(name);
  if (RegQueryValueExW(FKey, winui::W(n), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value)) {
    return std::nullopt;
  }
  // Stored as a signed 32-bit integer, as colours and sizes were written.
  return static_cast<long long>(static_cast<LONG>(value));
}

std::optional<std::u16string> TAlteRegistryWin::Text(std::u16string_view name) {
  if (!FKey) return std::nullopt;
  std::u16string value;
  if (ReadRegistryString(FKey, std::u16string(name), value) != TReadResult::Read) {
    return std::nullopt;
  }
  return value;
}

bool TAlteRegistryWin::ValueExists(std::u16string_view name) {
  if (!FKey) return false;
  const std::u16string n(name);
  return RegQueryValueExW(FKey, winui::W(n), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

bool TAlteRegistryWin::DeleteValue(std::u16string_view name) {
  if (!FKey) return false;
  const std::u16string n(name);
  return RegDeleteValueW(FKey, winui::W(n)) == ERROR_SUCCESS;
}

}  // namespace tvn
