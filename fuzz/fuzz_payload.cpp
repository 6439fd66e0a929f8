// Feeds arbitrary bytes to the WM_COPYDATA check of the running instance: nothing may be
// read beyond the payload, an accepted name must be a clean single parameter, and a name
// that a second start sends must arrive unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Utf16.h"
#include "startup/CopyData.h"
#include "startup/Handover.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tvn;
  const bool sizeOk = size >= 2 && size <= kMaxCopyDataBytes && size % 2 == 0;
  const auto text = CopyDataText(data, size);
  if (text.has_value() != sizeOk) std::abort();
  if (text && (text->size() > size / 2 || text->find(u'\0') != std::u16string::npos)) std::abort();
  if (CopyDataText(nullptr, size)) std::abort();

  const auto name = CopyDataFileName(data, size);
  if (!name) return 0;
  if (!text || name->empty() || name->find(u'|') != std::u16string::npos ||
      text->find(*name) == std::u16string::npos) {
    std::abort();
  }
  const std::u16string sent = CopyDataSendText(*name, {});
  if (!sent.empty()) {
    const auto back = CopyDataFileName(sent.c_str(), CopyDataByteSize(sent));
    if (!back || *back != sent) std::abort();
  }
  (void)IsAudiobookFileName(ParameterFileName(*name));
  return 0;
}
