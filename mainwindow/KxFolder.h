// Special folders of the shell and the program's own folder (Windows only).
#pragma once

#include <string>

namespace tvn {

// The folder of a shell special-folder number (26: the user's roaming application data)
// with a trailing delimiter; empty when the shell cannot name it.
std::u16string GetSpecialFolderPath(int AFolder);
inline constexpr int kCsidlAppData = 26;

// The folder of the program file, with a trailing delimiter.
std::u16string ProgramFolder();

}  // namespace tvn
