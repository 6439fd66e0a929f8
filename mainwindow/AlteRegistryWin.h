// The registry of earlier versions as the settings take it over and clean it up: keys below
// HKEY_CURRENT_USER, opened without creating them.
#pragma once

#include <windows.h>

#include "mainwindow/Einstellungen.h"

namespace tvn {

class TAlteRegistryWin : public IAlteRegistry {
 public:
  TAlteRegistryWin() = default;
  ~TAlteRegistryWin() override { Close(); }
  TAlteRegistryWin(const TAlteRegistryWin&) = delete;
  TAlteRegistryWin& operator=(const TAlteRegistryWin&) = delete;

  bool Open(std::u16string_view key, bool Aendern) override;
  bool KeyExists(std::u16string_view key) override;
  void Close() override;
  std::optional<long long> Integer(std::u16string_view name) override;
  std::optional<std::u16string> Text(std::u16string_view name) override;
  bool ValueExists(std::u16string_view name) override;
  bool DeleteValue(std::u16string_view name) override;

 private:
  HKEY FKey = nullptr;
};

}  // namespace tvn
