// Parts of the platform layer that are the same on every system.
#include "platform/Platform.h"

#include "platform/Utf16.h"

namespace tvn::platform {

namespace {
// "C:" begins a Windows path; on POSIX a colon is an ordinary character.
bool IsDriveColon(const std::u16string& path, size_t i) {
  return PathSeparator() == u'\\' && i == 2 && path[1] == u':';
}
}  // namespace

std::u16string ExtractFileName(const std::u16string& path) {
  size_t i = path.size();
  while (i > 0 && !IsPathSeparator(path[i - 1]) && !IsDriveColon(path, i)) --i;
  return path.substr(i);
}

std::u16string ExtractFileDir(const std::u16string& path) {
  size_t i = path.size() - ExtractFileName(path).size();
  // Keep the separator of a root ("/" or "C:\"), drop any other trailing one.
  if (i > 1 && IsPathSeparator(path[i - 1]) && !IsDriveColon(path, i - 1)) --i;
  return path.substr(0, i);
}

bool ReadWholeFile(const std::u16string& path, std::string& bytes, std::u16string& error) {
  TFileBuffer buffer;
  if (!buffer.Read(path, error)) return false;
  bytes.assign(buffer.View());
  return true;
}

}  // namespace tvn::platform
