#include "data/DatenC.h"

#include <algorithm>
#include <charconv>
#include <numeric>

#include "data/EntryCounter.h"
#include "data/ListIdentity.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn {

TDaten::TDaten(const TDatenRec& ADatenRec) : Liste{ADatenRec} {}
TDaten::TDaten(const TListe& AListe) : Liste(AListe) {}
TDaten::TDaten(const TDaten& ADaten) : HbName(ADaten.HbName), Liste(ADaten.Liste) {}

TDaten::TDaten(TDaten&& ADaten) noexcept : HbName(std::move(ADaten.HbName)) {
  if (ADaten.FProtokoll) ADaten.FProtokoll->VorErsetzen(ADaten.Liste);
  Liste = std::move(ADaten.Liste);
  ADaten.Liste.clear();
  if (ADaten.FProtokoll) ADaten.FProtokoll->NachErsetzen(ADaten.Liste);
}

TDaten& TDaten::operator=(const TDaten& ADaten) {
  Assign(ADaten);
  return *this;
}

TDaten& TDaten::operator=(TDaten&& ADaten) noexcept {
  if (&ADaten == this) return *this;
  HbName = std::move(ADaten.HbName);
  TListe taken = std::move(ADaten.Liste);
  if (ADaten.FProtokoll) {
    ADaten.Liste.clear();
    ADaten.FProtokoll->VorErsetzen(taken);
    ADaten.FProtokoll->NachErsetzen(ADaten.Liste);
  }
  ListeErsetzen(std::move(taken));
  return *this;
}

TDatenProtokoll* TDaten::SetProtokoll(TDatenProtokoll* AProtokoll) {
  TDatenProtokoll* before = FProtokoll;
  FProtokoll = AProtokoll;
  return before;
}

void TDaten::ListeErsetzen(TListe&& ANeu) {
  if (FProtokoll) FProtokoll->VorErsetzen(Liste);
  Liste = std::move(ANeu);
  if (FProtokoll) FProtokoll->NachErsetzen(Liste);
}

void TDaten::Add(const TDatenRec& ADatenRec) {
  Liste.push_back(ADatenRec);
  if (FProtokoll) FProtokoll->Hinzugefuegt(Liste.back());
}

void TDaten::Add(const TListe& AListe) {
  if (&AListe == &Liste) {
    TListe copy = AListe;
    Add(copy);
    return;
  }
  Liste.reserve(Liste.size() + AListe.size());
  for (const TDatenRec& r : AListe) Add(r);
}

void TDaten::Insert(const TDatenRec& ADatenRec, int ANr) {
  if (ANr < 0) return;
  if (ANr >= Count()) {
    Add(ADatenRec);
    return;
  }
  TDatenRec copy = ADatenRec;  // the source may be an entry of this very list
  Liste.insert(Liste.begin() + ANr, std::move(copy));
  if (FProtokoll) FProtokoll->Hinzugefuegt(Liste[static_cast<size_t>(ANr)]);
}

void TDaten::Delete(int ANr) {
  if (ANr < 0 || ANr >= Count()) return;
  DeleteMany({ANr});
}

void TDaten::Replace(int ANr, const TDatenRec& ADatenRec) {
  if (ANr < 0 || ANr >= Count()) return;
  ReplaceMany({ANr}, TListe{ADatenRec});
}

namespace {

// Valid rows, ascending, each once.
std::vector<int> ValidRows(std::vector<int> rows, int count) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int r) { return r < 0 || r >= count; }),
             rows.end());
  return rows;
}

}  // namespace

