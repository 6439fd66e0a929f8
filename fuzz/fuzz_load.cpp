// Loads arbitrary bytes as an audiobook file: a failure must leave the list as it was,
// and whatever loads must save and load back to the same list.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/DatenC.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tvn::TDaten before;
  before.HbName = u"vorher";
  before.Add(tvn::TDatenRec{});
  tvn::TDaten daten = before;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!daten.LoadFromBytes(bytes)) {
    if (daten.LastError().empty() || !daten.Ident(before)) std::abort();
    return 0;
  }
  std::string again;
  if (!daten.EncodeBinary(again)) std::abort();  // what was loaded can always be stored
  tvn::TDaten back;
  if (!back.LoadFromBytes(again) || !back.Ident(daten)) std::abort();
  (void)daten.EncodeText();
  daten.Sort(tvn::snAutor, false);
  return 0;
}
