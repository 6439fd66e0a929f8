// The registry of earlier versions read and cleaned up for real: values of each type below
// the two old keys, taken over into the settings and deleted once both files hold them.
#include <windows.h>

#include <gtest/gtest.h>

#include "mainwindow/AlteRegistryWin.h"
#include "platform/Utf16.h"
#include "winui/Win32Util.h"

namespace tvn {
namespace {

// Both old keys, made for the test and removed with everything below them afterwards.
class AlteRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::u16string_view key : {kAlterSchluessel, kAlterHistorySchluessel}) RemoveKey(key);
  }
  void TearDown() override {
    for (std::u16string_view key : {kAlterSchluessel, kAlterHistorySchluessel}) RemoveKey(key);
  }
  static std::u16string Sub(std::u16string_view key) { return std::u16string(key.substr(1)); }
  static void RemoveKey(std::u16string_view key) {
    RegDeleteTreeW(HKEY_CURRENT_USER, winui::W(Sub(key)));
    RegDeleteKeyW(HKEY_CURRENT_USER, winui::W(Sub(key)));
  }
  static void Set(std::u16string_view key, const std::u16string& name, DWORD type,
                  const void* data, DWORD size) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, winui::W(Sub(key)), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &k, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(k, winui::W(name), 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(k);
  }
  static void SetDword(std::u16string_view key, const std::u16string& name, DWORD value) {
    Set(key, name, REG_DWORD, &value, sizeof(value));
  }
  static void SetText(std::u16string_view key, const std::u16string& name,
                      const std::u16string& text, DWORD type = REG_SZ) {
    Set(key, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
  }
  static bool Exists(std::u16string_view key, const std::u16string& name) {
    return RegGetValueW(HKEY_CURRENT_USER, winui::W(Sub(key)), winui::W(name), RRF_RT_ANY,
                        nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }
};

TEST_F(AlteRegistry, ValuesOfEachTypeAreTakenOverAndDeletedOnceBothFilesHoldThem) {
  SetDword(kAlterSchluessel, u"Width", 1100);
  SetDword(kAlterSchluessel, u"FontColor", 0xFFFFFFFF);  // stored as a signed number
  SetDword(kAlterSchluessel, u"HintColor", 5);
  SetDword(kAlterSchluessel, u"SortAufS", 0);
  SetText(kAlterSchluessel, u"FontName", u"Verdana");
  SetText(kAlterSchluessel, u"Filename", u"%TEMP%\\Hörbücher.tvd", REG_EXPAND_SZ);
  SetText(kAlterSchluessel, u"FontSize", u"14");  // a text where a number belongs
  const char odd[] = {'x'};
  Set(kAlterSchluessel, u"History1", REG_BINARY, odd, 1);
  SetText(kAlterSchluessel, u"History3", u"C:\\erster.tvd");
  SetText(kAlterHistorySchluessel, u"History3", u"C:\\zweiter.tvd");
  SetText(kAlterHistorySchluessel, u"History2", u"C:\\nur hier.tvd");

  TAlteRegistryWin registry;
  TIniDatei ini;
  AlteEinstellungenUebernehmen(ini, registry);
  const auto M = kSektionMainForm;
  EXPECT_EQ(ini.ReadInteger(M, u"Width", 0), 1100);
  EXPECT_EQ(ini.ReadInteger(M, u"FontColor", 0), -1);
  EXPECT_EQ(ini.ReadInteger(M, u"BackColor", 0), 15780518);
  EXPECT_EQ(ini.ReadString(M, u"SortAufS", u""), u"0");
  EXPECT_EQ(ini.ReadString(M, u"FontName", u""), u"Verdana");
  EXPECT_EQ(ini.ReadString(M, u"Filename", u""), u"%TEMP%\\Hörbücher.tvd");  // not expanded
  EXPECT_FALSE(ini.ValueExists(M, u"FontSize"));
  EXPECT_FALSE(ini.ValueExists(M, u"History1"));
  EXPECT_EQ(ini.ReadString(M, u"History3", u""), u"C:\\erster.tvd");
  EXPECT_EQ(ini.ReadString(M, u"History2", u""), u"C:\\nur hier.tvd");

  // What the file on disk holds alike goes; Width differs there and stays.
  TIniDatei disk = ini;
  disk.WriteInteger(M, u"Width", 900);
  EXPECT_EQ(AlteEinstellungenBereinigen(ini, disk, registry), std::nullopt);
  for (const char16_t* gone : {u"FontColor", u"HintColor", u"SortAufS", u"FontName", u"Filename",
                               u"History3"}) {
    EXPECT_FALSE(Exists(kAlterSchluessel, gone)) << ToUtf8(gone);
  }
  for (const char16_t* kept : {u"Width", u"FontSize", u"History1"}) {
    EXPECT_TRUE(Exists(kAlterSchluessel, kept)) << ToUtf8(kept);
  }
  // The file decides, not the value: the second key's History3 lost to the first one's.
  EXPECT_FALSE(Exists(kAlterHistorySchluessel, u"History2"));
  EXPECT_FALSE(Exists(kAlterHistorySchluessel, u"History3"));
  HKEY still = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, winui::W(Sub(kAlterSchluessel)), 0, KEY_READ, &still),
            ERROR_SUCCESS);  // keys stay
  RegCloseKey(still);
}

TEST_F(AlteRegistry, WithoutOldKeysNothingIsTakenOverAndNothingFails) {
  TAlteRegistryWin registry;
  TIniDatei ini;
  AlteEinstellungenUebernehmen(ini, registry);
  EXPECT_FALSE(ini.SectionExists(kSektionMainForm));
  EXPECT_EQ(AlteEinstellungenBereinigen(ini, ini, registry), std::nullopt);
  EXPECT_FALSE(registry.KeyExists(kAlterSchluessel));
}

}  // namespace
}  // namespace tvn
