// Sorting by one column with the fixed tie-breaks. The folded texts of the four text
// columns are built once per sort and packed into one buffer per column; each row also
// carries the first four folded code units of the sort column as one number, so most
// comparisons never leave the index array.
#include <cstdint>
#include <vector>

#include "data/DatenC.h"
#include "platform/Platform.h"

namespace tvn {
namespace {

constexpr int kTextColumns = 4;

// Umlauts become two letters; everything else stays as the locale lower-cased it.
void AppendUmlautFolded(std::u16string& out, std::u16string_view lower) {
  for (char16_t c : lower) {
    bool folded = false;
    for (const auto& [umlaut, replacement] : ResConst::FoldPairs) {
      if (c == umlaut) {
        out += replacement;
        folded = true;
        break;
      }
    }
    if (!folded) out += c;
  }
}

const std::u16string& TextField(const TDatenRec& r, int column) {
  switch (column) {
    case snAutor: return r.Autor;
    case snTitel: return r.Titel;
    case snKatalogNr: return r.KatalogNr;
    default: return r.Quelle;
  }
}

// The folded texts of one column for all entries, end to end.
struct FoldedColumn {
  std::u16string chars;
  std::vector<uint32_t> start;  // Count + 1 offsets

  std::u16string_view At(uint32_t i) const {
    return std::u16string_view(chars.data() + start[i], start[i + 1] - start[i]);
  }
};

// Lower-cases the whole column in one call (case mapping works per character), then
// expands the umlauts. Should the mapping change a length, each text is mapped alone.
FoldedColumn FoldColumn(const TListe& liste, int column) {
  std::u16string raw;
  std::vector<uint32_t> rawStart;
  size_t total = 0;
  for (const TDatenRec& r : liste) total += TextField(r, column).size();
  raw.reserve(total);
  rawStart.reserve(liste.size() + 1);
  for (const TDatenRec& r : liste) {
    rawStart.push_back(static_cast<uint32_t>(raw.size()));
    raw += TextField(r, column);
  }
  rawStart.push_back(static_cast<uint32_t>(raw.size()));
  const std::u16string lower = platform::LowerCaseLocale(raw);
  const bool sameLength = lower.size() == raw.size();

  FoldedColumn f;
  f.chars.reserve(total + total / 16);
  f.start.reserve(liste.size() + 1);
  for (size_t i = 0; i < liste.size(); ++i) {
    f.start.push_back(static_cast<uint32_t>(f.chars.size()));
    if (sameLength) {
      AppendUmlautFolded(f.chars, std::u16string_view(lower).substr(rawStart[i], rawStart[i + 1] - rawStart[i]));
    } else {
      AppendUmlautFolded(f.chars, platform::LowerCaseLocale(TextField(liste[i], column)));
    }
  }
  f.start.push_back(static_cast<uint32_t>(f.chars.size()));
  return f;
}

// The first four code units, most significant first, zero-padded: when two prefixes
// differ, they order the texts exactly as the full comparison would.
uint64_t Prefix(std::u16string_view s) {
  uint64_t p = 0;
  for (size_t i = 0; i < 4; ++i) p = (p << 16) | (i < s.size() ? s[i] : 0);
  return p;
}

inline int Sign(int v) { return (v > 0) - (v < 0); }

template <typename T>
inline int Compare3(T a, T b) {
  return (a > b) - (a < b);
}

inline int CompareText(std::u16string_view a, std::u16string_view b) {
  return Sign(a.compare(b));
}

inline int CompareFlagDate(bool fa, TDateTime da, bool fb, TDateTime db) {
  if (fa != fb) return fa ? 1 : -1;
  return fa ? Compare3(da, db) : 0;
}

struct Row {
  uint64_t prefix;
  uint32_t index;
};

class Sorter {
 public:
  Sorter(const TListe& liste, TSortNr sortNr, bool aufS)
      : liste_(liste), sortNr_(sortNr), direction_(aufS ? 1 : -1) {
    for (int c = 0; c < kTextColumns; ++c) folded_[c] = FoldColumn(liste, c);
  }

