// Checks the laid-out windows of a dialog (the demonstration dialog or another one): nothing
// overlaps, nothing is cut off, everything lies where the layout rules put it. Works on the real
// window rectangles; returns one line per problem found (empty: all well).
#pragma once

#include <string>
#include <vector>

#include "layout/demo/DemoDialog.h"

namespace tvn {

// What the check looks at: a dialog laid out by SetupDialogLayout, the controls of its
// content box and its buttons.
struct TLayoutParts {
  winui::TCustomForm& Form;
  const winui::TScrollBox* Content;
  const winui::TScrollBox* ButtonArea;
  std::vector<winui::TControl*> Inputs;
  std::vector<winui::TButton*> Buttons;
};

std::vector<std::string> LayoutProblems(const TLayoutParts& parts);
std::vector<std::string> LayoutProblems(TDemoDialog& dialog);

}  // namespace tvn
