// JAWS, reached through its COM automation object while its main window exists.
#pragma once

#include "screenreader/ScreenReaderDriver.h"

namespace tvn {

struct IJawsApi;

class TScreenReaderDriverJAWS : public TScreenReaderDriver {
 public:
  TScreenReaderDriverJAWS(std::u16string AScreenReaderName, bool ASpeech, bool ABraille);
  ~TScreenReaderDriverJAWS() override;

  bool Speak(const std::u16string& S, bool Interrupt) override;
  bool Braille(const std::u16string& S) override;
  bool IsSpeaking() override { return false; }
  bool Silence() override;
  bool IsActive() override;
  bool Output(const std::u16string& S, bool Interrupt) override;

 private:
  void ConnectController();
  void ReleaseController();
  static bool JawsWindowExists();

  IJawsApi* Controller = nullptr;
  bool FComInitialized = false;
};

}  // namespace tvn
