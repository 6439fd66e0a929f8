#include "screenreader/ScreenReaderDriver.h"

#include <utility>

namespace tvn {

TScreenReaderDriver::TScreenReaderDriver(std::u16string AScreenReaderName, bool ASpeech,
                                         bool ABraille)
    : FName(std::move(AScreenReaderName)), FHasSpeech(ASpeech), FHasBraille(ABraille) {}

bool TScreenReaderDriver::SpeakThenBraille(const std::u16string& S, bool Interrupt) {
  const bool spoken = Speak(S, Interrupt);
  const bool shown = Braille(S);
  return spoken || shown;
}

}  // namespace tvn
