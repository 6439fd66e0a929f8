#include "startup/FirstInstance.h"

#include <ole2.h>
#include <windows.h>

#include <memory>

#include "layout/KxDatePicker.h"
#include "mainwindow/Haupt.h"
#include "startup/KxRegistryWin.h"

namespace tvn {

namespace {

// The clipboard needs OLE on the user-interface thread, not plain COM: rich edit controls
// copy through it, and only then does OleFlushClipboard at the end leave what the program
// copied on the clipboard.
class TOleSession {
 public:
  TOleSession() : FInitialized(SUCCEEDED(OleInitialize(nullptr))) {}
  ~TOleSession() {
    if (FInitialized) OleUninitialize();
  }
  TOleSession(const TOleSession&) = delete;
  TOleSession& operator=(const TOleSession&) = delete;

 private:
  bool FInitialized;
};

}  // namespace

void RunFirstInstance(const std::vector<std::u16string>& arguments) {
  // Before the main window, and ended only after it has gone.
  TOleSession ole;
  AdjustLocaleNames();
  auto form = std::make_unique<TForm1>(arguments);
  form->Create();
  // Declared after the form, so it stops and goes before the form does.
  TWatchRegistrySettings watch(form->Handle(), kCommandKeyName);
  form->Show();
  winui::TMainForm::RunMessageLoop();
}

}  // namespace tvn
