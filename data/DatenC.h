// The audiobook entry, the entry list and everything done with whole lists:
// identity, the file formats, sorting and merging.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
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

// Told of every change a list makes through its own operations (not of writes to Liste),
// so that an undo step can keep only what changed. A rank is an entry's place among the
// entries that sort equal to it in every column, -1 when not known.
class TDatenProtokoll {
 public:
  virtual ~TDatenProtokoll() = default;
  virtual void Hinzugefuegt(const TDatenRec& ADatenRec) = 0;
  // ARaenge[k] is the rank AEntfernt[k] had in the list before they all went.
  virtual void Entfernt(TListe&& AEntfernt, std::vector<int>&& ARaenge) = 0;
  // The entry added last now has this rank.
  virtual void Eingeordnet(int ARang) = 0;
  // The whole list ALt is about to be replaced; then ANeu is the list.
  virtual void VorErsetzen(const TListe& AAlt) = 0;
  virtual void NachErsetzen(const TListe& ANeu) = 0;
};

// The order Sort(SortNr, AufS) gives between two entries, its text folding set up once.
class TSortOrdnung {
 public:
  TSortOrdnung(TSortNr SortNr, bool AufS);
  ~TSortOrdnung();
  TSortOrdnung(const TSortOrdnung&) = delete;
  TSortOrdnung& operator=(const TSortOrdnung&) = delete;
  // Whether A comes before B (not when they sort equal).
  bool Before(const TDatenRec& A, const TDatenRec& B) const;
  // Whether they sort equal, in every column (so in any sort order).
  bool Equal(const TDatenRec& A, const TDatenRec& B) const;

 private:
  class TImpl;
  std::unique_ptr<TImpl> FImpl;
};

class TDaten {
 public:
  TDaten() = default;
  explicit TDaten(const TDatenRec& ADatenRec);
  explicit TDaten(const TListe& AListe);
  TDaten(const TDaten& ADaten);
  TDaten& operator=(const TDaten& ADaten);
  // A protocol stays with its list: neither copied nor moved.
  TDaten(TDaten&& ADaten) noexcept;
  TDaten& operator=(TDaten&& ADaten) noexcept;
  ~TDaten() = default;

  // Nullptr: no protocol. Returns the one before.
  TDatenProtokoll* SetProtokoll(TDatenProtokoll* AProtokoll);

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
  // Entry ANrn[k] becomes AListe[k]; the order is left as it is.
  void ReplaceMany(const std::vector<int>& ANrn, const TListe& AListe);
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
  // For a list in the order Sort(SortNr, AufS) gives: adds the entries where the full
  // stable sort of this list with them appended would put them, in one pass.
  void AddSorted(const TListe& ANeue, TSortNr SortNr, bool AufS);
  // In a list sorted so: the rows [first, last) of the entries that sort equal to ADatenRec.
  std::pair<int, int> SortedRange(const TDatenRec& ADatenRec, const TSortOrdnung& AOrdnung) const;
  // Whether two entries sort equal, in every column (so in any sort order).
  static bool SortsEqual(const TDatenRec& A, const TDatenRec& B);
  // In a list sorted by any column: the rank of entry ANr among those that sort equal to it.
  int RankAmongEqual(int ANr) const;
  void Import(const TDaten& ADaten, bool ErstelltDatumBelassenS, bool PreserveCounts);
  // The entries Import would append, this list left as it is.
  TListe ImportNeue(const TDaten& ADaten, bool ErstelltDatumBelassenS, bool PreserveCounts) const;

  std::u16string HbName;
  TListe Liste;

 private:
  bool Parse(std::string_view bytes, platform::TFileBuffer* buffer);
  // The ranks of the given rows (ascending), walking back over equal neighbours only once.
  std::vector<int> RanksOf(const std::vector<int>& ANrn) const;
  void ListeErsetzen(TListe&& ANeu);

  TDatenProtokoll* FProtokoll = nullptr;

  std::u16string FLastError;
};

// While it lives, the list reports no changes: for replacing a list whose undo step and
// saved state are set by other means.
class TOhneProtokoll {
 public:
  explicit TOhneProtokoll(TDaten& ADaten)
      : FDaten(ADaten), FProtokoll(ADaten.SetProtokoll(nullptr)) {}
  ~TOhneProtokoll() { FDaten.SetProtokoll(FProtokoll); }
  TOhneProtokoll(const TOhneProtokoll&) = delete;
  TOhneProtokoll& operator=(const TOhneProtokoll&) = delete;

 private:
  TDaten& FDaten;
  TDatenProtokoll* FProtokoll;
};

// "dd.mm.yyyy" of a day number, as in the text document.
std::u16string DatumText(TDateTime datum);

}  // namespace tvn
