// The current file name of the main window and the caption built from it. The caption
// always ends with the program caption, by which a second start finds this window.
#pragma once

#include <string>
#include <string_view>

namespace tvn {

inline constexpr std::u16string_view kProgramCaption = u"Tavorin V1.13";
// Shown instead of a file name while only a folder is current.
inline constexpr std::u16string_view kKeinName = u"KeinName";

// "<shown name> - Tavorin V1.13".
std::u16string FensterCaption(std::u16string_view shownName);

// Folder part of a path up to and including its last delimiter.
std::u16string ExtractFilePath(const std::u16string& path);
// Whether the text after the last path delimiter is not empty.
bool HasFileNamePart(const std::u16string& path);

struct TFilenameWechsel {
  std::u16string Filename;    // new FFilename: a file, or only a folder
  std::u16string ShownName;   // file-name part, or "KeinName"
  bool AddToHistory = false;  // the recent-files list takes the name
};

// Setting the current file to value: a name with a file-name part becomes current; a
// folder becomes current as it is; an empty value keeps only the folder of the current
// file, or falls back to programFolder when there is none.
TFilenameWechsel FilenameSetzen(const std::u16string& value, const std::u16string& current,
                                const std::u16string& programFolder);

}  // namespace tvn