void TDaten::DeleteMany(const std::vector<int>& ANrn) {
  const std::vector<int> rows = ValidRows(ANrn, Count());
  if (rows.empty()) return;
  std::vector<int> ranks;
  TListe removed;
  if (FProtokoll) {
    ranks = RanksOf(rows);
    removed.reserve(rows.size());
  }
  size_t kept = static_cast<size_t>(rows.front()), next = 0;
  for (size_t i = kept; i < Liste.size(); ++i) {
    if (next < rows.size() && rows[next] == static_cast<int>(i)) {
      if (FProtokoll) removed.push_back(std::move(Liste[i]));
      ++next;
      continue;
    }
    Liste[kept++] = std::move(Liste[i]);
  }
  Liste.resize(kept);
  if (FProtokoll) FProtokoll->Entfernt(std::move(removed), std::move(ranks));
}

void TDaten::ReplaceMany(const std::vector<int>& ANrn, const TListe& AListe) {
  const size_t n = std::min(ANrn.size(), AListe.size());
  for (size_t k = 0; k < n; ++k) {
    if (ANrn[k] < 0 || ANrn[k] >= Count()) return;
  }
  // Copies first: a source may be an entry of this very list.
  TListe neue(AListe.begin(), AListe.begin() + static_cast<std::ptrdiff_t>(n));
  std::vector<int> rows(ANrn.begin(), ANrn.begin() + static_cast<std::ptrdiff_t>(n));
  if (FProtokoll) {
    std::vector<size_t> byRow(n);
    std::iota(byRow.begin(), byRow.end(), size_t{0});
    std::sort(byRow.begin(), byRow.end(), [&](size_t a, size_t b) { return rows[a] < rows[b]; });
    std::vector<int> ascending;
    for (size_t k : byRow) {
      if (ascending.empty() || ascending.back() != rows[k]) ascending.push_back(rows[k]);
    }
    std::vector<int> ranks = RanksOf(ascending);
    TListe removed;
    for (int row : ascending) removed.push_back(Liste[static_cast<size_t>(row)]);
    FProtokoll->Entfernt(std::move(removed), std::move(ranks));
  }
  for (size_t k = 0; k < n; ++k) Liste[static_cast<size_t>(rows[k])] = std::move(neue[k]);
  if (FProtokoll) {
    // A row given twice keeps its last record, and only that one was added.
    std::vector<int> done;
    for (size_t k = n; k-- > 0;) {
      if (std::find(done.begin(), done.end(), rows[k]) != done.end()) continue;
      done.push_back(rows[k]);
    }
    std::sort(done.begin(), done.end());
    for (int row : done) FProtokoll->Hinzugefuegt(Liste[static_cast<size_t>(row)]);
  }
}

void TDaten::Clear() {
  HbName.clear();
  Liste.clear();
}

void TDaten::ClearListe() {
  Liste.clear();
}

void TDaten::Assign(const TDaten& ADaten) {
  if (&ADaten == this) return;
  HbName = ADaten.HbName;
  Liste = ADaten.Liste;
}

bool TDaten::Ident(const TDatenRec& A, const TDatenRec& B) {
  return A.ErstelltDatum == B.ErstelltDatum && A.Autor == B.Autor && A.Titel == B.Titel &&
         A.KatalogNr == B.KatalogNr && A.Quelle == B.Quelle && A.ErhaltenS == B.ErhaltenS &&
         A.ErhaltenDatum == B.ErhaltenDatum && A.RetourS == B.RetourS &&
         A.RetourDatum == B.RetourDatum && A.GelesenS == B.GelesenS && A.Bewertung == B.Bewertung &&
         A.Infos == B.Infos;
}

bool TDaten::Ident(const TDaten& ADaten) const {
  if (Count() != ADaten.Count() || HbName != ADaten.HbName) return false;
  size_t first = 0;
  while (first < Liste.size() && Ident(Liste[first], ADaten.Liste[first])) ++first;
  if (first == Liste.size()) return true;
  // Order differs: compare the rest as multisets; the equal beginning needs no counting.
  return SameEntriesInAnyOrder(Liste, ADaten.Liste, first);
}

