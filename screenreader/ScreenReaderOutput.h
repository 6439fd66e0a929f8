// The front end for screen reader output: finds the running reader anew for every call and
// forwards to its driver. Without a supported reader every call does nothing and gives false.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "screenreader/ScreenReaderDriver.h"

namespace tvn {

class TScreenReaderOutput {
 public:
  TScreenReaderOutput() = default;
  ~TScreenReaderOutput();
  TScreenReaderOutput(const TScreenReaderOutput&) = delete;
  TScreenReaderOutput& operator=(const TScreenReaderOutput&) = delete;

  // Creates the JAWS and the NVDA driver on the calling (user-interface) thread.
  void Load();
  void Unload();
  bool IsLoaded() const { return FIsLoaded; }

  // The name of the reader that runs now ("JAWS" wins over "NVDA"), or an empty text.
  std::u16string DetectScreenReader();

  bool Output(const std::u16string& S, bool Interrupt);
  bool Speak(const std::u16string& S, bool Interrupt);
  bool Braille(const std::u16string& S);
  bool IsSpeaking();
  bool Silence();
  bool Stop() { return Silence(); }
  bool HasSpeech();
  bool HasBraille();

 private:
  void FreeDrivers();
  void UninitializeCom();

  bool FIsLoaded = false;
  bool FComInitialized = false;
  std::array<std::unique_ptr<TScreenReaderDriver>, 2> List;  // JAWS, then NVDA
  TScreenReaderDriver* CurrentSRD = nullptr;
};

// The program's one front end. The main window creates and loads it, registers it here for
// its lifetime and clears it before freeing it.
void SetProgramScreenReader(TScreenReaderOutput* AScreenReader);
TScreenReaderOutput* ProgramScreenReader();
// Sends a control's label when it gets the focus, without cutting off what the reader says.
// False when no front end is registered or no reader runs.
bool OutputLabel(const std::u16string& S);

}  // namespace tvn
