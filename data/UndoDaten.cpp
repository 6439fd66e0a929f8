#include "data/UndoDaten.h"

#include "platform/Platform.h"

namespace tvn {

TUndoDaten::TUndoDaten(const std::u16string& AFilename, int AItemIndex, const TDaten& AMarkDaten,
                       const TDaten& ADaten, const TDaten& ASaveDaten) {
  Add(AFilename, AItemIndex, AMarkDaten, ADaten, ASaveDaten);
}

void TUndoDaten::Add(const std::u16string& AFilename, int AItemIndex, const TDaten& AMarkDaten,
                     const TDaten& ADaten, const TDaten& ASaveDaten) {
  Liste.push_back(TUndoDatenRec{AFilename, AItemIndex, AMarkDaten, ADaten, ASaveDaten});
  SetMaxLen(FMaxLen);
}

void TUndoDaten::Add(const std::u16string& AFilename, int AItemIndex, TDaten&& AMarkDaten,
                     TDaten&& ADaten, TDaten&& ASaveDaten) {
  Liste.push_back(TUndoDatenRec{AFilename, AItemIndex, std::move(AMarkDaten), std::move(ADaten),
                                std::move(ASaveDaten)});
  SetMaxLen(FMaxLen);
}

void TUndoDaten::Delete(int ANr) {
  if (ANr < 0 || ANr >= Count()) return;
  Liste.erase(Liste.begin() + ANr);
}

void TUndoDaten::Clear() {
  while (!Liste.empty()) Liste.pop_back();
}

void TUndoDaten::SetMaxLen(int AMaxLen) {
  if (AMaxLen <= 0) return;
  FMaxLen = AMaxLen;
  if (Count() > FMaxLen) Liste.erase(Liste.begin(), Liste.begin() + (Count() - FMaxLen));
}

bool SameFileName(const std::u16string& A, const std::u16string& B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i) {
    if (platform::LowerCaseChar(A[i]) != platform::LowerCaseChar(B[i])) return false;
  }
  return true;
}

void TUndoDaten::UpdateSavedState(const std::u16string& AFilename, const TDaten* ASavedDaten) {
  if (!ASavedDaten || platform::ExtractFileName(AFilename).empty()) return;
  const std::u16string target = platform::AbsolutePath(AFilename);
  for (TUndoDatenRec& step : Liste) {
    if (platform::ExtractFileName(step.Filename).empty()) continue;
    if (SameFileName(platform::AbsolutePath(step.Filename), target)) step.SaveDaten = *ASavedDaten;
  }
}

}  // namespace tvn
