// Windows code page 1252 (Western European), the code page the program's RTF documents
// declare and the ANSI code page of the POSIX build.
#pragma once

namespace tvn::platform {

// The code-page byte of a UTF-16 code unit, or -1 when the code page lacks it.
int Cp1252Byte(char16_t c);

}  // namespace tvn::platform
