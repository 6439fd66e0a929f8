// The undo history: whole list states, newest last, at most MaxLen of them.
#pragma once

#include <string>
#include <vector>

#include "data/DatenC.h"

namespace tvn {

struct TUndoDatenRec {
  std::u16string Filename;  // file path, or only a folder when no file was open
  int ItemIndex = -1;       // focused row, -1 for none
  TDaten MarkDaten;         // the marked entries, in list order
  TDaten Daten;             // the whole list
  TDaten SaveDaten;         // the list as last loaded or saved
};

using TUndoListe = std::vector<TUndoDatenRec>;

class TUndoDaten {
 public:
  TUndoDaten() = default;
  TUndoDaten(const std::u16string& AFilename, int AItemIndex, const TDaten& AMarkDaten,
             const TDaten& ADaten, const TDaten& ASaveDaten);

  int Count() const { return static_cast<int>(Liste.size()); }
  void Add(const std::u16string& AFilename, int AItemIndex, const TDaten& AMarkDaten,
           const TDaten& ADaten, const TDaten& ASaveDaten);
  // The same, taking over lists that are replaced right after.
  void Add(const std::u16string& AFilename, int AItemIndex, TDaten&& AMarkDaten, TDaten&& ADaten,
           TDaten&& ASaveDaten);
  void Delete(int ANr);
  void Clear();
  int MaxLen() const { return FMaxLen; }
  void SetMaxLen(int AMaxLen);
  // Gives every step of this file the list now on disk; ASavedDaten may be null.
  void UpdateSavedState(const std::u16string& AFilename, const TDaten* ASavedDaten);

  TUndoListe Liste;

 private:
  int FMaxLen = 9;
};

// Case-insensitive comparison of absolute file paths, one code unit at a time.
bool SameFileName(const std::u16string& A, const std::u16string& B);

}  // namespace tvn
