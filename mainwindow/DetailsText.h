// The details of entries as one plain text, block by block, as the details viewer shows
// it and as tvtool writes it: value lines with or without their field captions, numbered
// headings when there are several entries.
#pragma once

#include <string>
#include <vector>

#include "data/DatenC.h"
#include "layout/LocaleNames.h"

namespace tvn {

// entries: the marked entries in list order. Empty text when there are none; otherwise
// lines joined by CR LF, trailing blanks and breaks removed, one closing CR LF.
std::u16string DetailsText(const std::vector<const TDatenRec*>& entries, bool DetailNamenS,
                           const TWeekdayNames& weekdays);

// The viewer's caption for that many marked entries: the singular for one, otherwise the
// number with its thousands grouped.
std::u16string DetailsCaption(long long markedCount);

// Every entry of a list, in list order.
std::vector<const TDatenRec*> AlleEintraege(const TDaten& daten);

}  // namespace tvn
