// Whether two lists hold the same entries, each as often, in any order.
#pragma once

#include <cstddef>

#include "data/DatenC.h"

namespace tvn {

// Compares a[first..] with b[first..]; both lists must be equally long.
bool SameEntriesInAnyOrder(const TListe& a, const TListe& b, size_t first);

}  // namespace tvn
