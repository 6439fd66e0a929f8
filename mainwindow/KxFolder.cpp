#include "mainwindow/KxFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "mainwindow/WindowCaption.h"
#include "winui/Win32Util.h"

namespace tvn {

std::u16string GetSpecialFolderPath(int AFolder) {
  PIDLIST_ABSOLUTE location = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, AFolder, &location)) || !location) return {};
  wchar_t path[MAX_PATH + 1] = {};
  const bool ok = SHGetPathFromIDListW(location, path) != FALSE;
  CoTaskMemFree(location);
  if (!ok || !path[0]) return {};
  std::u16string folder = winui::U16(path);
  if (folder.back() != u'\\') folder += u'\\';
  return folder;
}

std::u16string ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return ExtractFilePath(winui::U16(buffer.data(), n));
    buffer.resize(buffer.size() * 2);  // a long path: try again with room for it
  }
}

}  // namespace tvn