int TDaten::FindDatenRecNr(const TDatenRec& ADatenRec) const {
  for (size_t i = 0; i < Liste.size(); ++i) {
    if (Ident(Liste[i], ADatenRec)) return static_cast<int>(i);
  }
  return -1;
}

namespace {

std::u16string FloatText15(double value) {
  char buffer[64];
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::u16string out;
  if (ec == std::errc()) {
    for (char* p = buffer; p != end; ++p) out += static_cast<char16_t>(*p == 'e' ? 'E' : *p);
  }
  return out;
}

void AppendKeyItem(std::u16string& key, std::u16string_view text) {
  key += IntToText(static_cast<long long>(text.size()));
  key += u':';
  key += text;
}

std::u16string_view FlagKey(bool flag) {
  return flag ? u"-1" : u"0";
}

}  // namespace

std::u16string TDaten::RecordKey(const TDatenRec& R) {
  std::u16string key;
  key.reserve(64 + R.Autor.size() + R.Titel.size() + R.KatalogNr.size() + R.Quelle.size() +
              R.Infos.size());
  AppendKeyItem(key, FloatText15(R.ErstelltDatum));
  AppendKeyItem(key, R.Autor);
  AppendKeyItem(key, R.Titel);
  AppendKeyItem(key, R.KatalogNr);
  AppendKeyItem(key, R.Quelle);
  AppendKeyItem(key, FlagKey(R.ErhaltenS));
  AppendKeyItem(key, FloatText15(R.ErhaltenDatum));
  AppendKeyItem(key, FlagKey(R.RetourS));
  AppendKeyItem(key, FloatText15(R.RetourDatum));
  AppendKeyItem(key, FlagKey(R.GelesenS));
  AppendKeyItem(key, IntToText(R.Bewertung));
  AppendKeyItem(key, R.Infos);
  return key;
}

void TDaten::Import(const TDaten& ADaten, bool ErstelltDatumBelassenS, bool PreserveCounts) {
  if (&ADaten == this) return;
  Add(ImportNeue(ADaten, ErstelltDatumBelassenS, PreserveCounts));
}

TListe TDaten::ImportNeue(const TDaten& ADaten, bool ErstelltDatumBelassenS,
                          bool PreserveCounts) const {
  if (&ADaten == this) return {};
  const TDateTime heute = platform::Today();
  TEntryCounter counts(Liste.size() + ADaten.Liste.size());
  counts.ForEach(Liste, 0,
                 [&](const TDatenRec&, int& n) { return n = PreserveCounts ? n + 1 : 1, true; });
  // Reserved up front: the counter keeps pointers to the collected copies.
  TListe collected;
  collected.reserve(ADaten.Liste.size());
  for (const TDatenRec& source : ADaten.Liste) {
    TDatenRec copy = source;
    if (!ErstelltDatumBelassenS) copy.ErstelltDatum = heute;
    int* n = counts.Find(copy);
    if (!n || *n <= 0) {
      collected.push_back(std::move(copy));
      // A second identical entry of ADaten is then not added again.
      if (!PreserveCounts) counts[collected.back()] = 1;
    } else if (PreserveCounts) {
      --*n;
    }
  }
  return collected;
}

std::u16string DatumText(TDateTime datum) {
  const TDatumTeile t = DecodeDatum(datum);
  char16_t text[10] = {static_cast<char16_t>(u'0' + t.Tag / 10),
                       static_cast<char16_t>(u'0' + t.Tag % 10),
                       u'.',
                       static_cast<char16_t>(u'0' + t.Monat / 10),
                       static_cast<char16_t>(u'0' + t.Monat % 10),
                       u'.',
                       static_cast<char16_t>(u'0' + t.Jahr / 1000 % 10),
                       static_cast<char16_t>(u'0' + t.Jahr / 100 % 10),
                       static_cast<char16_t>(u'0' + t.Jahr / 10 % 10),
                       static_cast<char16_t>(u'0' + t.Jahr % 10)};
  return std::u16string(text, 10);
}

}  // namespace tvn
