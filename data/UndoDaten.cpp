#include "data/UndoDaten.h"

#include <algorithm>
#include <numeric>

#include "data/EntryCounter.h"
#include "platform/Platform.h"

namespace tvn {

// ---- TEintragBilanz ----

size_t TEintragBilanz::Hash::operator()(const TDatenRec& r) const {
  return static_cast<size_t>(TEntryCounter::Hash(r));
}

void TEintragBilanz::Zaehle(const TDatenRec& ADatenRec, int ADelta) {
  if (ADelta == 0) return;
  auto [it, created] = FZaehler.try_emplace(ADatenRec, 0);
  it->second += ADelta;
  if (it->second == 0) FZaehler.erase(it);
}

void TEintragBilanz::Zaehle(const TListe& AListe, int ADelta) {
  for (const TDatenRec& r : AListe) Zaehle(r, ADelta);
}

void TEintragBilanz::Zaehle(const TEintragBilanz& ABilanz, int ADelta) {
  if (&ABilanz == this) {
    const TEintragBilanz copy = ABilanz;
    Zaehle(copy, ADelta);
    return;
  }
  for (const auto& [entry, count] : ABilanz.FZaehler) Zaehle(entry, count * ADelta);
}

void TEintragBilanz::AufListeAnwenden(TListe& AListe) const {
  if (Leer()) return;
  TEintragBilanz fewer;
  for (const auto& [entry, count] : FZaehler) {
    if (count < 0) fewer.FZaehler.emplace(entry, -count);
  }
  if (!fewer.Leer()) {
    auto drop = [&](const TDatenRec& r) {
      auto it = fewer.FZaehler.find(r);
      if (it == fewer.FZaehler.end() || it->second == 0) return false;
      --it->second;
      return true;
    };
    AListe.erase(std::remove_if(AListe.begin(), AListe.end(), drop), AListe.end());
  }
  for (const auto& [entry, count] : FZaehler) {
    for (int k = 0; k < count; ++k) AListe.push_back(entry);
  }
}

TEintragBilanz TEintragBilanz::Differenz(const TListe& A, const TListe& B) {
  TEintragBilanz bilanz;
  if (&A == &B) return bilanz;
  bilanz.Zaehle(A, 1);
  bilanz.Zaehle(B, -1);
  return bilanz;
}

// ---- undoing a step's changes on a sorted list ----

namespace {

// Takes the entries of an addition out again. Each is looked for where its rank puts it,
// else as the last identical one among those that sort equal (where a stable sort puts
// an entry added at the end), else anywhere.
void HinzugefuegteEntfernen(TDaten& daten, const TAenderung& a, const TSortOrdnung& order) {
  std::vector<int> rows;
  rows.reserve(a.Eintraege.size());
  std::vector<bool> taken(daten.Liste.size());
  auto fits = [&](int row, const TDatenRec& e) {
    return !taken[static_cast<size_t>(row)] &&
           TDaten::Ident(daten.Liste[static_cast<size_t>(row)], e);
  };
  for (size_t k = a.Eintraege.size(); k-- > 0;) {
    const TDatenRec& e = a.Eintraege[k];
    const auto [first, last] = daten.SortedRange(e, order);
    const int rank = k < a.Raenge.size() ? a.Raenge[k] : -1;
    int row = -1;
    if (rank >= 0 && first + rank < last && fits(first + rank, e)) row = first + rank;
    for (int r = last - 1; row < 0 && r >= first; --r) {
      if (fits(r, e)) row = r;
    }
    for (int r = 0; row < 0 && r < daten.Count(); ++r) {
      if (fits(r, e)) row = r;
    }
    if (row >= 0) {
      rows.push_back(row);
      taken[static_cast<size_t>(row)] = true;
    }
  }
  daten.DeleteMany(rows);
}

// Puts the entries of a removal back: each among those that sort equal to it at the rank
// it had, so the list is as it was before, in the order it had.
void EntfernteEinfuegen(TDaten& daten, const TAenderung& a, const TSortOrdnung& order) {
  const size_t k = a.Eintraege.size();
  if (k == 0) return;
  auto rankOf = [&](size_t j) { return j < a.Raenge.size() ? a.Raenge[j] : -1; };
  std::vector<size_t> byOrder(k);
  std::iota(byOrder.begin(), byOrder.end(), size_t{0});
  std::stable_sort(byOrder.begin(), byOrder.end(), [&](size_t x, size_t y) {
    const TDatenRec& ex = a.Eintraege[x];
    const TDatenRec& ey = a.Eintraege[y];
    if (order.Before(ex, ey)) return true;
    if (order.Before(ey, ex)) return false;
    return rankOf(x) < rankOf(y);
  });
  // Where each goes: the number of entries now in the list that come before it.
  std::vector<int> before(k);
  int earlierOfGroup = 0, previous = 0;
  for (size_t i = 0; i < k; ++i) {
    const TDatenRec& e = a.Eintraege[byOrder[i]];
    const bool sameGroup = i > 0 && order.Equal(a.Eintraege[byOrder[i - 1]], e);
    earlierOfGroup = sameGroup ? earlierOfGroup + 1 : 0;
    const auto [first, last] = daten.SortedRange(e, order);
    const int survivors = std::clamp(rankOf(byOrder[i]) - earlierOfGroup, 0, last - first);
    before[i] = std::max(first + survivors, i > 0 ? previous : 0);
    previous = before[i];
  }
  // One pass from the end: every entry moves at most once.
  TListe& liste = daten.Liste;
  size_t source = liste.size();
  liste.resize(liste.size() + k);
  size_t write = liste.size();
  for (size_t i = k; i-- > 0;) {
    while (source > static_cast<size_t>(before[i])) liste[--write] = std::move(liste[--source]);
    liste[--write] = a.Eintraege[byOrder[i]];
  }
}

}  // namespace

// ---- TUndoDaten ----

TUndoDaten::TUndoDaten(const std::u16string& AFilename, int AItemIndex, const TDaten& AMarkDaten,
                       const TDaten& ADaten, const TDaten& ASaveDaten) {
  Add(AFilename, AItemIndex, AMarkDaten, ADaten, ASaveDaten);
}

TUndoDaten::~TUndoDaten() {
  Protokolliere(nullptr, nullptr);
}

void TUndoDaten::Add(const std::u16string& AFilename, int AItemIndex, const TDaten& AMarkDaten,
                     const TDaten& ADaten, const TDaten& ASaveDaten) {
  TSaveStand save{TEintragBilanz::Differenz(ADaten.Liste, ASaveDaten.Liste), ASaveDaten.HbName};
  AddGanz(AFilename, AItemIndex, TDaten(AMarkDaten), TListe(ADaten.Liste), ADaten.HbName,
          std::move(save));
}

void TUndoDaten::AddGanz(const std::u16string& AFilename, int AItemIndex, TDaten&& AMarkDaten,
                         TListe&& AListe, const std::u16string& AHbName, TSaveStand ASaveStand) {
  TUndoDatenRec step;
  step.Filename = AFilename;
  step.ItemIndex = AItemIndex;
  if (AItemIndex >= 0 && static_cast<size_t>(AItemIndex) < AListe.size()) {
    step.Fokus = AListe[static_cast<size_t>(AItemIndex)];
  }
  step.MarkDaten = std::move(AMarkDaten);
  step.Ganz = true;
  step.Daten.Liste = std::move(AListe);
  step.Daten.HbName = AHbName;
  step.SaveStand = std::move(ASaveStand);
  Liste.push_back(std::move(step));
  SetMaxLen(FMaxLen);
}

void TUndoDaten::AddAenderung(const std::u16string& AFilename, int AItemIndex, TDaten&& AMarkDaten,
                              TSaveStand ASaveStand) {
  TUndoDatenRec step;
  step.Filename = AFilename;
  step.ItemIndex = AItemIndex;
  if (FDaten && AItemIndex >= 0 && AItemIndex < FDaten->Count()) {
    step.Fokus = FDaten->Liste[static_cast<size_t>(AItemIndex)];
  }
  step.MarkDaten = std::move(AMarkDaten);
  if (FDaten) step.Daten.HbName = FDaten->HbName;
  step.SaveStand = std::move(ASaveStand);
  Liste.push_back(std::move(step));
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

TEintragBilanz TUndoDaten::BilanzBis(int ANr, int& ABis) const {
  TEintragBilanz bilanz;
  int j = ANr;
  // Each step's list is the next one's without what it added, with what it removed.
  for (; j < Count() && !Liste[static_cast<size_t>(j)].Ganz; ++j) {
    const TUndoDatenRec& step = Liste[static_cast<size_t>(j)];
    for (const TAenderung& a : step.Aenderungen) bilanz.Zaehle(a.Eintraege, a.Entfernt ? 1 : -1);
  }
  ABis = j;
  return bilanz;
}

void TUndoDaten::UpdateSavedState(const std::u16string& AFilename, const TDaten* ASavedDaten) {
  if (!ASavedDaten || platform::ExtractFileName(AFilename).empty()) return;
  const std::u16string target = platform::AbsolutePath(AFilename);
  // The saved list against each whole list reached, worked out once.
  std::vector<std::optional<TEintragBilanz>> gegenGespeichert(Liste.size() + 1);
  for (int k = Count() - 1; k >= 0; --k) {
    TUndoDatenRec& step = Liste[static_cast<size_t>(k)];
    if (platform::ExtractFileName(step.Filename).empty()) continue;
    if (!SameFileName(platform::AbsolutePath(step.Filename), target)) continue;
    int bis = 0;
    TEintragBilanz bilanz = BilanzBis(k, bis);
    std::optional<TEintragBilanz>& reached = gegenGespeichert[static_cast<size_t>(bis)];
    if (!reached) {
      const TDaten* whole = bis < Count() ? &Liste[static_cast<size_t>(bis)].Daten : FDaten;
      if (whole == ASavedDaten) {
        reached.emplace();
      } else {
        static const TListe kLeer;
        reached = TEintragBilanz::Differenz(whole ? whole->Liste : kLeer, ASavedDaten->Liste);
      }
    }
    bilanz.Zaehle(*reached, 1);
    step.SaveStand = TSaveStand{std::move(bilanz), ASavedDaten->HbName};
  }
}

TDaten TUndoDaten::ListeVon(int ANr) const {
  TDaten result;
  if (ANr < 0 || ANr >= Count()) return result;
  int bis = 0;
  const TEintragBilanz bilanz = BilanzBis(ANr, bis);
  if (bis < Count()) {
    result.Liste = Liste[static_cast<size_t>(bis)].Daten.Liste;
  } else if (FDaten) {
    result.Liste = FDaten->Liste;
  }
  bilanz.AufListeAnwenden(result.Liste);
  result.HbName = Liste[static_cast<size_t>(ANr)].Daten.HbName;
  return result;
}

TDaten TUndoDaten::SaveDatenVon(int ANr) const {
  TDaten result = ListeVon(ANr);
  if (ANr < 0 || ANr >= Count()) return result;
  const TSaveStand& save = Liste[static_cast<size_t>(ANr)].SaveStand;
  TEintragBilanz back;
  back.Zaehle(save.Bilanz, -1);
  back.AufListeAnwenden(result.Liste);
  result.HbName = save.HbName;
  return result;
}

// ---- the protocol of the current list ----

void TUndoDaten::Protokolliere(TDaten* ADaten, TSaveStand* ASaveStand) {
  if (FDaten && FDaten != ADaten) FDaten->SetProtokoll(nullptr);
  FDaten = ADaten;
  FSaveStand = ASaveStand;
  if (FDaten) FDaten->SetProtokoll(this);
}

TUndoDatenRec* TUndoDaten::Aufnehmender() {
  if (Liste.empty() || Liste.back().Ganz) return nullptr;
  return &Liste.back();
}

void TUndoDaten::Hinzugefuegt(const TDatenRec& ADatenRec) {
  if (FSaveStand) FSaveStand->Bilanz.Zaehle(ADatenRec, 1);
  TUndoDatenRec* step = Aufnehmender();
  if (!step) return;
  if (step->Aenderungen.empty() || step->Aenderungen.back().Entfernt) {
    step->Aenderungen.push_back(TAenderung{false, {}, {}});
  }
  TAenderung& a = step->Aenderungen.back();
  a.Eintraege.push_back(ADatenRec);
  a.Raenge.push_back(-1);
}

void TUndoDaten::Entfernt(TListe&& AEntfernt, std::vector<int>&& ARaenge) {
  if (FSaveStand) FSaveStand->Bilanz.Zaehle(AEntfernt, -1);
  TUndoDatenRec* step = Aufnehmender();
  if (!step || AEntfernt.empty()) return;
  // Ranks count in the list before this removal: it stays one change of its own.
  step->Aenderungen.push_back(TAenderung{true, std::move(AEntfernt), std::move(ARaenge)});
}

void TUndoDaten::Eingeordnet(int ARang) {
  TUndoDatenRec* step = Aufnehmender();
  if (!step || step->Aenderungen.empty() || step->Aenderungen.back().Entfernt) return;
  step->Aenderungen.back().Raenge.back() = ARang;
}

void TUndoDaten::VorErsetzen(const TListe& AAlt) {
  if (FSaveStand) FSaveStand->Bilanz.Zaehle(AAlt, -1);
  TUndoDatenRec* step = Aufnehmender();
  if (!step) return;
  // The step's list cannot be reached from the new one: it is kept whole from now on.
  TEintragBilanz back;
  for (const TAenderung& a : step->Aenderungen) back.Zaehle(a.Eintraege, a.Entfernt ? 1 : -1);
  step->Daten.Liste = AAlt;
  back.AufListeAnwenden(step->Daten.Liste);
  step->Aenderungen.clear();
  step->Ganz = true;
}

void TUndoDaten::NachErsetzen(const TListe& ANeu) {
  if (FSaveStand) FSaveStand->Bilanz.Zaehle(ANeu, 1);
}

void TUndoDaten::ListeZuruecksetzen(TSortNr SortNr, bool AufS) {
  if (Liste.empty() || !FDaten) return;
  TUndoDatenRec& step = Liste.back();
  TDatenProtokoll* protokoll = FDaten->SetProtokoll(nullptr);
  if (step.Ganz) {
    FDaten->Liste = std::move(step.Daten.Liste);
    step.Daten.Liste.clear();
    FDaten->Sort(SortNr, AufS);
  } else {
    const TSortOrdnung order(SortNr, AufS);
    for (auto a = step.Aenderungen.rbegin(); a != step.Aenderungen.rend(); ++a) {
      if (a->Entfernt) {
        EntfernteEinfuegen(*FDaten, *a, order);
      } else {
        HinzugefuegteEntfernen(*FDaten, *a, order);
      }
    }
    step.Aenderungen.clear();
  }
  FDaten->HbName = step.Daten.HbName;
  if (FSaveStand) *FSaveStand = std::move(step.SaveStand);
  step.SaveStand = {};
  FDaten->SetProtokoll(protokoll);
}

}  // namespace tvn
