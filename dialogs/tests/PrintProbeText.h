// The details text both print probes print and print_pdf.sh looks for in the PDF: umlauts,
// a line too long for a page, and two page breaks, so three pages.
#pragma once

namespace tvn::test {

inline constexpr char16_t kDruckProbeText[] =
    u"1. markierter Eintrag:\r\n"
    u"Autor: Jürgen Größer\r\n"
    u"Titel: Hörbücher für Jürgen\r\n"
    u"Infos: Eine lange Zeile, die umbrochen werden muss, weil sie viel breiter ist als eine "
    u"Druckseite, auch bei kleiner Schrift, und deshalb auf der nächsten Zeile weitergeht.\r\n"
    u"\f2. markierter Eintrag:\r\n"
    u"Titel: Größe und Maß\r\n"
    u"\f3. markierter Eintrag:\r\n"
    u"Titel: Ende\r\n";

}  // namespace tvn::test
