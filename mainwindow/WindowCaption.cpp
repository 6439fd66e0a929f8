#include "mainwindow/WindowCaption.h"

#include "platform/Platform.h"

namespace tvn {

std::u16string FensterCaption(std::u16string_view shownName) {
  std::u16string caption(shownName);
  caption += u" - ";
  caption += kProgramCaption;
  return caption;
}

std::u16string ExtractFilePath(const std::u16string& path) {
  return path.substr(0, path.size() - platform::ExtractFileName(path).size());
}

bool HasFileNamePart(const std::u16string& path) {
  return !platform::ExtractFileName(path).empty();
}

TFilenameWechsel FilenameSetzen(const std::u16string& value, const std::u16string& current,
                                const std::u16string& programFolder) {
  TFilenameWechsel wechsel;
  if (!value.empty() && HasFileNamePart(value)) {
    wechsel.Filename = value;
    wechsel.ShownName = platform::ExtractFileName(value);
    wechsel.AddToHistory = true;
    return wechsel;
  }
  if (!value.empty()) {
    wechsel.Filename = value;
  } else if (!current.empty()) {
    wechsel.Filename = ExtractFilePath(current);
  } else {
    wechsel.Filename = programFolder;
  }
  wechsel.ShownName = kKeinName;
  return wechsel;
}

}  // namespace tvn
