// The audiobook entry, the entry list and everything done with whole lists:
// identity, the file formats, sorting and merging.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/Datum.h"
#include "data/ResConst.h"

namespace tvn {
namespace platform {
class TFileBuffer;
}

struct TDatenRec {
  bool Akt = true;  // not stored, not compared
  TDateTime ErstelltDatum = ProgMinDatum;
  std::u16string Autor;
  std::u16string Titel;
  std::u16string KatalogNr;
  std::u16string Quelle;
  bool ErhaltenS = false;
  TDateTime ErhaltenDatum = ProgMinDatum;
  bool RetourS = false;
  TDateTime RetourDatum = ProgMinDatum;
  bool GelesenS = false;
  TBewertung Bewertung = btKeine;
  std::u16string Infos;
};

using TListe = std::vector<TDatenRec>;

// Where a failed load with FehlerMeldungS shows its message box. The program installs
// its prompt seam here; without one nothing is shown.
class TDatenMeldung {
 public:
  virtual ~TDatenMeldung() = default;
  virtual void ShowError(const std::u16string& text) = 0;
};
void SetDatenMeldung(TDatenMeldung* meldung);

class TDaten {
 public:
  TDaten() = default;
  explicit TDaten(const TDatenRec& ADatenRec);
  explicit TDaten(const TListe& AListe);
  TDaten(const TDaten& ADaten);
  TDaten& operator=(const TDaten& ADaten);
  TDaten(TDaten&&) noexcept = default;
  TDaten& operator=(TDaten&&) noexcept = default;
  ~TDaten() = default;

  int Count() const { return static_cast<int>(Liste.size()); }
  void Add(const TDatenRec& ADatenRec);
  void Add(const TListe& AListe);
  void Insert(const TDatenRec& ADatenRec, int ANr);
  void Delete(int ANr);
  // Entry ANr becomes ADatenRec (which may be an entry of this very list).
  void Replace(int ANr, const TDatenRec& ADatenRec);
  // Drops the entries at the given indices (ascending, each once); the others keep
  // their order. One pass, however many go.
  void DeleteMany(const std::vector<int>& ANrn);
  void Clear();
  void ClearListe();
  void Assign(const TDaten& ADaten);

  static bool Ident(const TDatenRec& A, const TDatenRec& B);
  bool Ident(const TDaten& ADaten) const;
  int FindDatenRecNr(const TDatenRec& ADatenRec) const;
  static std::u16string RecordKey(const TDatenRec& R);

  bool LoadFromFile(const std::u16string& AFilename, bool FehlerMeldungS);
  bool SaveToFile(const std::u16string& AFilename, bool TxtS);
  // The parsing and encoding steps of the two above, on memory only.
  bool LoadFromBytes(std::string_view bytes);
  bool EncodeBinary(std::string& out);
  std::string EncodeText() const;
  const std::u16string& LastError() const { return FLastError; }

  void Sort(TSortNr SortNr, bool AufS);
  // For a list in the order Sort(SortNr, AufS) gives except for entry ANr (just added
  // at the end, or just replaced): moves that entry to the index the full stable sort
  // would give it (after all entries that sort equal when it was added at the end,
  // among them by its old index when replaced) and returns that index. The others
  // keep their order.
  int SortIn(int ANr, TSortNr SortNr, bool AufS);
  void Import(const TDaten& ADaten, bool ErstelltDatumBelassenS, bool PreserveCounts);
  // The entries Import would append, this list left as it is.
  TListe ImportNeue(const TDaten& ADaten, bool ErstelltDatumBelassenS, bool PreserveCounts) const;

  std::u16string HbName;
  TListe Liste;

 private:
  bool Parse(std::string_view bytes, platform::TFileBuffer* buffer);

  std::u16string FLastError;
};

// "dd.mm.yyyy" of a day number, as in the text document.
std::u16string DatumText(TDateTime datum);

}  // namespace tvn
