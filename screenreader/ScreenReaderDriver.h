// One supported screen reader: how the program speaks and brailles through it.
#pragma once

#include <string>

namespace tvn {

class TScreenReaderDriver {
 public:
  TScreenReaderDriver(std::u16string AScreenReaderName, bool ASpeech, bool ABraille);
  virtual ~TScreenReaderDriver() = default;
  TScreenReaderDriver(const TScreenReaderDriver&) = delete;
  TScreenReaderDriver& operator=(const TScreenReaderDriver&) = delete;

  const std::u16string& Name() const { return FName; }
  bool HasSpeech() const { return FHasSpeech; }
  bool HasBraille() const { return FHasBraille; }

  virtual bool Speak(const std::u16string& S, bool Interrupt) = 0;
  virtual bool Braille(const std::u16string& S) = 0;
  virtual bool IsSpeaking() = 0;
  virtual bool Silence() = 0;
  // The reader runs and this driver can reach it.
  virtual bool IsActive() = 0;
  // Spoken or shown.
  virtual bool Output(const std::u16string& S, bool Interrupt) = 0;

 protected:
  // Brailles even when speaking failed, so a braille user gets the text either way.
  bool SpeakThenBraille(const std::u16string& S, bool Interrupt);

 private:
  std::u16string FName;
  bool FHasSpeech;
  bool FHasBraille;
};

}  // namespace tvn
