// How a plain text falls onto printed pages: lines wrapped at spaces to the printable
// width (a word wider than a line is broken between characters), pages filled line by line,
// and a form feed starting a new page. Measuring is left to the caller, so the rules are
// tested without a printer.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tvn {

using TDruckSeite = std::vector<std::u16string>;  // the lines of one page
using TTextBreite = std::function<int(std::u16string_view)>;

// lineWidth and linesPerPage are at least 1 each. Tabs count as four spaces. An empty text
// gives one empty page; a form feed at the very end starts no extra page.
std::vector<TDruckSeite> DruckSeiten(std::u16string_view text, int lineWidth, int linesPerPage,
                                     const TTextBreite& breite);

}  // namespace tvn
