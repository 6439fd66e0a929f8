// The entry editor shown over an owner window and driven by real key presses
// (DialogTestSupport.h).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "dialogs/Neu.h"
#include "dialogs/tests/DialogTestSupport.h"

namespace tvn::test {

using TTestNeuForm = TShownDialog<TNeuForm>;

class NeuFormTest : public DialogKeysTest {
 protected:
  void SetUp() override;

  // Shows the dialog; script runs on a second thread once the dialog is in front with
  // the focus in the author field. The dialog is closed in any case afterwards.
  winui::TModalResult Run(const std::function<void()>& script);

  TTestNeuForm form{&owner};
  TDaten Daten;
};

// An entry with every field set, received before returned.
TDatenRec FullEntry();

}  // namespace tvn::test
