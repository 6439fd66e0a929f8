// Feeds arbitrary bytes to the settings reader: any bytes give a document, and what it
// writes reads back to the same document, so a damaged settings file never grows or
// changes further with every start.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "mainwindow/IniDatei.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tvn::TIniDatei ini;
  ini.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string once = ini.Encode();
  (void)ini.ReadInteger(u"MainForm", u"FontSize", 12);
  (void)ini.ReadString(u"MainForm", u"FontName", u"Arial");
  tvn::TIniDatei again;
  again.Parse(once);
  if (again.Encode() != once) std::abort();
  return 0;
}
