// Checks the laid-out windows of the demonstration dialog: nothing overlaps, nothing is
// cut off, everything lies where the layout rules put it. Works on the real window
// rectangles; returns one line per problem found (empty: all well).
#pragma once

#include <string>
#include <vector>

#include "layout/demo/DemoDialog.h"

namespace tvn {

std::vector<std::string> LayoutProblems(TDemoDialog& dialog);

}  // namespace tvn
