#include "screenreader/ScreenReaderOutput.h"

#include <objbase.h>

#include "screenreader/ScreenReaderDriverJAWS.h"
#include "screenreader/ScreenReaderDriverNVDA.h"

namespace tvn {
namespace {

TScreenReaderOutput* g_programScreenReader = nullptr;

}  // namespace

TScreenReaderOutput::~TScreenReaderOutput() {
  Unload();
}

void TScreenReaderOutput::Load() {
  if (FIsLoaded) return;
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  FComInitialized = hr == S_OK || hr == S_FALSE;
  try {
    List[0] = std::make_unique<TScreenReaderDriverJAWS>(u"JAWS", true, true);
    List[1] = std::make_unique<TScreenReaderDriverNVDA>(u"NVDA", true, true);
  } catch (...) {
    FreeDrivers();
    UninitializeCom();
    throw;
  }
  CurrentSRD = nullptr;
  FIsLoaded = true;
}

void TScreenReaderOutput::Unload() {
  if (!FIsLoaded) return;
  FIsLoaded = false;
  CurrentSRD = nullptr;
  FreeDrivers();
  UninitializeCom();
}

void TScreenReaderOutput::FreeDrivers() {
  List[0].reset();
  List[1].reset();
}

void TScreenReaderOutput::UninitializeCom() {
  if (!FComInitialized) return;
  FComInitialized = false;
  CoUninitialize();
}

std::u16string TScreenReaderOutput::DetectScreenReader() {
  if (!FIsLoaded) return {};
  try {
    CurrentSRD = nullptr;
    for (const auto& driver : List) {
      if (driver && driver->IsActive()) {
        CurrentSRD = driver.get();
        break;
      }
    }
    if (CurrentSRD && CurrentSRD->IsActive()) return CurrentSRD->Name();
  } catch (...) {
    // A reader failing while it is looked for counts as no reader.
  }
  CurrentSRD = nullptr;
  return {};
}

bool TScreenReaderOutput::Output(const std::u16string& S, bool Interrupt) {
  if (S.empty() || DetectScreenReader().empty()) return false;
  return CurrentSRD->Output(S, Interrupt);
}

bool TScreenReaderOutput::Speak(const std::u16string& S, bool Interrupt) {
  if (S.empty() || DetectScreenReader().empty()) return false;
  return CurrentSRD->Speak(S, Interrupt);
}

bool TScreenReaderOutput::Braille(const std::u16string& S) {
  if (S.empty() || DetectScreenReader().empty()) return false;
  return CurrentSRD->Braille(S);
}

bool TScreenReaderOutput::IsSpeaking() {
  return !DetectScreenReader().empty() && CurrentSRD->IsSpeaking();
}

bool TScreenReaderOutput::Silence() {
  return !DetectScreenReader().empty() && CurrentSRD->Silence();
}

bool TScreenReaderOutput::HasSpeech() {
  return !DetectScreenReader().empty() && CurrentSRD->HasSpeech();
}

bool TScreenReaderOutput::HasBraille() {
  return !DetectScreenReader().empty() && CurrentSRD->HasBraille();
}

void SetProgramScreenReader(TScreenReaderOutput* AScreenReader) {
  g_programScreenReader = AScreenReader;
}

TScreenReaderOutput* ProgramScreenReader() {
  return g_programScreenReader;
}

bool OutputLabel(const std::u16string& S) {
  return g_programScreenReader && g_programScreenReader->Output(S, false);
}

}  // namespace tvn
