// NVDA, reached through its controller client library.
#pragma once

#include <windows.h>

#include "screenreader/ScreenReaderDriver.h"

namespace tvn {

// The controller client's entry points; each returns 0 on success.
using TnvdaController_speakText = unsigned long(__stdcall*)(const wchar_t* text);
using TnvdaController_brailleMessage = unsigned long(__stdcall*)(const wchar_t* message);
using TnvdaController_cancelSpeech = unsigned long(__stdcall*)();
using TnvdaController_testIfRunning = unsigned long(__stdcall*)();

class TScreenReaderDriverNVDA : public TScreenReaderDriver {
 public:
  TScreenReaderDriverNVDA(std::u16string AScreenReaderName, bool ASpeech, bool ABraille);
  ~TScreenReaderDriverNVDA() override;

  // A process loads only a library of its own pointer width, so the name follows the build.
  static constexpr const wchar_t* LibraryName() {
    return sizeof(void*) == 8 ? L"nvdaControllerClient64.dll" : L"nvdaControllerClient32.dll";
  }

  bool Speak(const std::u16string& S, bool Interrupt) override;
  bool Braille(const std::u16string& S) override;
  bool IsSpeaking() override { return false; }
  bool Silence() override;
  bool IsActive() override;
  bool Output(const std::u16string& S, bool Interrupt) override;

 private:
  HMODULE Controller = nullptr;
  TnvdaController_speakText nvdaController_speakText = nullptr;
  TnvdaController_brailleMessage nvdaController_brailleMessage = nullptr;
  TnvdaController_cancelSpeech nvdaController_cancelSpeech = nullptr;
  TnvdaController_testIfRunning nvdaController_testIfRunning = nullptr;
};

}  // namespace tvn