  std::vector<uint32_t> Order() {
    const uint32_t n = static_cast<uint32_t>(liste_.size());
    std::vector<Row> rows(n), scratch(n);
    const bool textKey = sortNr_ < kTextColumns;
    for (uint32_t i = 0; i < n; ++i) {
      rows[i] = Row{textKey ? Prefix(folded_[sortNr_].At(i)) : 0, i};
    }
    MergeSort(rows, scratch, 0, static_cast<int64_t>(n) - 1);
    std::vector<uint32_t> order(n);
    for (uint32_t i = 0; i < n; ++i) order[i] = rows[i].index;
    return order;
  }

 private:
  int CompareColumn(uint32_t a, uint32_t b, int column) const {
    const TDatenRec& x = liste_[a];
    const TDatenRec& y = liste_[b];
    switch (column) {
      case snAutor:
      case snTitel:
      case snKatalogNr:
      case snQuelle: return CompareText(folded_[column].At(a), folded_[column].At(b));
      case snGelesen: return Compare3(x.GelesenS, y.GelesenS);
      case snBewertung: return Compare3(x.Bewertung, y.Bewertung);
      case snErhalten: return CompareFlagDate(x.ErhaltenS, x.ErhaltenDatum, y.ErhaltenS, y.ErhaltenDatum);
      case snRetour: return CompareFlagDate(x.RetourS, x.RetourDatum, y.RetourS, y.RetourDatum);
      default: return Compare3(x.ErstelltDatum, y.ErstelltDatum);
    }
  }

  // Sort column first, then every column in order; descending negates the whole result.
  int CompareEntries(const Row& a, const Row& b) const {
    int r = Compare3(a.prefix, b.prefix);
    if (r == 0) r = CompareColumn(a.index, b.index, sortNr_);
    for (int c = 0; r == 0 && c < kSortNrCount; ++c) {
      if (c != sortNr_) r = CompareColumn(a.index, b.index, c);
    }
    return r * direction_;
  }

  // Top-down merge sort over [lo, hi]; ties take the left element, so it is stable.
  void MergeSort(std::vector<Row>& rows, std::vector<Row>& scratch, int64_t lo, int64_t hi) {
    if (lo >= hi) return;
    if (hi - lo < 16) {
      InsertionSort(rows, lo, hi);
      return;
    }
    const int64_t mid = lo + (hi - lo) / 2;
    MergeSort(rows, scratch, lo, mid);
    MergeSort(rows, scratch, mid + 1, hi);
    if (CompareEntries(rows[mid], rows[mid + 1]) <= 0) return;  // already in order
    int64_t i = lo, j = mid + 1, k = lo;
    while (k <= hi) {
      if (i > mid || (j <= hi && CompareEntries(rows[i], rows[j]) > 0)) {
        scratch[k++] = rows[j++];
      } else {
        scratch[k++] = rows[i++];
      }
    }
    for (k = lo; k <= hi; ++k) rows[k] = scratch[k];
  }

  // Stable as well: an element moves left only past strictly greater ones.
  void InsertionSort(std::vector<Row>& rows, int64_t lo, int64_t hi) const {
    for (int64_t i = lo + 1; i <= hi; ++i) {
      const Row row = rows[i];
      int64_t j = i - 1;
      while (j >= lo && CompareEntries(rows[j], row) > 0) {
        rows[j + 1] = rows[j];
        --j;
      }
      rows[j + 1] = row;
    }
  }

  const TListe& liste_;
  const int sortNr_;
  const int direction_;
  FoldedColumn folded_[kTextColumns];
};

}  // namespace

void TDaten::Sort(TSortNr SortNr, bool AufS) {
  if (Liste.size() < 2) return;
  const std::vector<uint32_t> order = Sorter(Liste, SortNr, AufS).Order();
  TListe sorted;
  sorted.reserve(Liste.size());
  for (uint32_t i : order) sorted.push_back(std::move(Liste[i]));
  Liste.swap(sorted);
}

}  // namespace tvn
