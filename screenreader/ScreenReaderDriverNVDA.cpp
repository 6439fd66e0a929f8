#include "screenreader/ScreenReaderDriverNVDA.h"

#include <utility>

namespace tvn {
namespace {

template <class TEntry>
TEntry EntryPoint(HMODULE library, const char* name) {
  return reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

const wchar_t* W(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}

}  // namespace

TScreenReaderDriverNVDA::TScreenReaderDriverNVDA(std::u16string AScreenReaderName, bool ASpeech,
                                                 bool ABraille)
    : TScreenReaderDriver(std::move(AScreenReaderName), ASpeech, ABraille) {
  // The library belongs beside the program (or in a system folder). Leaving out the current
  // folder keeps a file opened from a download folder from planting its own copy.
  Controller = LoadLibraryExW(LibraryName(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (!Controller) return;
  nvdaController_speakText =
      EntryPoint<TnvdaController_speakText>(Controller, "nvdaController_speakText");
  nvdaController_brailleMessage =
      EntryPoint<TnvdaController_brailleMessage>(Controller, "nvdaController_brailleMessage");
  nvdaController_cancelSpeech =
      EntryPoint<TnvdaController_cancelSpeech>(Controller, "nvdaController_cancelSpeech");
  nvdaController_testIfRunning =
      EntryPoint<TnvdaController_testIfRunning>(Controller, "nvdaController_testIfRunning");
}

TScreenReaderDriverNVDA::~TScreenReaderDriverNVDA() {
  if (Controller) FreeLibrary(Controller);
}

bool TScreenReaderDriverNVDA::IsActive() {
  if (!nvdaController_testIfRunning) return false;
  if (!FindWindowW(L"wxWindowClassNR", L"NVDA")) return false;
  return nvdaController_testIfRunning() == 0;
}

bool TScreenReaderDriverNVDA::Speak(const std::u16string& S, bool Interrupt) {
  if (Interrupt && !Silence()) return false;
  if (S.empty() || !nvdaController_speakText) return false;
  return nvdaController_speakText(W(S)) == 0;
}

bool TScreenReaderDriverNVDA::Braille(const std::u16string& S) {
  if (S.empty() || !nvdaController_brailleMessage) return false;
  return nvdaController_brailleMessage(W(S)) == 0;
}

bool TScreenReaderDriverNVDA::Silence() {
  return nvdaController_cancelSpeech && nvdaController_cancelSpeech() == 0;
}

bool TScreenReaderDriverNVDA::Output(const std::u16string& S, bool Interrupt) {
  return SpeakThenBraille(S, Interrupt);
}

}  // namespace tvn
