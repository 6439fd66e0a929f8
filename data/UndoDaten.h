// The undo history, newest step last, at most MaxLen of them. A step keeps its list in
// full only where a list was replaced as a whole (opening, closing); otherwise it keeps
// the changes made since, which the list reports through its protocol, and undoing
// takes them back in reverse. Likewise every saved state is kept as the difference of a
// list to it, so a load or a change copies no list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/DatenC.h"

namespace tvn {

// A count per distinct entry: how many more times one list holds it than another
// (negative: fewer). Entries whose count becomes 0 are dropped.
class TEintragBilanz {
 public:
  bool Leer() const { return FZaehler.empty(); }
  void Zaehle(const TDatenRec& ADatenRec, int ADelta);
  void Zaehle(const TListe& AListe, int ADelta);
  void Zaehle(const TEintragBilanz& ABilanz, int ADelta);
  // AListe changed by the counts: an entry counted n times more is added n times, one
  // counted n times fewer is removed as often (as far as it is there). Not sorted.
  void AufListeAnwenden(TListe& AListe) const;
  // A minus B.
  static TEintragBilanz Differenz(const TListe& A, const TListe& B);

 private:
  struct Hash {
    size_t operator()(const TDatenRec& r) const;
  };
  struct Gleich {
    bool operator()(const TDatenRec& a, const TDatenRec& b) const { return TDaten::Ident(a, b); }
  };
  std::unordered_map<TDatenRec, int, Hash, Gleich> FZaehler;
};

// A saved state (the list as last loaded or saved) seen from a list: what that list holds
// more and fewer than it, and the saved list's name.
struct TSaveStand {
  TEintragBilanz Bilanz;
  std::u16string HbName;
  bool GleichListe(const TDaten& ADaten) const { return Bilanz.Leer() && ADaten.HbName == HbName; }
};

// Changes of one kind, in the order made: entries added, or entries removed together
// (with their ranks in the list before).
struct TAenderung {
  bool Entfernt = false;
  TListe Eintraege;
  std::vector<int> Raenge;
};

struct TUndoDatenRec {
  std::u16string Filename;              // file path, or only a folder when no file was open
  int ItemIndex = -1;                   // focused row, -1 for none
  std::optional<TDatenRec> Fokus;       // the focused entry
  TDaten MarkDaten;                     // the marked entries, in list order
  bool Ganz = false;                    // Daten holds the whole list
  TDaten Daten;                         // the whole list (Ganz) or only its name
  std::vector<TAenderung> Aenderungen;  // otherwise: the changes made since, oldest first
  TSaveStand SaveStand;                 // the saved state, seen from this step's list
};

using TUndoListe = std::vector<TUndoDatenRec>;

class TUndoDaten : public TDatenProtokoll {
 public:
  TUndoDaten() = default;
  TUndoDaten(const std::u16string& AFilename, int AItemIndex, const TDaten& AMarkDaten,
             const TDaten& ADaten, const TDaten& ASaveDaten);
  ~TUndoDaten() override;
  TUndoDaten(const TUndoDaten&) = delete;
  TUndoDaten& operator=(const TUndoDaten&) = delete;

  int Count() const { return static_cast<int>(Liste.size()); }
  // A step holding copies of the three lists.
  void Add(const std::u16string& AFilename, int AItemIndex, const TDaten& AMarkDaten,
           const TDaten& ADaten, const TDaten& ASaveDaten);
  // A step taking over a whole list that is replaced right after, with its saved state.
  void AddGanz(const std::u16string& AFilename, int AItemIndex, TDaten&& AMarkDaten,
               TListe&& AListe, const std::u16string& AHbName, TSaveStand ASaveStand);
  // A step of the list this history protocols (see Protokolliere): it keeps only the
  // changes made to that list from now on.
  void AddAenderung(const std::u16string& AFilename, int AItemIndex, TDaten&& AMarkDaten,
                    TSaveStand ASaveStand);
  void Delete(int ANr);
  void Clear();
  int MaxLen() const { return FMaxLen; }
  void SetMaxLen(int AMaxLen);
  // Gives every step of this file the list now on disk; ASavedDaten may be null.
  void UpdateSavedState(const std::u16string& AFilename, const TDaten* ASavedDaten);

  // From now on ADaten reports its changes to the newest step and to ASaveStand, the
  // saved state seen from ADaten. Both must outlive this history or be released (null).
  void Protokolliere(TDaten* ADaten, TSaveStand* ASaveStand);
  // Turns the protocolled list into the newest step's list, in the order a stable sort
  // by SortNr/AufS gives (the list must be in that order); the step stays.
  void ListeZuruecksetzen(TSortNr SortNr, bool AufS);
  // Step ANr's whole list, or its saved list; not sorted (for checks and rare needs).
  TDaten ListeVon(int ANr) const;
  TDaten SaveDatenVon(int ANr) const;

  TUndoListe Liste;

 private:
  void Hinzugefuegt(const TDatenRec& ADatenRec) override;
  void Entfernt(TListe&& AEntfernt, std::vector<int>&& ARaenge) override;
  void Eingeordnet(int ARang) override;
  void VorErsetzen(const TListe& AAlt) override;
  void NachErsetzen(const TListe& ANeu) override;
  // The newest step if it records changes, else null.
  TUndoDatenRec* Aufnehmender();
  // Step ANr's list minus the protocolled list, or minus the whole list of the nearest
  // later step that holds one; ABis tells which (Count(): the protocolled list).
  TEintragBilanz BilanzBis(int ANr, int& ABis) const;

  int FMaxLen = 9;
  TDaten* FDaten = nullptr;
  TSaveStand* FSaveStand = nullptr;
  const TListe* FAltBeimErsetzen = nullptr;
};

// Case-insensitive comparison of absolute file paths, one code unit at a time.
bool SameFileName(const std::u16string& A, const std::u16string& B);

}  // namespace tvn
