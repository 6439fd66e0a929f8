// Deterministic, realistic entry lists for the benchmarks: German names with umlauts,
// titles of several words, infos with line breaks.
#pragma once

#include <cstddef>

#include "data/DatenC.h"

namespace tvn::bench {

TDaten MakeList(size_t count, unsigned seed = 42);

}  // namespace tvn::bench
