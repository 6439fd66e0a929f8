// Runs from a folder without the NVDA library; the folder above holds the stand-in.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "screenreader/ScreenReaderDriverNVDA.h"
#include "screenreader/ScreenReaderOutput.h"
#include "screenreader/tests/ReaderDoubles.h"

namespace tvn {
namespace {

std::u16string ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return platform::ExtractFileDir(std::u16string(reinterpret_cast<const char16_t*>(path), n));
}

std::u16string LibraryIn(const std::u16string& folder) {
  return folder + u"\\" + reinterpret_cast<const char16_t*>(TScreenReaderDriverNVDA::LibraryName());
}

TEST(NvdaLibrarySearch, LibraryInTheCurrentFolderIsNotTaken) {
  testing::TReaderLock lock;
  testing::TFakeNvda nvda;
  nvda.Start();
  const std::u16string current = platform::ExtractFileDir(ProgramFolder());
  ASSERT_FALSE(platform::FileExists(LibraryIn(ProgramFolder())));
  ASSERT_TRUE(platform::FileExists(LibraryIn(current)));

  wchar_t previous[MAX_PATH];
  ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(current.c_str())));
  {
    TScreenReaderOutput out;
    out.Load();
    EXPECT_FALSE(out.Output(u"Autor:", false));
  }
  EXPECT_EQ(nvda.Calls(), std::vector<testing::TReaderCall>{});
  EXPECT_EQ(nvda.PresenceChecks(), 0);

  // The plain search order would have taken the planted copy.
  HMODULE planted = LoadLibraryW(TScreenReaderDriverNVDA::LibraryName());
  EXPECT_NE(planted, nullptr);
  if (planted) FreeLibrary(planted);
  SetCurrentDirectoryW(previous);
}

}  // namespace
}  // namespace tvn
