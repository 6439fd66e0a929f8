#include "startup/CopyData.h"

#include <cstring>

#include "platform/Utf16.h"
#include "startup/KxRegistry.h"

namespace tvn {

std::optional<std::u16string> CopyDataText(const void* data, std::size_t byteSize) {
  if (data == nullptr || byteSize < 2 || byteSize > kMaxCopyDataBytes || byteSize % 2 != 0) {
    return std::nullopt;
  }
  // Copied rather than cast: the sender's buffer need not be aligned for char16_t.
  std::u16string text(byteSize / 2, u'\0');
  std::memcpy(text.data(), data, byteSize);
  const size_t nul = text.find(u'\0');
  if (nul != std::u16string::npos) text.resize(nul);
  return text;
}

std::optional<std::u16string> CopyDataFileName(const void* data, std::size_t byteSize) {
  const std::optional<std::u16string> text = CopyDataText(data, byteSize);
  if (!text || Trim(*text).empty()) return std::nullopt;
  // The text is not blank, so the program's own arguments never stand in for it.
  const std::vector<std::u16string> parts = SplitParameters(*text, {});
  if (parts.empty()) return std::nullopt;
  return parts.front();
}

std::u16string CopyDataSendText(std::u16string_view text,
                                const std::vector<std::u16string>& programArguments) {
  return Trim(JoinParameters(text, programArguments));
}

std::size_t CopyDataByteSize(const std::u16string& text) {
  return (text.size() + 1) * sizeof(char16_t);
}

std::optional<std::u16string> AcceptCopyData(bool canAcceptParameter,
                                             const std::u16string& pendingFilename,
                                             const void* data, std::size_t byteSize) {
  if (!canAcceptParameter) return std::nullopt;
  std::optional<std::u16string> name = CopyDataFileName(data, byteSize);
  if (!name || !pendingFilename.empty()) return std::nullopt;
  return name;
}

}  // namespace tvn
