// The WM_COPYDATA hand-over of a file name between instances: what a second start sends
// and what the running instance accepts. The payload comes from another process, so
// every byte count is checked before a byte is read.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tvn {

// Largest payload accepted, in bytes.
inline constexpr std::size_t kMaxCopyDataBytes = 0x20000;

// Text of a payload of byteSize bytes at data: UTF-16LE code units up to the first NUL.
// nullopt when data is null or byteSize is below 2, above kMaxCopyDataBytes or odd.
// Reads never go beyond byteSize, whether or not a NUL ends the text.
std::optional<std::u16string> CopyDataText(const void* data, std::size_t byteSize);

// The file name a payload hands over: its first parameter. nullopt when the payload is
// rejected, blank, or holds separators only.
std::optional<std::u16string> CopyDataFileName(const void* data, std::size_t byteSize);

// Sender side: the text to send (the joined parameters, trimmed; empty = send nothing)
// and its payload size including the terminating NUL.
std::u16string CopyDataSendText(std::u16string_view text,
                                const std::vector<std::u16string>& programArguments);
std::size_t CopyDataByteSize(const std::u16string& text);

// The running instance's decision on a received payload: the name that becomes pending,
// or nullopt when it is dropped (window not ready, payload unusable, or a name already
// waiting).
std::optional<std::u16string> AcceptCopyData(bool canAcceptParameter,
                                             const std::u16string& pendingFilename,
                                             const void* data, std::size_t byteSize);

}  // namespace tvn
